#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// Realistic result directories of the clothing simulation, of any size: the bundled
// sample, test data and benchmark data. Output depends only on the options (a fixed
// hash stands in for random numbers), never on the platform or the locale.
namespace tessaplot::sample {

struct DataSetOptions {
    int layers = 3;                 // fabric layers, inner (skin side) first
    int nodesPerLayer = 6;          // lines of one layer block per time step
    int timeSteps = 72;             // of Fabrics.dat, the fibre files and BodyProperty.dat
    double durationMinutes = 180.0; // time of the last output line; outputs evenly spaced
    int fiberFiles = 3;     // fabric1_fiber_1.dat, fabric1_fiber_2.dat, fabric2_fiber_1.dat, ...
    int fiberNodes = 6;     // nodes from fibre centre to surface, lines per time step
    int comfortLines = 360; // of Comfort.dat, spread over the same duration
    double ambientCelsius = 5.0;
    std::uint64_t seed = 1;
    // The shell is a water-vapour barrier (a membrane laminate): the same jacket keeps
    // the wearer warmer and its inner layers damper.
    bool membraneShell = false;
};

// Tables as the simulation writes them: TAB between columns, a line feed after every
// line, time/position/key in short general form, measured values as "%.6E".
std::string FabricsTable(const DataSetOptions& options);
std::string FiberTable(const DataSetOptions& options, int fabric, int fiber);
std::string BodyPropertyTable(const DataSetOptions& options);
std::string ComfortTable(const DataSetOptions& options);
std::string LogInfoText(const DataSetOptions& options);

// Measured data of a trial of the same jacket, to check the run against: skin and core
// temperature logged at every other output step of BodyProperty.dat (on its records),
// the skin's spread between sensors as an SD column, and six thermal sensation votes on
// lines of Comfort.dat (empty cells between). Each is the run's own value minus a known
// bias plus scatter that cancels over the points, so the validation figures of the run
// against it come out with these biases (simulated minus measured), up to the rounding
// of the written digits (0.005 degree C, 0.05 on the sensation scale).
inline constexpr double MeasuredSkinBias = 0.2;  // degree C
inline constexpr double MeasuredCoreBias = -0.1; // degree C
inline constexpr double MeasuredVoteBias = 3.0;  // on the 0..100 sensation scale
std::string MeasuredDataTable(const DataSetOptions& options);

struct FiberFile {
    int fabric = 1; // 1-based layer the fibre belongs to
    int fiber = 1;  // 1-based fibre of that layer
    std::string fileName;
};
// The fibre files of a data set, in ascending name order; at most 9 per layer and
// 9 layers, as the one-character places of the file names allow.
std::vector<FiberFile> FiberFiles(const DataSetOptions& options);

// Writes Fabrics.dat, the fibre files, BodyProperty.dat, Comfort.dat and LogInfo.txt
// into `directory` (created when missing). On failure returns false and says why.
bool WriteDataSet(const std::filesystem::path& directory, const DataSetOptions& options,
                  std::string* error = nullptr);

bool WriteTextFile(const std::filesystem::path& file, std::string_view text,
                   std::string* error = nullptr);

} // namespace tessaplot::sample
