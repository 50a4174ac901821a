#include "dataset/ReadProblemText.h"

#include <cstdio>

namespace tessaplot {

std::string SizeText(std::uint64_t bytes) {
    if (bytes < 1000)
        return std::to_string(bytes) + (bytes == 1 ? " byte" : " bytes");
    const char* const units[] = {"kB", "MB", "GB", "TB", "PB", "EB"};
    double value = static_cast<double>(bytes) / 1000.0;
    int unit = 0;
    // 999.95 would print as "1000.0": move up a unit before that.
    while (value >= 999.95 && unit + 1 < 6) {
        value /= 1000.0;
        ++unit;
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.1f %s", value, units[unit]);
    return text;
}

namespace {

// The reader's own limits are whole binary megabytes, and are named as such.
std::string limitText(std::uint64_t bytes) {
    constexpr std::uint64_t megabyte = 1u << 20;
    return bytes >= megabyte && bytes % megabyte == 0 ? std::to_string(bytes / megabyte) + " MB"
                                                      : SizeText(bytes);
}

} // namespace

std::string ReadProblemMessage(std::string_view file, const ReadProblem& problem) {
    const std::string name(file);
    switch (problem.kind) {
    case ReadProblem::Kind::None:
    case ReadProblem::Kind::Absent:
    case ReadProblem::Kind::NotRegular:
        return {};
    case ReadProblem::Kind::System:
        return name + " cannot be read: " + SystemErrorText(problem.code) + ".";
    case ReadProblem::Kind::NoLineEnd:
        return name + " is not a result table: no line end in its first " +
               limitText(LineWindow::kNoLineEndLimit) + ".";
    case ReadProblem::Kind::LongLine:
        return name + " is not a result table: a line longer than " + limitText(problem.limit) +
               " at byte " + std::to_string(problem.offset) + ".";
    case ReadProblem::Kind::Cancelled:
        return "Reading " + name + " was cancelled.";
    case ReadProblem::Kind::OutOfMemory:
        return "Not enough memory to load " + name + " (" + SizeText(problem.fileSize) + ").";
    }
    return {};
}

} // namespace tessaplot
