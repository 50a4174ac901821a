#include "evidence/QuantityMatch.h"

#include "dataset/BodyQuantities.h"
#include "evidence/NumberText.h"

#include <array>

namespace tessaplot {

namespace {

constexpr std::array<std::string_view, 3> sensationNames{"Thermal Sensation", "Dampness Sensation",
                                                         "Comfort Value"};

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

std::string_view EvidenceQuantityName(EvidenceQuantity quantity) {
    if (quantity.source == EvidenceQuantity::Source::Comfort)
        return sensationNames.at(static_cast<std::size_t>(quantity.index));
    return BodyQuantityNames()[static_cast<std::size_t>(quantity.index)];
}

std::string NormalisedQuantityName(std::string_view text) {
    std::string name;
    name.reserve(text.size());
    int depth = 0; // inside brackets: the unit, which may itself hold brackets
    for (char c : text) {
        if (c == '(' || c == '[') {
            ++depth;
        } else if ((c == ')' || c == ']') && depth > 0) {
            --depth;
        } else if (depth == 0 && !isSpace(c)) {
            name.push_back(lowerAscii(c));
        }
    }
    return name;
}

std::optional<EvidenceQuantity> MatchQuantityName(std::string_view text) {
    const std::string wanted = NormalisedQuantityName(text);
    if (wanted.empty())
        return std::nullopt;
    const auto bodyNames = BodyQuantityNames();
    for (std::size_t i = 0; i < bodyNames.size(); ++i) {
        if (NormalisedQuantityName(bodyNames[i]) == wanted)
            return EvidenceQuantity{EvidenceQuantity::Source::Body, static_cast<int>(i)};
    }
    for (std::size_t i = 0; i < sensationNames.size(); ++i) {
        if (NormalisedQuantityName(sensationNames[i]) == wanted)
            return EvidenceQuantity{EvidenceQuantity::Source::Comfort, static_cast<int>(i)};
    }
    return std::nullopt;
}

std::optional<std::string_view> StandardDeviationOf(std::string_view header) {
    const std::string_view text = TrimmedText(header);
    if (text.size() < 4)
        return std::nullopt;
    const std::string_view word = text.substr(text.size() - 2);
    if (lowerAscii(word[0]) != 's' || lowerAscii(word[1]) != 'd' || !isSpace(text[text.size() - 3]))
        return std::nullopt;
    const std::string_view name = TrimmedText(text.substr(0, text.size() - 3));
    if (name.empty())
        return std::nullopt;
    return name;
}

} // namespace tessaplot
