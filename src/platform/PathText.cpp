#include "platform/PathText.h"

namespace tessaplot {

namespace {

constexpr char16_t kEscapeBase = 0xDC00;
constexpr char16_t kReplacement = 0xFFFD;

bool isHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool isLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}
bool isEscape(char16_t unit) {
    return unit >= kEscapeBase + 0x80 && unit <= kEscapeBase + 0xFF;
}

unsigned char byteAt(std::string_view bytes, std::size_t i) {
    return static_cast<unsigned char>(bytes[i]);
}

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The length of the well-formed UTF-8 sequence at `i` and its code point, or 0. The
// second byte's range excludes overlong forms, surrogates and code points past U+10FFFF,
// so each of those is escaped and comes back byte for byte.
std::size_t decodeOne(std::string_view bytes, std::size_t i, char32_t& codePoint) {
    const unsigned char lead = byteAt(bytes, i);
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    }
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF; // allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0;
        else if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (bytes.size() - i < length)
        return 0;
    const unsigned char second = byteAt(bytes, i + 1);
    if (second < low || second > high)
        return 0;
    char32_t value = lead & (0xFF >> (length + 1));
    for (std::size_t k = 1; k < length; ++k) {
        const unsigned char next = byteAt(bytes, i + k);
        if (!isContinuation(next))
            return 0;
        value = (value << 6) | (next & 0x3F);
    }
    codePoint = value;
    return length;
}

void appendUtf16(std::u16string& text, char32_t codePoint) {
    if (codePoint < 0x10000) {
        text += static_cast<char16_t>(codePoint);
        return;
    }
    codePoint -= 0x10000;
    text += static_cast<char16_t>(0xD800 + (codePoint >> 10));
    text += static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF));
}

void appendUtf8(std::string& bytes, char32_t codePoint) {
    const auto put = [&bytes](unsigned value) { bytes += static_cast<char>(value); };
    if (codePoint < 0x80) {
        put(codePoint);
    } else if (codePoint < 0x800) {
        put(0xC0 | (codePoint >> 6));
        put(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        put(0xE0 | (codePoint >> 12));
        put(0x80 | ((codePoint >> 6) & 0x3F));
        put(0x80 | (codePoint & 0x3F));
    } else {
        put(0xF0 | (codePoint >> 18));
        put(0x80 | ((codePoint >> 12) & 0x3F));
        put(0x80 | ((codePoint >> 6) & 0x3F));
        put(0x80 | (codePoint & 0x3F));
    }
}

} // namespace

std::u16string PathTextFromBytes(std::string_view bytes) {
    std::u16string text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        char32_t codePoint = 0;
        if (const std::size_t length = decodeOne(bytes, i, codePoint); length > 0) {
            appendUtf16(text, codePoint);
            i += length;
        } else {
            // One byte only: what follows may well start a valid character.
            text += static_cast<char16_t>(kEscapeBase + byteAt(bytes, i));
            ++i;
        }
    }
    return text;
}

std::string PathBytesFromText(std::u16string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        // A pair first: a character past U+FFFF may end in a unit of the escape range.
        if (isHighSurrogate(unit) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
            appendUtf8(bytes, 0x10000 + ((char32_t(unit) - 0xD800) << 10) +
                                  (char32_t(text[i + 1]) - 0xDC00));
            ++i;
        } else if (isEscape(unit)) {
            bytes += static_cast<char>(unit - kEscapeBase);
        } else if (isHighSurrogate(unit) || isLowSurrogate(unit)) {
            appendUtf8(bytes, kReplacement);
        } else {
            appendUtf8(bytes, unit);
        }
    }
    return bytes;
}

std::u16string ShownPathText(std::u16string_view text) {
    std::u16string shown(text);
    for (std::size_t i = 0; i < shown.size(); ++i) {
        if (isHighSurrogate(shown[i]) && i + 1 < shown.size() && isLowSurrogate(shown[i + 1]))
            ++i;
        else if (isEscape(shown[i]))
            shown[i] = kReplacement;
    }
    return shown;
}

} // namespace tessaplot
