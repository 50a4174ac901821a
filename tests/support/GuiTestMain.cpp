// Entry of the window tests: one application object for the whole run, as the
// program has; each test builds its own set of forms.
#include "app/Application.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace {

// Mesa unloads its software renderer when the last display closes; memory its globals
// still hold then looks leaked to LeakSanitizer, with no module name to suppress it
// by. Keeping the driver mapped for the life of the process leaves it reachable.
void keepOpenGlDriverLoaded() {
    for (const char* driver : {"/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so",
                               "/usr/lib/x86_64-linux-gnu/dri/kms_swrast_dri.so"})
        dlopen(driver, RTLD_LAZY | RTLD_NODELETE);
}

// The leak check normally runs inside exit(), while the driver's helper threads are
// being torn down by its exit handlers; LeakSanitizer's tracer then sometimes crashes
// on a thread that vanishes under it. Checking once the application object is gone
// but before exit meets those threads idle. Leaks are reported exactly as at exit.
void checkForLeaksBeforeExit() {
#if defined(__SANITIZE_ADDRESS__)
    __lsan_do_leak_check();
#endif
}

} // namespace

int main(int argc, char** argv) {
    keepOpenGlDriverLoaded();
    ::testing::InitGoogleTest(&argc, argv);
    tessaplot::SetDefaultSurfaceFormat();
    int status = 0;
    {
        tessaplot::TApplication app(argc, argv);
        status = RUN_ALL_TESTS();
    }
    checkForLeaksBeforeExit();
    return status;
}
