#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// Decimal text to a signed 32-bit integer: optional blanks around an optional sign and at
// least one digit. Anything else, or a value out of range, gives no result.
std::optional<std::int32_t> parseDecimal(std::string_view text);
