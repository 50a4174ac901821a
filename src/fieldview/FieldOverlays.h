#pragma once

#include "dataset/FieldPoint.h"
#include "fieldview/FieldViewState.h"

#include <cstdint>
#include <span>

namespace tessaplot {

class TForm1;

// What a field picture draws: the loaded records, or what a layer put in their place
// (a difference), with its own extents and what it is drawn with.
struct ShownField {
    std::span<const FieldPoint> points;
    int positionsPerStep = 0;
    float TimeMin = 0, TimeMax = 0, PositionMin = 0, PositionMax = 0, ValueMin = 0, ValueMax = 0;
    FieldExtents extents;
    FieldDrawInputs inputs;
    // Moves with every filling of records put in place of the store's; 0 for the store.
    // The kept mesh is built anew when it moved.
    std::uint64_t replacedGeneration = 0;
};

// The store (the main window's records and extents) drawn with `inputs`.
ShownField StoreField(const TForm1& form, const FieldDrawInputs& inputs);

// What is laid over the Fabric, Fibers and BodyProperty pictures by the features above
// them (compared runs, a difference, the colour key, the marked time). The picture asks
// at every draw; a layer derives what it draws from its own state then, so nothing it
// showed before outlives a change of that state. A picture with no layers, or whose
// layers have nothing to add, is the original's.
class FieldOverlay {
public:
    virtual ~FieldOverlay() = default;
    // What the user asked of this layer, read with the controls for every picture.
    virtual void addInputs(const TForm1& form, FieldDrawInputs& inputs) const;
    // Before the picture is built: may widen its axes or put other records in place of
    // the store's.
    virtual void shape(TForm1& form, ShownField& shown);
    // After the mesh or curve: drawn over it.
    virtual void drawOver(TForm1& form, const ShownField& shown);
    // Following, while the shown table itself is unchanged: draws the picture again when
    // what this layer shows changed since; true if it did.
    virtual bool follow(TForm1& form);
};

} // namespace tessaplot
