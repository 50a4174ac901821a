// Entry of the window tests: one application object for the whole run, as the
// program has; each test builds its own set of forms.
#include "app/Application.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

namespace {

// Mesa unloads its software renderer when the last display closes; memory its globals
// still hold then looks leaked to LeakSanitizer, with no module name to suppress it
// by. Keeping the driver mapped for the life of the process leaves it reachable.
void keepOpenGlDriverLoaded() {
    for (const char* driver : {"/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so",
                               "/usr/lib/x86_64-linux-gnu/dri/kms_swrast_dri.so"})
        dlopen(driver, RTLD_LAZY | RTLD_NODELETE);
}

} // namespace

int main(int argc, char** argv) {
    keepOpenGlDriverLoaded();
    ::testing::InitGoogleTest(&argc, argv);
    tessaplot::SetDefaultSurfaceFormat();
    tessaplot::TApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
