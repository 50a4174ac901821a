#include "reproduce/ShellWord.h"

#include "platform/PathText.h"

#include <cstdio>

namespace tessaplot {

namespace {

bool plain(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           std::string_view("_@%+=:,./-").find(c) != std::string_view::npos;
}

bool escapedByte(char16_t c) {
    return c >= 0xDC80 && c <= 0xDCFF;
}

std::string singleQuoted(std::string_view text) {
    std::string word = "'";
    for (const char c : text) {
        if (c == '\'')
            word += "'\\''";
        else
            word += c;
    }
    return word + "'";
}

} // namespace

std::string ShellWord(std::string_view bytes) {
    bool allPlain = !bytes.empty();
    for (const char c : bytes)
        allPlain = allPlain && plain(c);
    if (allPlain)
        return std::string(bytes);
    if (bytes.empty())
        return "''";

    // Runs of characters in quotes, runs of bytes that are no UTF-8 through printf; the
    // shell joins adjacent parts into one word.
    const std::u16string text = PathTextFromBytes(bytes);
    std::string word;
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t end = i;
        const bool escaped = escapedByte(text[i]);
        while (end < text.size() && escapedByte(text[end]) == escaped)
            ++end;
        const std::u16string_view run(text.data() + i, end - i);
        if (escaped) {
            word += "\"$(printf '";
            for (const char16_t c : run) {
                char octal[8];
                std::snprintf(octal, sizeof octal, "\\%03o", static_cast<unsigned>(c - 0xDC00));
                word += octal;
            }
            word += "')\"";
        } else {
            word += singleQuoted(PathBytesFromText(run));
        }
        i = end;
    }
    return word;
}

} // namespace tessaplot
