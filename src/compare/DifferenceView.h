#pragma once

#include "dataset/FieldPoint.h"
#include "fieldview/ColorRamp.h"
#include "fieldview/FieldViewState.h"

#include <QString>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

class QMenu;

namespace tessaplot {

class GlPanel;
class TForm1;
struct DifferenceField;

// What a field picture draws: the loaded records, or the difference from the compared
// run chosen, with its own extents and what it is drawn with.
struct ShownField {
    std::span<const FieldPoint> points;
    int positionsPerStep = 0;
    float TimeMin = 0, TimeMax = 0, PositionMin = 0, PositionMax = 0, ValueMin = 0, ValueMax = 0;
    FieldExtents extents;
    // The inputs as asked for, or for a difference: its caption, its range, the ramp
    // through white at zero, coloured along the value.
    FieldDrawInputs inputs;
    // The difference drawn (nullptr: the store), and its generation for the kept mesh.
    const DifferenceField* difference = nullptr;
    std::uint64_t differenceGeneration = 0;
};

// What the view panel draws now for `inputs`. With a difference chosen on a mesh, the
// compared run's table of the same file, layer and column is read (when not kept) and
// the difference taken anew only when either table changed. A compared table that
// cannot be read is told once, and nothing is drawn of it: no mesh at all.
ShownField ShownFieldOf(TForm1& form, const FieldDrawInputs& inputs);

// The records the kept mesh was built from, one for one with its vertices (none when
// they are no longer kept).
std::span<const FieldPoint> DrawnRecords(const TForm1& form);

// The title of the values the kept mesh draws: the difference's, or the quantity's.
std::string DrawnVariableCaption(const TForm1& form, const FieldDrawInputs& inputs);

// Chooses the compared run `name` ("" for none) and draws the shown mesh again.
void ChooseDifferenceFrom(TForm1& form, const std::string& name);
// The chosen run is forgotten when it is removed or another data set is opened.
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
