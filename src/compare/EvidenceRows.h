#pragma once

#include "compare/Evidence.h"
#include "compare/RunComparisonTable.h"
#include "evidence/CurveView.h"

#include <span>
#include <string>

namespace tessaplot {

// The unit of a quantity as its name carries it in brackets ("(degree of C)"), or "" when
// it has none (the sensations' 0 to 100).
std::string QuantityUnit(EvidenceQuantity quantity);

// A run's curve of a quantity from what the table of runs read of it: the chosen
// BodyProperty column or the chosen sensation. Empty when that run has none.
CurveView BodyCurveOf(const RunTableInput& run);
CurveView SensationCurveOf(const RunTableInput& run, int sensationItem);

// What the table of runs adds when evidence is laid beside the runs:
// - for each protocol phase, the table's own sections again over that phase's records
//   ("not reached" for a run that has none there);
// - for the chosen body quantity and sensation, each measured series laid against it:
//   points compared, bias, standard deviation of the differences, RMSE, largest
//   difference and (with a tolerance) the share within it, over the whole time and per
//   phase;
// - for each threshold on those quantities: first crossing, time beyond and entries,
//   over the whole time and per phase.
// Every figure's row names its unit; times are in minutes. Nothing laid: no rows.
void AppendEvidenceRows(TextTable& table, std::span<const RunTableInput> runs,
                        const RunTableChoice& choice, const Evidence& evidence);

} // namespace tessaplot
