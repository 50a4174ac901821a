#include "cli/SummaryRun.h"

#include "cli/CommandLine.h"

namespace tessaplot {

// Placeholder until the summary is built.
int RunSummary(const CommandLine&) {
    return 2;
}

} // namespace tessaplot
