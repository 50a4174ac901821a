#include "evidence/NumberText.h"

#include <charconv>
#include <cmath>

namespace tessaplot {

std::string_view TrimmedText(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

std::optional<double> LeadingNumber(std::string_view& text) {
    std::string_view rest = TrimmedText(text);
    // from_chars takes a '-' but not a '+'; "+-1" stays refused.
    if (rest.size() > 1 && rest.front() == '+' && rest[1] != '-')
        rest.remove_prefix(1);
    double value = 0.0;
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), value);
    if (error != std::errc() || !std::isfinite(value))
        return std::nullopt;
    rest.remove_prefix(static_cast<std::size_t>(end - rest.data()));
    text = rest;
    return value;
}

std::optional<double> WholeNumber(std::string_view text) {
    const std::optional<double> value = LeadingNumber(text);
    if (!value || !TrimmedText(text).empty())
        return std::nullopt;
    return value;
}

} // namespace tessaplot
