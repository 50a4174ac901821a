#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tessaplot {

// A quantity a measured series or a threshold can be laid against: one of the
// BodyProperty page's seventeen body quantities, or one of the three sensations of
// the comfort chart.
struct EvidenceQuantity {
    enum class Source { Body, Comfort };
    Source source = Source::Body;
    int index = 0; // the BodyProperty item (0..16), or 0 thermal, 1 dampness, 2 comfort value

    friend bool operator==(const EvidenceQuantity&, const EvidenceQuantity&) = default;
};

// The name as a page shows it: "temperature of core(degree of C)", "Thermal Sensation".
std::string_view EvidenceQuantityName(EvidenceQuantity quantity);

// A column heading or a typed name reduced to what identifies it: bracketed parts
// (the unit) removed, letters lower-cased, every white space removed. So
// "Temperature of core (degree of C)", "temperature of core" and "TEMPERATURE OF CORE"
// all come out "temperatureofcore". Only ASCII letters change case; other bytes are
// kept as they are.
std::string NormalisedQuantityName(std::string_view text);

// The quantity whose page name `text` names (compared as NormalisedQuantityName
// gives them); none when no page name fits.
std::optional<EvidenceQuantity> MatchQuantityName(std::string_view text);

// When `header` is "<name> SD" (the word SD last, after white space, in any case), the
// <name> part; otherwise none. "temperature of skin (degree of C) SD" gives
// "temperature of skin (degree of C)".
std::optional<std::string_view> StandardDeviationOf(std::string_view header);

} // namespace tessaplot
