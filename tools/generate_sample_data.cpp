// Writes a result directory of the clothing simulation for people, tests and benchmarks.
#include "SampleData.h"

#include <charconv>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

namespace {

void printUsage(std::FILE* to) {
    std::fputs(
        "usage: generate_sample_data <output-dir> [options]\n"
        "  --steps N          time steps (default 72)\n"
        "  --layers N         fabric layers (default 3)\n"
        "  --nodes N          nodes per layer (default 6)\n"
        "  --fibers N         fibre files (default 3)\n"
        "  --fiber-nodes N    nodes per fibre time step (default 6)\n"
        "  --comfort-lines N  lines of Comfort.dat (default 360)\n"
        "  --duration MIN     time of the last step in minutes (default 180)\n"
        "  --ambient C        ambient temperature in degree C (default 5)\n"
        "  --seed N           noise seed (default 1)\n"
        "  --membrane         the shell is a water-vapour barrier (samples/membrane-run)\n"
        "  --measured FILE    also write measured data of a trial of the same run to FILE\n"
        "                     (samples/jacket-run-measured.csv; known biases, see SampleData.h)\n",
        to);
}

template <typename Number> bool parseNumber(std::string_view text, Number& value) {
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

} // namespace

int main(int argc, char** argv) {
    tessaplot::sample::DataSetOptions options;
    std::string directory;
    std::string measured;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            printUsage(stdout);
            return 0;
        }
        if (arg.substr(0, 2) != "--") {
            if (!directory.empty()) {
                std::fprintf(stderr, "generate_sample_data: more than one output directory\n");
                return 2;
            }
            directory = arg;
            continue;
        }
        if (arg == "--membrane") {
            options.membraneShell = true;
            continue;
        }
        if (i + 1 >= argc) {
            std::fprintf(stderr, "generate_sample_data: %s needs a value\n", argv[i]);
            return 2;
        }
        const std::string_view value = argv[++i];
        bool ok = false;
        if (arg == "--steps")
            ok = parseNumber(value, options.timeSteps) && options.timeSteps >= 0;
        else if (arg == "--layers")
            ok = parseNumber(value, options.layers) && options.layers >= 1;
        else if (arg == "--nodes")
            ok = parseNumber(value, options.nodesPerLayer) && options.nodesPerLayer >= 1;
        else if (arg == "--fibers")
            ok = parseNumber(value, options.fiberFiles) && options.fiberFiles >= 0 &&
                 options.fiberFiles <= 81;
        else if (arg == "--fiber-nodes")
            ok = parseNumber(value, options.fiberNodes) && options.fiberNodes >= 1;
        else if (arg == "--comfort-lines")
            ok = parseNumber(value, options.comfortLines) && options.comfortLines >= 0;
        else if (arg == "--duration")
            ok = parseNumber(value, options.durationMinutes) && options.durationMinutes > 0;
        else if (arg == "--ambient")
            ok = parseNumber(value, options.ambientCelsius);
        else if (arg == "--seed")
            ok = parseNumber(value, options.seed);
        else if (arg == "--measured") {
            measured = value;
            ok = !measured.empty();
        } else {
            std::fprintf(stderr, "generate_sample_data: unknown option %s\n", argv[i - 1]);
            printUsage(stderr);
            return 2;
        }
        if (!ok) {
            std::fprintf(stderr, "generate_sample_data: bad value '%s' for %s\n", argv[i],
                         argv[i - 1]);
            return 2;
        }
    }
    if (directory.empty()) {
        printUsage(stderr);
        return 2;
    }
    std::string error;
    if (!tessaplot::sample::WriteDataSet(directory, options, &error)) {
        std::fprintf(stderr, "generate_sample_data: %s\n", error.c_str());
        return 1;
    }
    if (!measured.empty() && !tessaplot::sample::WriteTextFile(
                                 measured, tessaplot::sample::MeasuredDataTable(options), &error)) {
        std::fprintf(stderr, "generate_sample_data: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
