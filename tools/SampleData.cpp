#include "SampleData.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <system_error>

namespace tessaplot::sample {

namespace {

// ---- number texts -------------------------------------------------------------

// Short general form ("%.10g"-like) for time, position and layer key.
void appendGeneral(std::string& out, double value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value == 0.0 ? 0.0 : value,
                                      std::chars_format::general, 10);
    out.append(text, result.ptr);
}

// "%.6E"-like for measured values, as a Fortran or C solver prints them.
void appendScientific(std::string& out, double value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value == 0.0 ? 0.0 : value,
                                      std::chars_format::scientific, 6);
    for (char* p = text; p != result.ptr; ++p)
        out.push_back(*p == 'e' ? 'E' : *p);
}

// ---- deterministic noise --------------------------------------------------------

std::uint64_t mix(std::uint64_t x) {
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

// A value in [-1, 1) that depends only on its arguments, so every table comes out the
// same whatever is generated before it.
double noise(std::uint64_t seed, std::uint64_t stream, std::uint64_t a, std::uint64_t b = 0) {
    const std::uint64_t h = mix(mix(mix(mix(seed) ^ stream) ^ a) ^ b);
    return static_cast<double>(h >> 11) * (2.0 / 9007199254740992.0) - 1.0;
}

enum Stream : std::uint64_t { FabricNoise = 1, FiberNoise, BodyNoise, ComfortNoise, MeasuredNoise };

// ---- the wearer and the run ------------------------------------------------------

double smoothStep(double from, double to, double x) {
    const double t = std::clamp((x - from) / (to - from), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

// Output times are whole multiples of the output interval; the state at 0 (the garment
// just put on) is not written, so the last output falls on the end of the run.
double outputTime(double durationMinutes, int index, int outputs) {
    return durationMinutes * (index + 1) / outputs;
}

double stepTime(const DataSetOptions& options, int step) {
    return outputTime(options.durationMinutes, step, options.timeSteps);
}

// Brisk walking for two thirds of the run, then rest (0..1).
double activity(const DataSetOptions& options, double minutes) {
    const double restAt = options.durationMinutes * 2.0 / 3.0;
    return 1.0 - 0.7 * smoothStep(restAt - 5.0, restAt + 5.0, minutes);
}

// How far sweating has built up (0..1); it lags the exercise by about 40 minutes.
double sweating(double minutes) {
    return 1.0 - std::exp(-minutes / 40.0);
}

// Saturated water vapour concentration (kg/m^3) at a temperature (degree C), Magnus form.
double saturationConcentration(double celsius) {
    const double pascal = 610.94 * std::exp(17.625 * celsius / (celsius + 243.04));
    return pascal * 0.018015 / (8.314 * (celsius + 273.15));
}

double skinTemperature(const DataSetOptions& options, double minutes) {
    const double skin = 32.6 + 1.5 * sweating(minutes) - 0.6 * (1.0 - activity(options, minutes));
    // Sweat that cannot evaporate through the shell cools the skin less.
    return options.membraneShell ? skin + 0.8 * sweating(minutes) : skin;
}

double layerThickness(int layer) {
    // Base layer, insulation, shell, and a spare liner for deeper stacks (cm).
    static constexpr std::array<double, 4> thickness{0.08, 0.45, 0.06, 0.2};
    return thickness[static_cast<std::size_t>(layer) % thickness.size()];
}

double layerStart(int layer) {
    double start = 0.0;
    for (int l = 0; l < layer; ++l)
        start += layerThickness(l);
    return start;
}

struct ClothingState {
    double temperature;   // degree C
    double concentration; // kg/m^3
    double saturation;    // concentration / saturated concentration, may exceed 1
};

// Conditions at a relative depth (0 at the skin, 1 at the outer surface) of the clothing.
ClothingState clothingAt(const DataSetOptions& options, double depth, double minutes) {
    const double skin = skinTemperature(options, minutes);
    const double ambient = options.ambientCelsius;
    const double outer = ambient + (skin - ambient) * (options.membraneShell ? 0.32 : 0.25);
    const double steady = skin - (skin - outer) * std::pow(depth, 0.8);
    // The garment was put on at room temperature and settles within a few minutes.
    const double temperature = steady + (20.0 - steady) * std::exp(-minutes / (4.0 + 6.0 * depth));

    const double skinHumidity = 0.45 + 0.45 * sweating(minutes);
    const double skinVapour = skinHumidity * saturationConcentration(skin);
    const double ambientVapour = 0.7 * saturationConcentration(ambient);
    // A membrane holds the vapour back until the shell, where it falls steeply.
    const double drop = options.membraneShell ? std::pow(depth, 4.0) : depth;
    const double concentration = skinVapour - (skinVapour - ambientVapour) * drop;
    return {temperature, concentration, concentration / saturationConcentration(temperature)};
}

void appendTab(std::string& out) {
    out.push_back('\t');
}

} // namespace

// ---- tables -----------------------------------------------------------------------

std::string FabricsTable(const DataSetOptions& options) {
    const int layers = std::max(options.layers, 0);
    const int nodes = std::max(options.nodesPerLayer, 0);
    double total = layerStart(layers);
    if (total <= 0.0)
        total = 1.0;

    std::string out;
    out.reserve(static_cast<std::size_t>(options.timeSteps) * layers * nodes * 100);
    for (int step = 0; step < options.timeSteps; ++step) {
        const double minutes = stepTime(options, step);
        const double sweat = sweating(minutes);
        for (int layer = 0; layer < layers; ++layer) {
            for (int node = 0; node < nodes; ++node) {
                const double fraction = nodes > 1 ? static_cast<double>(node) / (nodes - 1) : 0.0;
                const double position = layerStart(layer) + layerThickness(layer) * fraction;
                const ClothingState state = clothingAt(options, position / total, minutes);
                const std::uint64_t line =
                    (static_cast<std::uint64_t>(step) * layers + layer) * nodes + node;
                const auto jitter = [&](int column, double amount) {
                    return 1.0 + amount * noise(options.seed, FabricNoise, line, column);
                };

                const double humidity = std::min(state.saturation, 1.0) * 100.0;
                const double concentration =
                    std::min(state.concentration, saturationConcentration(state.temperature));
                const double meanConcentration =
                    concentration * (1.0 - 0.08 * std::exp(-minutes / 12.0));
                // Condensation (positive) where the vapour would be supersaturated,
                // slow evaporation of taken-up water elsewhere.
                const double phaseChange =
                    3.0e-5 * (std::min(state.saturation, 1.3) - 0.95) * sweat;
                const double sorption =
                    6.0e-5 * std::exp(-minutes / 15.0) * (0.5 + std::min(state.saturation, 1.0));
                const double liquid =
                    3.0 * std::clamp((state.saturation - 0.9) / 0.3, 0.0, 1.0) * sweat;

                appendGeneral(out, minutes);
                appendTab(out);
                appendGeneral(out, position);
                appendTab(out);
                appendGeneral(out, layer + 1);
                appendTab(out);
                appendScientific(out, concentration * jitter(3, 0.002));
                appendTab(out);
                appendScientific(out, meanConcentration * jitter(4, 0.002));
                appendTab(out);
                appendScientific(out, phaseChange * jitter(5, 0.05));
                appendTab(out);
                appendScientific(out, std::min(humidity * jitter(6, 0.002), 100.0));
                appendTab(out);
                appendScientific(out, sorption * jitter(7, 0.05));
                appendTab(out);
                appendScientific(out, state.temperature * jitter(8, 0.001));
                appendTab(out);
                appendScientific(out, liquid * jitter(9, 0.02));
                out.push_back('\n');
            }
        }
    }
    return out;
}

std::string FiberTable(const DataSetOptions& options, int fabric, int fiber) {
    const int layers = std::max(options.layers, 1);
    const int layer = (std::max(fabric, 1) - 1) % layers;
    const int nodes = std::max(options.fiberNodes, 0);
    const double total = layerStart(layers);
    const double depth = (layerStart(layer) + 0.5 * layerThickness(layer)) / total;
    const double radius = 0.25;              // node positions run 0 (centre) to 0.25 (surface)
    const double settle = 6.0 + 4.0 * fiber; // minutes; thicker fibres take longer
    const std::uint64_t stream = FiberNoise + 16u * static_cast<std::uint64_t>(fabric * 10 + fiber);

    std::string out;
    out.reserve(static_cast<std::size_t>(options.timeSteps) * nodes * 60);
    for (int step = 0; step < options.timeSteps; ++step) {
        const double minutes = stepTime(options, step);
        const ClothingState state = clothingAt(options, depth, minutes);
        const double surface =
            std::min(state.concentration, saturationConcentration(state.temperature));
        const double lag = std::exp(-minutes / settle);
        for (int node = 0; node < nodes; ++node) {
            const double r = nodes > 1 ? radius * node / (nodes - 1) : 0.0;
            const double inner = 1.0 - (r / radius) * (r / radius); // 1 at the centre
            const std::uint64_t line = static_cast<std::uint64_t>(step) * nodes + node;
            const auto jitter = [&](int column, double amount) {
                return 1.0 + amount * noise(options.seed, stream, line, column);
            };
            const double concentration = surface * (1.0 - 0.3 * lag * inner);
            const double sorption = 0.3 * surface * lag * inner / (settle * 60.0) + 1.0e-8;
            const double content =
                0.012 * (1.0 - 0.5 * lag * inner) * (0.8 + 0.4 * std::min(state.saturation, 1.0));

            appendGeneral(out, minutes);
            appendTab(out);
            appendGeneral(out, r);
            appendTab(out);
            appendScientific(out, concentration * jitter(2, 0.002));
            appendTab(out);
            appendScientific(out, sorption * jitter(3, 0.03));
            appendTab(out);
            appendScientific(out, content * jitter(4, 0.002));
            out.push_back('\n');
        }
    }
    return out;
}

namespace {

// The seventeen body quantities of one output step, in the table's column order.
std::array<double, 17> bodyRow(const DataSetOptions& options, int step) {
    const double ambient = options.ambientCelsius;
    const double minutes = stepTime(options, step);
    const double a = activity(options, minutes);
    const double s = sweating(minutes);
    const auto jitter = [&](int column, double amount) {
        return 1.0 +
               amount * noise(options.seed, BodyNoise, static_cast<std::uint64_t>(step), column);
    };

    const double skin = skinTemperature(options, minutes) * jitter(1, 0.001);
    const double core = 36.8 + 0.6 * s * (0.5 + 0.5 * a);
    const double wetness =
        0.06 + 0.5 * s * (0.4 + 0.6 * a) + (options.membraneShell ? 0.2 * s : 0.0);
    const double metabolism = 65.0 + 95.0 * a;
    const double skinHumidity = 40.0 + (options.membraneShell ? 58.0 : 50.0) * s;
    const double bloodFlow = 6.3 + 10.0 * s * a;
    const double sweatRate = 2.0e-6 + 6.0e-5 * s * a; // kg/m^2/s
    const double covered =
        (10.0 + (options.membraneShell ? 25.0 : 45.0) * wetness) * jitter(9, 0.01);
    const double uncovered = (2.0 + 8.0 * wetness) * jitter(10, 0.01);
    const double evaporative = covered + uncovered;
    const double convective = (0.9 * (skin - ambient) + 10.0) * jitter(12, 0.01);
    const double radiative = 0.6 * (skin - ambient) * jitter(13, 0.01);
    const double dry = convective + radiative;
    const double regulative = 0.85 * evaporative;
    const double diffusion = evaporative - regulative;
    const double body = 0.1 * skin + 0.9 * core;
    const double massChange = (bloodFlow - 6.3) / 6.3 * 10.0;
    return {skin,      core,        wetness,   metabolism, skinHumidity, bloodFlow,
            sweatRate, evaporative, covered,   uncovered,  dry,          convective,
            radiative, regulative,  diffusion, body,       massChange};
}

} // namespace

std::string BodyPropertyTable(const DataSetOptions& options) {
    std::string out;
    out.reserve(static_cast<std::size_t>(options.timeSteps) * 260);
    for (int step = 0; step < options.timeSteps; ++step) {
        appendGeneral(out, stepTime(options, step));
        for (double value : bodyRow(options, step)) {
            appendTab(out);
            appendScientific(out, value);
        }
        out.push_back('\n');
    }
    return out;
}

namespace {

// One line of Comfort.dat after its time: skin and core temperature, skin wetness and
// humidity, the middle layer's temperature and humidity, then the three sensations.
std::array<double, 9> comfortRow(const DataSetOptions& options, int line, int lines) {
    const double minutes = outputTime(options.durationMinutes, line, lines);
    const double u = minutes / options.durationMinutes;
    const auto wobble = [&](int column, double amount) {
        return amount * noise(options.seed, ComfortNoise, static_cast<std::uint64_t>(line), column);
    };
    // Cold on stepping out, warming through neutral to hot while walking, cooling
    // during the rest; dampness builds steadily; comfort (low is good) follows both.
    // A membrane shell makes the walk hotter and the skin damper sooner.
    const double warmer = options.membraneShell ? 9.0 * smoothStep(0.05, 0.6, u) : 0.0;
    const double damper = options.membraneShell ? 16.0 * smoothStep(0.1, 0.6, u) : 0.0;
    const double thermal = std::clamp(18.0 + 62.0 * smoothStep(0.0, 0.6, u) -
                                          40.0 * smoothStep(0.7, 1.0, u) + wobble(7, 0.8) + warmer,
                                      0.0, 100.0);
    const double dampness =
        std::clamp(8.0 + 70.0 * smoothStep(0.1, 0.85, u) + wobble(8, 0.8) + damper, 0.0, 100.0);
    const double comfort = std::clamp(
        10.0 + 0.9 * std::abs(thermal - 50.0) + 0.9 * std::max(0.0, dampness - 20.0), 0.0, 100.0);

    const ClothingState middle = clothingAt(options, 0.5, minutes);
    const double s = sweating(minutes);
    return {skinTemperature(options, minutes),
            36.8 + 0.5 * s,
            0.06 + 0.4 * s,
            40.0 + 50.0 * s,
            middle.temperature,
            std::min(middle.saturation, 1.0) * 100.0,
            thermal,
            dampness,
            comfort};
}

} // namespace

std::string ComfortTable(const DataSetOptions& options) {
    const int lines = std::max(options.comfortLines, 0);
    std::string out;
    out.reserve(static_cast<std::size_t>(lines) * 150);
    for (int i = 0; i < lines; ++i) {
        appendGeneral(out, outputTime(options.durationMinutes, i, lines));
        for (double value : comfortRow(options, i, lines)) {
            appendTab(out);
            appendScientific(out, value);
        }
        out.push_back('\n');
    }
    return out;
}

namespace {

// Zero-mean scatter for the measured points: the k-th point and the next one get the
// same amount with opposite signs (an unpaired last point gets none), so over the
// points the noise cancels exactly and the mean difference is the bias alone.
double pairedScatter(std::uint64_t seed, std::uint64_t column, int k, int count, double amount) {
    if (k % 2 == 0 && k + 1 == count)
        return 0.0;
    const double magnitude =
        amount * noise(seed, MeasuredNoise, static_cast<std::uint64_t>(k / 2), column);
    return k % 2 == 0 ? magnitude : -magnitude;
}

void appendFixed(std::string& out, double value, int decimals) {
    char text[32];
    const auto result =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    out.append(text, result.ptr);
}

} // namespace

std::string MeasuredDataTable(const DataSetOptions& options) {
    struct Row {
        std::string skin, skinSd, core, vote;
    };
    std::map<double, Row> rows; // by time: the logger's and the votes' times merged

    // The logger: every other output step of BodyProperty.dat, so the measured times
    // fall on records and the simulated value there is the record's own.
    const int logged = std::max(options.timeSteps / 2, 0);
    for (int k = 0; k < logged; ++k) {
        const int step = 2 * k + 1;
        const std::array<double, 17> body = bodyRow(options, step);
        Row& row = rows[stepTime(options, step)];
        appendFixed(row.skin,
                    body[0] - MeasuredSkinBias + pairedScatter(options.seed, 1, k, logged, 0.3), 2);
        appendFixed(row.skinSd, 0.3 + 0.1 * std::abs(noise(options.seed, MeasuredNoise, 100 + k)),
                    2);
        appendFixed(row.core,
                    body[1] - MeasuredCoreBias + pairedScatter(options.seed, 2, k, logged, 0.1), 2);
    }
    // The wearer's thermal votes, six over the run, on lines of Comfort.dat.
    const int lines = std::max(options.comfortLines, 0);
    const int votes = std::min(6, lines);
    for (int j = 0; j < votes; ++j) {
        const int line = lines * (j + 1) / votes - 1;
        const double thermal = comfortRow(options, line, lines)[6];
        appendFixed(rows[outputTime(options.durationMinutes, line, lines)].vote,
                    thermal - MeasuredVoteBias + pairedScatter(options.seed, 3, j, votes, 4.0), 1);
    }

    std::string out = "Time (min),temperature of skin (degree of C),temperature of skin SD,"
                      "temperature of core (degree of C),Thermal Sensation\n";
    for (const auto& [minutes, row] : rows) {
        appendGeneral(out, minutes);
        for (const std::string* cell : {&row.skin, &row.skinSd, &row.core, &row.vote}) {
            out.push_back(',');
            out += *cell;
        }
        out.push_back('\n');
    }
    return out;
}

std::string LogInfoText(const DataSetOptions& options) {
    std::string out = "Clothing heat and moisture transfer simulation\n";
    const auto line = [&out](const std::string& text) { out += text + '\n'; };
    line(options.membraneShell
             ? "Case: jacket with a membrane shell worn outdoors, brisk walking followed by rest"
             : "Case: jacket worn outdoors, brisk walking followed by rest");
    line("Ambient: " + std::to_string(static_cast<int>(std::lround(options.ambientCelsius))) +
         " degree C, 70 % relative humidity, still air");
    std::string thicknesses;
    for (int layer = 0; layer < options.layers; ++layer) {
        appendGeneral(thicknesses, layerThickness(layer));
        thicknesses += layer + 1 < options.layers ? " " : "";
    }
    line("Layers: " + std::to_string(options.layers) + ", nodes per layer: " +
         std::to_string(options.nodesPerLayer) + ", thickness (cm): " + thicknesses);
    std::string duration;
    appendGeneral(duration, options.durationMinutes);
    line("Output: " + std::to_string(options.timeSteps) + " time steps up to " + duration +
         " min, " + std::to_string(options.comfortLines) + " comfort lines");
    for (const FiberFile& file : FiberFiles(options))
        line("Fibre result: " + file.fileName + " (" + std::to_string(options.fiberNodes) +
             " radial nodes)");
    line("Run finished normally.");
    return out;
}

std::vector<FiberFile> FiberFiles(const DataSetOptions& options) {
    // Two fibre kinds per layer (1, 2), layer by layer: fabric1_fiber_1, fabric1_fiber_2,
    // fabric2_fiber_1, ...; names stay within the one-character places.
    std::vector<FiberFile> files;
    const int count = std::clamp(options.fiberFiles, 0, 81);
    const int perLayer = count > 2 * std::clamp(options.layers, 1, 9) ? 9 : 2;
    for (int k = 0; k < count; ++k) {
        FiberFile file;
        file.fabric = k / perLayer + 1;
        file.fiber = k % perLayer + 1;
        file.fileName = "fabric" + std::to_string(file.fabric) + "_fiber_" +
                        std::to_string(file.fiber) + ".dat";
        files.push_back(std::move(file));
    }
    return files;
}

bool WriteTextFile(const std::filesystem::path& file, std::string_view text, std::string* error) {
    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    // Binary mode: the tables end their lines with a bare line feed on every platform.
    std::unique_ptr<std::FILE, Closer> out(std::fopen(file.string().c_str(), "wb"));
    bool ok = out && std::fwrite(text.data(), 1, text.size(), out.get()) == text.size();
    if (out)
        ok = std::fclose(out.release()) == 0 && ok;
    if (!ok && error)
        *error = "cannot write " + file.string();
    return ok;
}

bool WriteDataSet(const std::filesystem::path& directory, const DataSetOptions& options,
                  std::string* error) {
    std::error_code created;
    std::filesystem::create_directories(directory, created);
    if (created) {
        if (error)
            *error = "cannot create " + directory.string() + ": " + created.message();
        return false;
    }
    if (!WriteTextFile(directory / "Fabrics.dat", FabricsTable(options), error))
        return false;
    for (const FiberFile& file : FiberFiles(options)) {
        if (!WriteTextFile(directory / file.fileName, FiberTable(options, file.fabric, file.fiber),
                           error))
            return false;
    }
    return WriteTextFile(directory / "BodyProperty.dat", BodyPropertyTable(options), error) &&
           WriteTextFile(directory / "Comfort.dat", ComfortTable(options), error) &&
           WriteTextFile(directory / "LogInfo.txt", LogInfoText(options), error);
}

} // namespace tessaplot::sample
