#pragma once

#include "dataset/FieldLoader.h"
#include "dataset/KeptFieldTable.h"
#include "fieldview/ColorRamp.h"
#include "fieldview/FieldMesh.h"

#include <QObject>

class QTimer;

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessaplot {

class FieldOverlay;
class GlPanel;
class TForm1;

// Starts following the shown field table (see TForm1::followShownTable).
void StartFollowingFieldTables(TForm1& form);

// What the field view keeps besides the main window's named members.
// What a field picture is drawn from besides the loaded records: read from the
// controls when the screen draws, kept so that a saved picture is the one on the screen
// even after a choice was changed without drawing.
struct FieldDrawInputs {
    bool threeD = true;
    ColorRamp ramp;
    int colorAxis = 0;
    std::string_view valueTickPattern;
    std::string variableCaption;  // 3D: above the value axis
    std::string thicknessCaption; // 2D: above the value axis
    // What the user asked for: the key beside the mesh, a value range the ramp keeps.
    bool colourKey = false;
    std::optional<ColourRange> fixedRange;
};

// The mesh of the last field drawn, as segments ready for one draw call. Kept while
// the store and what colours it stay the same, so a navigation step only draws it.
struct KeptFieldMesh {
    bool built = false;
    std::uint64_t storeGeneration = 0;
    std::uint64_t replacedGeneration = 0; // 0: built from the store itself
    FieldExtents extents;
    bool threeD = true;
    ColorRamp ramp;
    int colorAxis = 0;
    std::optional<ColourRange> fixedRange;
    FieldMesh mesh;
    std::vector<unsigned> segments;
    // Counts the builds: what was made from one mesh is stale once it moved.
    std::uint64_t builds = 0;
};

struct FieldViewState {
    // The latest drag position not yet turned into a step. Move events that arrive
    // while a step is being drawn overwrite it, so a slow picture gives fewer steps
    // instead of a backlog.
    struct PendingMove {
        GlPanel* panel;
        int x, y;
        bool leftButtonHeld;
    };
    std::optional<PendingMove> pendingMove;

    // A press on the "Conclusions" group box itself, waiting for its release.
    bool conclusionsPressed = false;

    // The picture a view panel shows now: its frame, and the field drawn over it if any.
    GlPanel* shownPanel = nullptr;
    std::optional<FieldDrawInputs> shownField;

    // Which table the field store holds, and the mesh last made from it.
    KeptFieldTable keptTable;
    KeptFieldMesh keptMesh;
    // What the features lay over the pictures, in the order they draw.
    std::vector<std::shared_ptr<FieldOverlay>> overlays;

    // Looks at the shown table's identity to follow a running simulation.
    QTimer* followTimer = nullptr;
    // The re-read following started: it goes on in the event loop's idle slots, each a
    // few milliseconds, and is drawn once whole if the picture it replaces is still
    // the one shown.
    SlicedFieldLoad followRead;
    FileIdentity followIdentity;
    std::uint64_t followGeneration = 0;
    QTimer* followSlotTimer = nullptr;
};

// Draws the shown field page into ViewDC and shows it: the frame, then the current
// data file with the current column. A surface without its context yet is drawn by
// the deferred redraw as soon as the context exists.
void DrawFieldPage(TForm1& form);

// The same for a table just loaded into the store: draws without reading.
void DrawLoadedFieldPage(TForm1& form);

// Draws the field picture `surface` shows again from the store, its inputs as shown
// but for what `adjust` changes (a reading choice, a difference); nothing when the
// panel shows no field picture.
void RedrawShownFieldPicture(TForm1& form, GlPanel* surface,
                             const std::function<void(FieldDrawInputs&)>& adjust = {});

// The modelview matrix of the shown Fabric or Fibers view (column by column) and that
// of its first view, as Reset makes it; none without a surface to ask.
struct ShownViewMatrices {
    std::array<float, 16> shown{}, initial{};
};
std::optional<ShownViewMatrices> ShownFieldView(TForm1& form);

// Sets the shown Fabric or Fibers view to `matrix` and draws it, as a step does (and
// where a step would: a variable chosen, a data set opened).
void SetFieldView(TForm1& form, const std::array<float, 16>& matrix);

// Runs the step of the latest merged drag position, if any.
void FlushPendingMove(TForm1& form);

// Fabric "Show Data": the data-set check, the caption, the status bar, the 2D button;
// and the picture when `draw` is set.
void ShowFabricData(TForm1& form, bool draw);

} // namespace tessaplot
