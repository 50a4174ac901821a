// Entry of the window tests: one application object for the whole run, as the
// program has; each test builds its own set of forms.
#include "app/Application.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    tessaplot::SetDefaultSurfaceFormat();
    tessaplot::TApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
