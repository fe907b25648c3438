#pragma once

#include "settings/settings.h"

// While the program itself moves the sweep bars, their change handlers must do nothing.
class QuietSweepBars
{
  public:
    QuietSweepBars() { settings.sweepEventsEnabled = false; }
    ~QuietSweepBars() { settings.sweepEventsEnabled = true; }
    QuietSweepBars(const QuietSweepBars &) = delete;
    QuietSweepBars &operator=(const QuietSweepBars &) = delete;
};
