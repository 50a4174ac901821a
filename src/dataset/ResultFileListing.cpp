#include "dataset/ResultFileListing.h"

#include "dataset/WildcardMatch.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace tessaplot {

namespace {

constexpr std::size_t listTextLimit = 20;

std::vector<std::string> regularFileNames(const std::string& directory) {
    std::vector<std::string> names = ListRegularFileNames(directory);
    // Case-insensitive order first, byte order among names that differ only in case,
    // so the result does not depend on the order the file system returns entries.
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        if (LessIgnoringCase(a, b))
            return true;
        if (LessIgnoringCase(b, a))
            return false;
        return a < b;
    });
    return names;
}

std::string findIgnoringCase(const std::vector<std::string>& names, std::string_view wanted) {
    const auto exact = std::find(names.begin(), names.end(), wanted);
    if (exact != names.end())
        return *exact;
    const auto similar = std::find_if(names.begin(), names.end(), [&](const std::string& name) {
        return EqualsIgnoringCase(name, wanted);
    });
    return similar != names.end() ? *similar : std::string();
}

} // namespace

ResultFileListing ListResultFiles(const std::string& directory) {
    ResultFileListing listing;
    const std::vector<std::string> names = regularFileNames(directory);

    struct Fixed {
        std::string_view listedAs;
        std::string ResultFileListing::*onDisk;
    };
    const std::array<Fixed, 4> fixedNames{{
        {"Fabrics.dat", &ResultFileListing::fabricsFileName},
        {"Bodyproperty.dat", &ResultFileListing::bodyPropertyFileName},
        {"Comfort.dat", &ResultFileListing::comfortFileName},
        {"Loginfo.txt", &ResultFileListing::logInfoFileName},
    }};
    for (const Fixed& fixed : fixedNames) {
        std::string found = findIgnoringCase(names, fixed.listedAs);
        if (found.empty())
            continue;
        listing.listedNames.emplace_back(fixed.listedAs.substr(0, listTextLimit));
        listing.*fixed.onDisk = std::move(found);
    }
    listing.hasFabrics = !listing.fabricsFileName.empty();
    listing.hasBodyProperty = !listing.bodyPropertyFileName.empty();

    for (const std::string& name : names) {
        if (MatchesWildcard(name, "fabric?_fiber_?.dat")) {
            listing.fiberFileNames.push_back(name);
            listing.listedNames.push_back(name);
        }
    }
    listing.hasFibers = !listing.fiberFileNames.empty();
    return listing;
}

std::string OnDiskFileName(const std::string& directory, std::string_view fileName) {
    return findIgnoringCase(regularFileNames(directory), fileName);
}

} // namespace tessaplot
