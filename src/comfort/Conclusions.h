#pragma once

#include "comfort/BandStatistics.h"
#include "comfort/ComfortRecord.h"
#include "comfort/SensationBands.h"

#include <array>
#include <span>
#include <string>
#include <string_view>

namespace tessaplot {

// The captions of the "Conclusions" group box, Label15 ... Label26 in this order:
// ConclusionTexts(...)[ConclusionIndex(18)] is the caption of Label18.
using ConclusionCaptions = std::array<std::string, 12>;

constexpr int ConclusionIndex(int labelNumber) {
    return labelNumber - 15;
}

// Headings on the left (Label23 to Label26), values on the right: the three times in
// the general decimal form + " min." (Label15 to Label17), then one line per band from
// the top of the scale down, band name, four spaces, rounded share and "%" (Label18
// onwards; the labels a quantity has no band for are empty). With no records every
// caption is empty: there is no time to show and no share to compute.
ConclusionCaptions ConclusionTexts(const BandStatistics& stats, ComfortQuantity quantity,
                                   std::string_view decimalSeparator = ".");

ConclusionCaptions ConclusionTexts(std::span<const ComfortRecord> records, ComfortQuantity quantity,
                                   std::string_view decimalSeparator = ".");

} // namespace tessaplot
