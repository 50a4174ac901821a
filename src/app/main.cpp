#include "app/Application.h"
#include "app/MessageBoxes.h"
#include "app/Temp.h"

#include <exception>

int main(int argc, char** argv) {
    tessaplot::SetDefaultSurfaceFormat();
    tessaplot::TApplication app(argc, argv);
    try {
        if (tessaplot::CreateForms()) {
            tessaplot::Form1->show();
            app.exec();
        }
    } catch (const std::exception& error) {
        tessaplot::ShowMessage(error.what());
    } catch (...) {
        tessaplot::ShowMessage("");
    }
    tessaplot::DestroyForms();
    return 0;
}
