#pragma once

#include "dataset/FieldPoint.h"
#include "fieldview/ColorRamp.h"
#include "fieldview/FieldOverlays.h"

#include <QString>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

class QMenu;

namespace tessaplot {

class GlPanel;
class TForm1;

// With a difference chosen on a mesh, puts it in place of the store's records in
// `shown`: the compared run's table of the same file, layer and column is read (when
// not kept) and the difference taken anew only when either table changed. A compared
// table that cannot be read is told once, and nothing is drawn of it: no mesh at all.
void PutDifferenceInPlace(TForm1& form, ShownField& shown);

// The records the kept mesh was built from, one for one with its vertices (none when
// they are no longer kept).
std::span<const FieldPoint> DrawnRecords(const TForm1& form);

// The title of the values the kept mesh draws: the quantity's (its unit is the
// difference's too), and what a difference adds to its name (" - run (part)"; empty
// for the quantity itself). Given apart, so that no bracket the run's name or the
// difference adds is ever read as the unit.
struct DrawnValueTitle {
    std::string quantity;
    std::string differenceSuffix;
};
DrawnValueTitle DrawnValueTitleOf(const TForm1& form, const FieldDrawInputs& inputs);

// Chooses the compared run of `runSerial` (0 for none) and draws the shown mesh again.
void ChooseDifferenceFrom(TForm1& form, std::uint64_t runSerial);
// The chosen run is forgotten when it is removed (told once) or another data set is
// opened; the mesh is drawn again whenever the runs change.
void WireDifference(TForm1& form);
// "Difference From" in a Fabric or Fibers panel's context menu.
void AddDifferenceItems(GlPanel* surface, QMenu& menu);
// Following: draws the mesh again when the compared table changed on disk; true if so.
bool FollowDifferenceTable(TForm1& form);

// The table behind a difference picture: header and columns.
struct DifferenceTable {
    std::vector<std::string> header;
    std::vector<std::vector<float>> columns;
    std::vector<std::string> nameParts; // added to the proposed file name
};
// The table of the difference the panel shows; false when it shows none.
bool ShownDifferenceTable(const TForm1& form, DifferenceTable& table);

} // namespace tessaplot
