#include "app/PathStrings.h"

#include "platform/PathText.h"

#include <string_view>

namespace tessaplot {

// Windows names are UTF-16 already: the file calls take them as UTF-8, unescaped.
#ifdef _WIN32

QString PathFromBytes(const std::string& bytes) {
    return QString::fromStdString(bytes);
}

std::string PathBytes(const QString& path) {
    return path.toStdString();
}

QString ShownPath(const QString& path) {
    return path;
}

#else

namespace {

std::u16string_view utf16(const QString& text) {
    return {QStringView(text).utf16(), static_cast<std::size_t>(text.size())};
}

} // namespace

QString PathFromBytes(const std::string& bytes) {
    return QString::fromStdU16String(PathTextFromBytes(bytes));
}

std::string PathBytes(const QString& path) {
    return PathBytesFromText(utf16(path));
}

QString ShownPath(const QString& path) {
    return QString::fromStdU16String(ShownPathText(utf16(path)));
}

#endif

} // namespace tessaplot
