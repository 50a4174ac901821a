#include "reproduce/ShellWord.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace tessaplot {
namespace {

// What `sh -c` makes of a word: the bytes of its one argument.
std::string shellArgument(const std::string& word) {
    const std::string command = "printf '%s' " + word + " | od -An -tx1 -v";
    std::FILE* pipe = popen(("sh -c " + ShellWord(command)).c_str(), "r");
    std::string out;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr)
        out += buffer;
    pclose(pipe);
    return out;
}

std::string hexOf(const std::string& bytes) {
    std::string hex;
    for (const unsigned char c : bytes) {
        char two[4];
        std::snprintf(two, sizeof two, " %02x", c);
        hex += two;
    }
    return hex;
}

TEST(ShellWordPosix, PathsOfAnyBytesComeBackFromTheShellUnchanged) {
    const std::string paths[] = {
        "/runs/jacket run",          "/runs/it's \"quoted\"",
        "/runs/$HOME `x` \\n *?[a]", "/runs/caf\xC3\xA9 \xE2\x82\xAC",
        "/runs/caf\xE9/\xFF\xFE-x",  "/runs/new\nline\ttab",
        "-starts-with-dash",         "/runs/'\xE9'",
    };
    for (const std::string& path : paths) {
        std::string got = shellArgument(ShellWord(path));
        std::string flat;
        for (const char c : got)
            if (c != '\n')
                flat += c;
        EXPECT_EQ(flat, hexOf(path)) << ShellWord(path);
    }
}

} // namespace
} // namespace tessaplot
