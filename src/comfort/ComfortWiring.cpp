#include "app/Temp.h"

namespace tessaplot {

void TForm1::wireComfort() {}

} // namespace tessaplot
