#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string_view>

class QString;

// A numeric text field that does not convert ends the handler that read it; the event loop
// shows this error's text.
class ConversionError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Decimal text to a signed 32-bit integer: optional blanks around an optional sign and at
// least one digit. Anything else, or a value out of range, gives no result.
std::optional<std::int32_t> parseDecimal(std::string_view text);

// As parseDecimal, but a text that does not convert raises ConversionError quoting it.
std::int32_t toInt(const QString &text);
