#pragma once

#include "params/decimal.h"

#include <cstdint>
#include <stdexcept>

class QString;

// A numeric text field that does not convert ends the handler that read it; the event loop
// shows this error's text.
class ConversionError : public std::runtime_error
{
  public:
    using std::runtime_error::runtime_error;
};

// As parseDecimal, but a text that does not convert raises ConversionError quoting it.
std::int32_t toInt(const QString &text);
