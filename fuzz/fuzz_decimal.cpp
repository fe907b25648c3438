// parseDecimal against a second, plainly written reading of the same rule.
#include "params/decimal.h"

#include <cstdlib>
#include <string>

namespace {
std::optional<std::int32_t> reference(std::string s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.erase(0, 1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.pop_back();
    bool negative = false;
    if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
        negative = s[0] == '-';
        s.erase(0, 1);
    }
    if (s.empty() || s.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    s.erase(0, std::min(s.find_first_not_of('0'), s.size() - 1));
    if (s.size() > 10)
        return std::nullopt;
    long long value = std::stoll(s);
    if (negative)
        value = -value;
    if (value < INT32_MIN || value > INT32_MAX)
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char *>(data), size);
    const std::optional<std::int32_t> value = parseDecimal(text);
    if (value != reference(text))
        std::abort();
    if (value && parseDecimal(std::to_string(*value)) != value)
        std::abort();
    return 0;
}
