#include "dataset/PathShortening.h"

#include <gtest/gtest.h>

using namespace tessaplot;

TEST(PathShortening, RemovesMiddleNamesThenRootThenEllipsis) {
    const TextWidthFunction sevenPixels = [](const std::string& text) {
        return static_cast<int>(text.size()) * 7;
    };
    struct Case {
        const char* path;
        char separator;
        int maxChars;
        const char* expected;
    };
    const Case cases[] = {
        {"/home/ana/runs/a", '/', 40, "/home/ana/runs/a"},
        {"/home/ana/runs/a", '/', 16, "/home/ana/runs/a"},
        {"/home/ana/runs/a", '/', 15, "/.../ana/runs/a"},
        {"/home/ana/runs/a", '/', 14, "/.../runs/a"},
        {"/home/ana/runs/a", '/', 6, "/.../a"},
        {"/home/ana/runs/a", '/', 5, ".../a"},
        {"/home/ana/runs/a", '/', 4, "a"},
        {"/home/ana/runs/a", '/', 0, "a"},
        {"C:\\data\\2024\\runs\\a", '\\', 13, "C:\\...\\runs\\a"},
        {"C:\\data\\2024\\runs\\a", '\\', 8, "C:\\...\\a"},
        {"C:\\data\\2024\\runs\\a", '\\', 7, "...\\a"},
        {"/home/ana/runs/a/", '/', 14, "/.../runs/a"},
        {"/averyverylongname", '/', 10, "averyverylongname"},
        {"/", '/', 0, "/"},
        {"relative/dir/last", '/', 12, ".../dir/last"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ShortenDirectoryPath(c.path, c.maxChars * 7, sevenPixels, c.separator),
                  c.expected)
            << c.path << " in " << c.maxChars;
}
