#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tessaplot {

// The result tables found in one directory, as the chooser lists them.
struct ResultFileListing {
    // The list texts: the fixed names present, in the order Fabrics.dat, Bodyproperty.dat,
    // Comfort.dat, Loginfo.txt and under these spellings, then the fibre files.
    std::vector<std::string> listedNames;

    bool hasFabrics = false;
    bool hasBodyProperty = false;
    bool hasFibers = false;
    // Fibre tables ("fabric?_fiber_?.dat", any case) under their own names, ascending.
    std::vector<std::string> fiberFileNames;

    // The names as they are on disk (empty when absent). Matching ignores case, so on a
    // case-sensitive file system paths must be built from these, not from the list texts.
    std::string fabricsFileName;
    std::string bodyPropertyFileName;
    std::string comfortFileName;
    std::string logInfoFileName;
};

// Looks only at regular files (a directory named Fabrics.dat does not count). When two
// names differ only in case, the one spelled as listed wins, else the first in order.
// An unreadable or missing directory gives an empty listing. The directory is named as
// the platform's file calls take it (UTF-8).
ResultFileListing ListResultFiles(const std::string& directory);

// The name as it is on disk of the regular file `fileName` in `directory`, matched as
// the listing matches: `fileName` itself when there is such a file, else the first name
// that differs from it only in ASCII letter case; empty when there is none. Every
// character, '*' and '?' too, stands for itself.
std::string OnDiskFileName(const std::string& directory, std::string_view fileName);

} // namespace tessaplot
