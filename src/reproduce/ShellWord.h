#pragma once

#include <string>
#include <string_view>

namespace tessaplot {

// `bytes` as one word of a POSIX shell command that gives those very bytes back: as it
// stands when it holds only characters no shell treats specially, otherwise in single
// quotes ('\'' for a quote). The command stays text that can go through a clipboard:
// bytes that are no UTF-8 (a name written by an older tool in Latin-1) are written as
// "$(printf '\351')", which the shell turns back into the byte.
std::string ShellWord(std::string_view bytes);

} // namespace tessaplot
