#pragma once

#include <string>
#include <string_view>

// Paths as the windows keep them (UTF-16 text) and as the file calls take them (bytes).
//
// A POSIX name is bytes, most often UTF-8 but not always: an older tool may have
// written "é" as the single Latin-1 byte E9. Text made from such a name must turn back
// into the very same bytes, or the directory cannot be opened again. Valid UTF-8
// becomes its characters; every byte of anything else becomes the lone surrogate
// U+DC80 + byte ("surrogate escape"), which no valid UTF-8 decodes to.
namespace tessaplot {

// Never fails: each byte is either part of a character or escaped on its own.
std::u16string PathTextFromBytes(std::string_view bytes);

// The exact inverse of PathTextFromBytes. Text it cannot have made (a lone surrogate
// other than an escape) is written as U+FFFD, so that no invalid UTF-8 is invented.
std::string PathBytesFromText(std::u16string_view text);

// The text to show: each escaped byte as U+FFFD, the rest unchanged.
std::u16string ShownPathText(std::u16string_view text);

} // namespace tessaplot
