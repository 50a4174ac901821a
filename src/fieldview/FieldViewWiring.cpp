#include "app/Temp.h"

namespace tessaplot {

void TForm1::wireFieldView() {}

void TForm1::DrawLoadedField() {}

} // namespace tessaplot
