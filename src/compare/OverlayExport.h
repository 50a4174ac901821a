#pragma once

#include <string>

namespace tessaplot {

class TForm1;
class TForm3;
struct ExportTarget;

// The numbers behind an overlaid picture in long form: a row per record drawn, the
// run's name first ("Run,Time (min.),<quantity>"), the opened run's rows first. Each
// fills `target`'s table and is true when runs are compared or measured series of the
// quantity are laid beside them (their rows last, under the file's name); otherwise it
// leaves `target` alone, and the picture's own table stands.
bool ComparedBodyTable(const TForm1& form, bool fieldShown, const std::string& variable,
                       ExportTarget& target);
bool ComparedComfortTable(const TForm1& form, int quantityItem, ExportTarget& target);
bool ComparedSectionTable(const TForm3& window, ExportTarget& target);

} // namespace tessaplot
