#include "settings/settings.h"

ServoSettings settings;
