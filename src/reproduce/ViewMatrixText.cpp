#include "reproduce/ViewMatrixText.h"

#include <charconv>
#include <cmath>

namespace tessaplot {

namespace {

// The matrix entries the twelve numbers stand for, in their order.
constexpr int kWritten[12] = {0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14};

} // namespace

std::string ShortestFloatText(float value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

std::optional<float> ParseFloatText(std::string_view text) {
    float value = 0.0f;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size() ||
        !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::string ViewMatrixText(const ViewMatrix& matrix) {
    std::string text;
    for (const int entry : kWritten) {
        if (!text.empty())
            text += ',';
        text += ShortestFloatText(matrix[static_cast<std::size_t>(entry)]);
    }
    return text;
}

std::optional<ViewMatrix> ParseViewMatrix(std::string_view text) {
    ViewMatrix matrix{};
    matrix[15] = 1.0f;
    const char* at = text.data();
    const char* const end = text.data() + text.size();
    for (int i = 0; i < 12; ++i) {
        if (i > 0) {
            if (at == end || *at != ',')
                return std::nullopt;
            ++at;
        }
        // from_chars takes no '+'; a sign is written only as '-'.
        float value = 0.0f;
        const auto result = std::from_chars(at, end, value);
        if (result.ec != std::errc() || !std::isfinite(value))
            return std::nullopt;
        matrix[static_cast<std::size_t>(kWritten[i])] = value;
        at = result.ptr;
    }
    if (at != end)
        return std::nullopt;
    return matrix;
}

} // namespace tessaplot
