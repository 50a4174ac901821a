#pragma once

#include "comfort/ComfortRecord.h"
#include "dataset/FieldPoint.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tessaplot {

// What one run's tables came to at the last read, as the table of runs takes it.
struct RunTableInput {
    std::string name;
    // Comfort.dat's records, or why there are none (a problem hides any record).
    std::span<const ComfortRecord> comfort;
    std::string comfortProblem;
    // The chosen column of BodyProperty.dat, or why there is none.
    std::span<const FieldPoint> body;
    std::string bodyProblem;
};

// The quantities the pages have chosen: RadioGroup4's and RadioGroup3's item index (-1
// for none) and text.
struct RunTableChoice {
    int sensationItem = -1;
    std::string sensationName;
    int bodyItem = -1;
    std::string bodyName;
    std::string decimalSeparator = ".";
};

// The table of runs: the first row names the runs (the opened one first), every other
// row starts with its heading. For the chosen sensation: the whole time, the times of
// the highest and lowest value and the share of each band (the conclusions' own texts),
// each compared run's followed by its difference from the opened run; for the chosen
// body quantity: lowest, highest, mean and final value. A run that could not be read
// shows why in its column, and nothing else there.
using TextTable = std::vector<std::vector<std::string>>;
TextTable RunComparisonTable(std::span<const RunTableInput> runs, const RunTableChoice& choice);

// The difference of a share from the opened run's, both as shown (rounded): "+12 %".
std::string ShareDifferenceText(int share, int openedShare);
// The difference of a time from the opened run's, to 0.01 min.: "-2.5 min.".
std::string TimeDifferenceText(float time, float openedTime, std::string_view separator);

} // namespace tessaplot
