#pragma once

#include <QColor>

// Black or white, whichever stands out more from the background: at least 4.5:1 from any colour.
QColor textColourOn(const QColor &background);
