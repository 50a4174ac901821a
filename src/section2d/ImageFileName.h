#pragma once

#include "section2d/SectionExtraction.h"

#include <string>
#include <string_view>

namespace tessaplot {

// The name offered when the user saves the 2D picture: the variable's name without
// its unit, the section kind as the radio button reads, and the time or position,
// e.g. "Temperature-TimePos-12.5.png". Characters that a file name cannot hold on
// common systems become '_'.
std::string SuggestedImageFileName(std::string_view variable, SectionKind kind,
                                   std::string_view sectionText);

} // namespace tessaplot
