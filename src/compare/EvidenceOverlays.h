#pragma once

namespace tessaplot {

class TForm1;
class TForm3;

// Lays the evidence beside the compared runs over the BodyProperty curve and the comfort
// chart (and the phases along a section through one position in the "2D Image"
// window): protocol phases as light bands under the curves, thresholds as dashed lines,
// measured series of the shown quantity as square markers with ±SD whiskers and their
// files in the legend. Measured files are followed while a picture shows them.
void AttachEvidenceOverlays(TForm1& form, TForm3& imageWindow);

} // namespace tessaplot
