#include "evidence/Tolerance.h"

#include "evidence/NumberText.h"

namespace tessaplot {

ToleranceParse ParseTolerance(std::string_view text) {
    ToleranceParse parse;
    const std::size_t equals = text.rfind('=');
    if (equals == std::string_view::npos) {
        parse.problem = "\"" + std::string(TrimmedText(text)) + "\" is not written as NAME=VALUE";
        return parse;
    }
    const std::string_view name = TrimmedText(text.substr(0, equals));
    const std::optional<EvidenceQuantity> quantity = MatchQuantityName(name);
    if (!quantity) {
        parse.problem = "\"" + std::string(name) + "\" names no body quantity or sensation";
        return parse;
    }
    const std::string_view number = TrimmedText(text.substr(equals + 1));
    const std::optional<double> value = WholeNumber(number);
    if (!value || *value < 0.0) {
        parse.problem = "the tolerance \"" + std::string(number) + "\" of \"" + std::string(name) +
                        "\" is not a number of at least 0";
        return parse;
    }
    parse.tolerance = Tolerance{*quantity, *value};
    return parse;
}

} // namespace tessaplot
