#pragma once

#include "comfort/ComfortRecord.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tessaplot {

// Fields a line of Comfort.dat sets in its record; which ones depends on the number of
// TABs in the line: none for 0, Time for 1 to 7, ThermalSensation too for 8, all four
// for exactly 9, and for 10 or more all but ComfortValue.
enum ComfortField : unsigned {
    ComfortFieldTime = 1u << 0,
    ComfortFieldThermalSensation = 1u << 1,
    ComfortFieldDampnessSensation = 1u << 2,
    ComfortFieldComfortValue = 1u << 3,
    ComfortFieldsAll = 0xFu,
};

struct ComfortLineFields {
    int tabCount = 0;
    unsigned fields = 0;
};

// Converts the columns of one line (without its line feed) into `record`: column 0 into
// Time, 7 into ThermalSensation, 8 into DampnessSensation and, only when the line has
// exactly nine TABs, column 9 into ComfortValue. Fields not set keep their value. A NUL
// character ends the line.
ComfortLineFields ParseComfortLine(std::string_view line, ComfortRecord& record);

struct ComfortReadResult {
    // False when the file could not be opened or read (missing, empty path, a
    // directory); the caller tells the user "No files!". The read then yields no records.
    bool fileOpened = false;
    // ComfortCount: the records of this read, which are store[0 .. count).
    int count = 0;
    // ComfortEndTime: Time of the last record; 0 when there are none.
    float endTime = 0.0f;
};

// Reads the complete lines of `text` into `store` (cleared first, grown as needed, its
// capacity kept for the next read). A line counts only when it ends with a line feed and
// holds exactly nine TABs, so that every record has all four fields from its own line:
// a last line without its line feed (the simulation may still be writing it), empty
// lines and lines with any other number of TABs are passed over.
ComfortReadResult ReadComfortText(std::string_view text, std::vector<ComfortRecord>& store);

// The same for a file, read whole in one go into `buffer`, which is reused between
// calls so that a read of an unchanged file allocates nothing.
ComfortReadResult ReadComfortFile(const std::string& path, std::vector<ComfortRecord>& store,
                                  std::string& buffer);

// A reader for a file that is read again every few milliseconds while the simulation
// appends to it. Each read takes the whole file from disk, but lines whose bytes are
// the same as at the previous read are not converted again: when the new content starts
// with every byte of the lines already converted, only what follows is parsed. The
// records are always exactly those a fresh ReadComfortFile would give.
class ComfortFileReader {
public:
    ComfortFileReader();

    ComfortReadResult read(const std::string& path);
    const std::vector<ComfortRecord>& records() const { return records_; }

private:
    std::string bytes_;
    std::string spare_;
    std::size_t parsedBytes_ = 0;
    std::vector<ComfortRecord> records_;
};

} // namespace tessaplot
