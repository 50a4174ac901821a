#include "app/Temp.h"

namespace tessaplot {

void TForm1::wireSections() {}

} // namespace tessaplot
