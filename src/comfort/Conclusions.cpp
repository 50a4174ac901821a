#include "comfort/Conclusions.h"

#include "text/GeneralForm.h"

namespace tessaplot {

namespace {

std::string_view quantityWord(ComfortQuantity quantity) {
    switch (quantity) {
    case ComfortQuantity::ThermalSensation:
        return "thermal";
    case ComfortQuantity::DampnessSensation:
        return "dampness";
    case ComfortQuantity::ComfortValue:
        break;
    }
    return "comfort";
}

std::string minutes(float time, std::string_view separator) {
    return GeneralDecimalForm(time, separator) + " min.";
}

} // namespace

ConclusionCaptions ConclusionTexts(const BandStatistics& stats, ComfortQuantity quantity,
                                   std::string_view decimalSeparator) {
    ConclusionCaptions captions;
    if (stats.recordCount == 0)
        return captions;

    const std::string word(quantityWord(quantity));
    captions[ConclusionIndex(24)] = "The whole time of wearing clothing:  ";
    captions[ConclusionIndex(15)] = minutes(stats.wholeTime, decimalSeparator);
    captions[ConclusionIndex(25)] = "The highest " + word + " sensation:  ";
    captions[ConclusionIndex(16)] = minutes(stats.highestTime, decimalSeparator);
    captions[ConclusionIndex(26)] = "The lowest " + word + " sensation:  ";
    captions[ConclusionIndex(17)] = minutes(stats.lowestTime, decimalSeparator);
    captions[ConclusionIndex(23)] = "The percentage of " + word + " sensation:";

    const auto bands = SensationBandsOf(quantity);
    const int bandCount = static_cast<int>(bands.size());
    for (int row = 0; row < bandCount; ++row) {
        const int band = bandCount - 1 - row;
        captions[ConclusionIndex(18) + row] = std::string(bands[band].name) + "    " +
                                              std::to_string(stats.roundedPercentages[band]) + "%";
    }
    return captions;
}

ConclusionCaptions ConclusionTexts(std::span<const ComfortRecord> records, ComfortQuantity quantity,
                                   std::string_view decimalSeparator) {
    return ConclusionTexts(ComputeBandStatistics(records, quantity), quantity, decimalSeparator);
}

} // namespace tessaplot
