#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace tessaplot {

// A 3D field view as the panel keeps it: the modelview matrix, column by column.
using ViewMatrix = std::array<float, 16>;

// The shortest decimal text that reads back as exactly `value` ('.' as the point).
std::string ShortestFloatText(float value);

// A number written by ShortestFloatText read back as exactly that float (rounded once,
// straight to float); none for anything but one finite number.
std::optional<float> ParseFloatText(std::string_view text);

// The view as `--view` numbers: the matrix's first three rows, column by column (twelve
// numbers; the last row of a turned and scaled view is always 0, 0, 0, 1), each in its
// shortest text, so that reading them back gives the very same floats.
std::string ViewMatrixText(const ViewMatrix& matrix);

// The inverse: twelve comma-separated numbers, none when the text is anything else.
std::optional<ViewMatrix> ParseViewMatrix(std::string_view text);

} // namespace tessaplot
