#include "compare/RunSummary.h"

#include "comfort/ComfortChartGeometry.h"
#include "comfort/ComfortReader.h"
#include "comfort/SensationBands.h"
#include "compare/Comparison.h"
#include "dataset/ReadProblemText.h"
#include "dataset/ResultFileListing.h"
#include "dataset/TableLines.h"
#include "export/CsvTable.h"
#include "text/DecimalConversion.h"
#include "text/GeneralForm.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>

namespace tessaplot {

namespace {

constexpr std::array<ComfortQuantity, 3> sensationQuantities{ComfortQuantity::ThermalSensation,
                                                             ComfortQuantity::DampnessSensation,
                                                             ComfortQuantity::ComfortValue};

std::string pathIn(const std::string& directory, const std::string& fileName) {
    std::string path = directory;
    if (!path.empty() && path.back() != '/' && path.back() != '\\')
        path += '/';
    return path + fileName;
}

// The reason a table gave no figures, in the words the pages use for it.
std::string tableProblem(const std::string& fileName, const ReadProblem& problem) {
    const std::string message = ReadProblemMessage(fileName, problem);
    return message.empty() ? fileName + ": No files!" : message;
}

void addProblem(SummarizedRun& run, const std::string& problem) {
    if (!run.problem.empty())
        run.problem += ' ';
    run.problem += problem;
}

// Every sensation's figures as the lines pass: nothing of the file is kept.
void summarizeComfort(SummarizedRun& run, const std::string& fileName, LineWindow& window,
                      RunEvidenceAccumulator* evidence) {
    std::array<BandStatisticsAccumulator, 3> stats{
        BandStatisticsAccumulator(sensationQuantities[0]),
        BandStatisticsAccumulator(sensationQuantities[1]),
        BandStatisticsAccumulator(sensationQuantities[2])};
    const bool read = ReadComfortFileRecords(pathIn(run.directory, fileName), window,
                                             [&stats, evidence](const ComfortRecord& record) {
                                                 for (BandStatisticsAccumulator& s : stats)
                                                     s.add(record);
                                                 if (evidence)
                                                     evidence->addComfort(record);
                                             });
    if (!read) {
        addProblem(run, tableProblem(fileName, window.problem()));
        return;
    }
    if (stats[0].statistics().recordCount == 0) {
        addProblem(run, fileName + " holds no records.");
        return;
    }
    for (std::size_t q = 0; q < stats.size(); ++q)
        run.sensations[static_cast<std::size_t>(sensationQuantities[q])] = stats[q].statistics();
    run.comfortRead = true;
}

// Every quantity in one pass over the file, each column taken as the BodyProperty page's
// loader takes it (a column a line lacks reads 0), so that its figures are those of the
// records the page would show; only running figures are kept, no records.
class BodyFigures {
public:
    explicit BodyFigures(RunEvidenceAccumulator* evidence) : m_evidence(evidence) {}

    void take(std::string_view line) {
        std::array<float, BodyQuantityCount> values{};
        float time = 0.0f;
        const char* p = line.data();
        const char* const end = p + line.size();
        for (int column = 0; column <= BodyQuantityCount; ++column) {
            const char* tab = FindByte(p, end, '\t');
            // The time only where evidence needs it: the plain summary reads as fast as before.
            if (column > 0 || m_evidence) {
                const float value = ParseDecimal(
                    std::string_view(p, static_cast<std::size_t>((tab ? tab : end) - p)));
                (column > 0 ? values[column - 1] : time) = value;
            }
            if (!tab)
                break;
            p = tab + 1;
        }
        for (int q = 0; q < BodyQuantityCount; ++q)
            m_figures[q].add(values[q]);
        if (m_evidence)
            m_evidence->addBody(time, values);
        ++m_count;
    }

    int count() const { return m_count; }
    std::array<RunFigures, BodyQuantityCount> figures() const {
        std::array<RunFigures, BodyQuantityCount> figures{};
        for (int q = 0; q < BodyQuantityCount; ++q)
            figures[q] = m_figures[q].figures();
        return figures;
    }

private:
    RunEvidenceAccumulator* m_evidence;
    std::array<RunFiguresAccumulator, BodyQuantityCount> m_figures{};
    int m_count = 0;
};

void summarizeBody(SummarizedRun& run, const std::string& fileName, LineWindow& window,
                   RunEvidenceAccumulator* evidence) {
    BodyFigures figures(evidence);
    bool read = window.open(pathIn(run.directory, fileName));
    std::string_view text;
    while (read && window.next(text)) {
        TableLines lines(text);
        std::string_view line;
        while (lines.next(line))
            figures.take(line);
    }
    if (!read || window.problem().failed()) {
        window.close();
        addProblem(run, tableProblem(fileName, window.problem()));
        return;
    }
    if (figures.count() == 0) {
        addProblem(run, fileName + " holds no records.");
        return;
    }
    run.bodyRead = true;
    run.bodyRecords = figures.count();
    run.body = figures.figures();
}

} // namespace

SummarizedRun SummarizeRun(const std::string& directory, RunSummaryBuffers& buffers,
                           const SummaryEvidence& evidence) {
    SummarizedRun run;
    run.directory = directory;
    const ResultFileListing listing = ListResultFiles(directory);
    if (!listing.hasFabrics) {
        run.problem = "Lack Of Data Files!";
        return run;
    }
    std::optional<RunEvidenceAccumulator> along;
    if (!evidence.empty())
        along.emplace(evidence);
    RunEvidenceAccumulator* const alongPointer = along ? &*along : nullptr;
    summarizeComfort(run, listing.comfortFileName.empty() ? "Comfort.dat" : listing.comfortFileName,
                     buffers.window, alongPointer);
    summarizeBody(run,
                  listing.bodyPropertyFileName.empty() ? "BodyProperty.dat"
                                                       : listing.bodyPropertyFileName,
                  buffers.window, alongPointer);
    if (along)
        run.evidence = along->result();
    return run;
}

namespace {

void appendSensationHeader(std::vector<std::string>& header, const std::string& prefix) {
    for (const ComfortQuantity quantity : sensationQuantities) {
        const std::string title = prefix + std::string(ComfortChartTitle(quantity));
        header.push_back(title + " Highest");
        header.push_back(title + " Highest Time (min.)");
        header.push_back(title + " Lowest");
        header.push_back(title + " Lowest Time (min.)");
        const auto bands = SensationBandsOf(quantity);
        for (auto band = bands.rbegin(); band != bands.rend(); ++band)
            header.push_back(title + " " + std::string(band->name) + " (%)");
    }
}

void appendBodyHeader(std::vector<std::string>& header, const std::string& prefix) {
    for (const std::string_view name : BodyQuantityNames()) {
        for (const char* figure : {" Lowest", " Highest", " Mean", " Final"})
            header.push_back(prefix + std::string(name) + figure);
    }
}

// A table's figures, or instead of each the one text that says why there are none.
void appendSensationFields(std::vector<std::string>& fields,
                           const std::array<BandStatistics, 3>& sensations,
                           const std::optional<std::string>& instead) {
    const auto figure = [&](float value) {
        fields.push_back(instead ? *instead : FloatText(value));
    };
    for (const ComfortQuantity quantity : sensationQuantities) {
        const BandStatistics& stats = sensations[static_cast<std::size_t>(quantity)];
        figure(stats.highest);
        figure(stats.highestTime);
        figure(stats.lowest);
        figure(stats.lowestTime);
        const int bandCount = static_cast<int>(SensationBandsOf(quantity).size());
        for (int band = bandCount - 1; band >= 0; --band)
            fields.push_back(instead ? *instead : std::to_string(stats.roundedPercentages[band]));
    }
}

void appendBodyFields(std::vector<std::string>& fields,
                      const std::array<RunFigures, BodyQuantityCount>& body,
                      const std::optional<std::string>& instead) {
    const auto figure = [&](float value) {
        fields.push_back(instead ? *instead : FloatText(value));
    };
    for (const RunFigures& quantity : body) {
        figure(quantity.lowest);
        figure(quantity.highest);
        figure(static_cast<float>(quantity.mean));
        figure(quantity.final);
    }
}

const char notReached[] = "not reached";

std::string phasePrefix(const Phase& phase) {
    return phase.name + ": ";
}

// The unit of a quantity as its title brackets it, "(degree of C)"; empty for a
// sensation, whose scale has none.
std::string unitOf(EvidenceQuantity quantity) {
    const std::string_view name = EvidenceQuantityName(quantity);
    const std::size_t open = name.find('(');
    return open == std::string_view::npos ? std::string() : " " + std::string(name.substr(open));
}

std::string thresholdLabel(const Threshold& threshold) {
    static constexpr const char* signs[] = {">=", ">", "<=", "<"};
    return std::string(EvidenceQuantityName(threshold.quantity)) +
           signs[static_cast<int>(threshold.comparison)] + GeneralDecimalForm(threshold.value);
}

const char* reachText(PhaseReach reach) {
    switch (reach) {
    case PhaseReach::NotReached:
        return notReached;
    case PhaseReach::Partly:
        return "partly";
    case PhaseReach::Fully:
        break;
    }
    return "fully";
}

// How far a table's records reach a phase; none when the table was not read.
std::optional<PhaseReach> reachOf(bool read, const RecordTimes& times, const Phase& phase) {
    if (!read)
        return std::nullopt;
    return ReachOf(phase, times.first, times.last);
}

// What stands instead of a table's figures over a phase: nothing read, not reached, or
// no record inside the phase (between two records); none when there are figures.
std::optional<std::string> insteadOfPhaseFigures(std::optional<PhaseReach> reach, int records) {
    if (!reach)
        return std::string();
    if (*reach == PhaseReach::NotReached)
        return std::string(notReached);
    if (records == 0)
        return std::string("no records");
    return std::nullopt;
}

void appendThresholdHeader(std::vector<std::string>& header, const std::string& label) {
    header.push_back(label + " First Time (min.)");
    header.push_back(label + " Time Beyond (min.)");
    header.push_back(label + " Entries");
}

void appendThresholdFields(std::vector<std::string>& fields, const ThresholdFigures& figures,
                           const std::optional<std::string>& instead) {
    if (instead) {
        fields.insert(fields.end(), 3, *instead);
        return;
    }
    fields.push_back(figures.firstTime ? FloatText(static_cast<float>(*figures.firstTime))
                                       : std::string("never"));
    fields.push_back(FloatText(static_cast<float>(figures.timeInside)));
    fields.push_back(std::to_string(figures.entries));
}

void appendValidationHeader(std::vector<std::string>& header, const std::string& label,
                            const SummaryMeasuredSeries& series) {
    const std::string unit = unitOf(series.quantity);
    header.push_back(label + " Points");
    header.push_back(label + " Outside Run");
    for (const char* figure : {" Bias", " SD", " RMSE", " Largest |Difference|"})
        header.push_back(label + figure + unit);
    if (series.tolerance)
        header.push_back(label + " Within " + GeneralDecimalForm(*series.tolerance) + unit +
                         " (%)");
}

void appendValidationFields(std::vector<std::string>& fields, const ValidationFigures& figures,
                            bool tolerance, const std::optional<std::string>& instead) {
    if (instead) {
        fields.insert(fields.end(), tolerance ? 7 : 6, *instead);
        return;
    }
    // A figure no point gives (a spread of one point) is left empty, never 0.
    const auto figure = [&](const std::optional<double>& value, double scale = 1.0) {
        fields.push_back(value ? FloatText(static_cast<float>(*value * scale)) : std::string());
    };
    fields.push_back(std::to_string(figures.counted));
    fields.push_back(std::to_string(figures.outsideRun));
    figure(figures.bias);
    figure(figures.deviation);
    figure(figures.rmse);
    figure(figures.largest);
    if (tolerance)
        figure(figures.shareWithin, 100.0);
}

bool readsFrom(const SummarizedRun& run, EvidenceQuantity quantity) {
    return quantity.source == EvidenceQuantity::Source::Comfort ? run.comfortRead : run.bodyRead;
}

const RecordTimes& timesOf(const RunEvidence& evidence, EvidenceQuantity quantity) {
    return quantity.source == EvidenceQuantity::Source::Comfort ? evidence.comfortTimes
                                                                : evidence.bodyTimes;
}

} // namespace

std::vector<std::string> RunSummaryHeader(const SummaryEvidence& evidence) {
    std::vector<std::string> header{"Run", "Directory", "Whole Time (min.)"};
    appendSensationHeader(header, {});
    appendBodyHeader(header, {});
    for (const Phase& phase : evidence.phases) {
        const std::string prefix = phasePrefix(phase);
        header.push_back(prefix + "Sensations Reached");
        appendSensationHeader(header, prefix);
        header.push_back(prefix + "Body Reached");
        appendBodyHeader(header, prefix);
    }
    for (const Threshold& threshold : evidence.thresholds) {
        appendThresholdHeader(header, thresholdLabel(threshold));
        for (const Phase& phase : evidence.phases)
            appendThresholdHeader(header, phasePrefix(phase) + thresholdLabel(threshold));
    }
    for (const SummaryMeasuredSeries& series : evidence.measured) {
        appendValidationHeader(header, series.label, series);
        for (const Phase& phase : evidence.phases)
            appendValidationHeader(header, phasePrefix(phase) + series.label, series);
    }
    header.push_back("Problem");
    return header;
}

std::vector<std::string> RunSummaryFields(const SummarizedRun& run,
                                          const SummaryEvidence& evidence) {
    std::vector<std::string> fields{run.name, run.directory};
    const std::optional<std::string> notRead = std::string();
    const auto unlessRead = [&](bool read) { return read ? std::nullopt : notRead; };
    fields.push_back(run.comfortRead ? FloatText(run.sensations[0].wholeTime) : std::string());
    appendSensationFields(fields, run.sensations, unlessRead(run.comfortRead));
    appendBodyFields(fields, run.body, unlessRead(run.bodyRead));

    const RunEvidence& along = run.evidence;
    // A run whose reading failed part way has no evidence figures at all.
    const bool evidenceRead = along.phaseSensations.size() == evidence.phases.size() &&
                              along.thresholds.size() == evidence.thresholds.size() &&
                              along.validation.size() == evidence.measured.size();
    for (std::size_t p = 0; p < evidence.phases.size(); ++p) {
        const Phase& phase = evidence.phases[p];
        const std::optional<PhaseReach> comfort =
            reachOf(run.comfortRead && evidenceRead, along.comfortTimes, phase);
        fields.push_back(comfort ? reachText(*comfort) : std::string());
        appendSensationFields(
            fields, evidenceRead ? along.phaseSensations[p] : std::array<BandStatistics, 3>{},
            insteadOfPhaseFigures(comfort,
                                  evidenceRead ? along.phaseSensations[p][0].recordCount : 0));
        const std::optional<PhaseReach> body =
            reachOf(run.bodyRead && evidenceRead, along.bodyTimes, phase);
        fields.push_back(body ? reachText(*body) : std::string());
        appendBodyFields(
            fields, evidenceRead ? along.phaseBody[p] : std::array<RunFigures, BodyQuantityCount>{},
            insteadOfPhaseFigures(body, evidenceRead ? along.phaseBody[p][0].recordCount : 0));
    }
    for (std::size_t k = 0; k < evidence.thresholds.size(); ++k) {
        const EvidenceQuantity quantity = evidence.thresholds[k].quantity;
        const bool read = evidenceRead && readsFrom(run, quantity);
        appendThresholdFields(fields, read ? along.thresholds[k][0] : ThresholdFigures(),
                              unlessRead(read));
        for (std::size_t p = 0; p < evidence.phases.size(); ++p) {
            const std::optional<PhaseReach> reach =
                reachOf(read, read ? timesOf(along, quantity) : RecordTimes(), evidence.phases[p]);
            appendThresholdFields(fields, read ? along.thresholds[k][p + 1] : ThresholdFigures(),
                                  !reach ? notRead
                                         : (*reach == PhaseReach::NotReached
                                                ? std::optional<std::string>(notReached)
                                                : std::nullopt));
        }
    }
    for (std::size_t s = 0; s < evidence.measured.size(); ++s) {
        const SummaryMeasuredSeries& series = evidence.measured[s];
        const bool tolerance = series.tolerance.has_value();
        const bool read = evidenceRead && readsFrom(run, series.quantity);
        appendValidationFields(fields, read ? along.validation[s][0] : ValidationFigures(),
                               tolerance, unlessRead(read));
        for (std::size_t p = 0; p < evidence.phases.size(); ++p) {
            const std::optional<PhaseReach> reach = reachOf(
                read, read ? timesOf(along, series.quantity) : RecordTimes(), evidence.phases[p]);
            appendValidationFields(
                fields, read ? along.validation[s][p + 1] : ValidationFigures(), tolerance,
                !reach ? notRead
                       : (*reach == PhaseReach::NotReached ? std::optional<std::string>(notReached)
                                                           : std::nullopt));
        }
    }
    fields.push_back(run.problem);
    return fields;
}

void SummarizeRuns(const std::vector<std::string>& directories, unsigned threads,
                   const std::function<void(const SummarizedRun&)>& emit,
                   const SummaryEvidence& evidence) {
    std::vector<std::string> baseNames;
    for (const std::string& directory : directories)
        baseNames.push_back(RunBaseName(directory));
    const std::vector<std::string> names = UniqueRunNames(baseNames);

    std::vector<std::optional<SummarizedRun>> done(directories.size());
    std::mutex mutex;
    std::condition_variable finished;
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        RunSummaryBuffers buffers;
        for (std::size_t i; (i = next++) < directories.size();) {
            SummarizedRun run;
            try {
                run = SummarizeRun(directories[i], buffers, evidence);
            } catch (const std::exception& error) {
                // A run that cannot be read (memory, say) is that run's problem only.
                run = SummarizedRun{};
                run.directory = directories[i];
                run.problem = error.what();
            }
            run.name = names[i];
            {
                const std::lock_guard lock(mutex);
                done[i] = std::move(run);
            }
            finished.notify_all();
        }
    };
    const unsigned workers = std::clamp<unsigned>(
        threads, 1, static_cast<unsigned>(std::max<std::size_t>(directories.size(), 1)));
    std::vector<std::thread> pool;
    for (unsigned t = 0; t < workers; ++t) {
        try {
            pool.emplace_back(work);
        } catch (const std::system_error&) {
            break; // the threads there are do the work
        }
    }
    // Not even one thread: the calling thread reads every run itself.
    if (pool.empty())
        work();
    for (std::size_t i = 0; i < directories.size(); ++i) {
        std::unique_lock lock(mutex);
        finished.wait(lock, [&] { return done[i].has_value(); });
        const SummarizedRun run = std::move(*done[i]);
        done[i].reset();
        lock.unlock();
        emit(run);
    }
    for (std::thread& thread : pool)
        thread.join();
}

} // namespace tessaplot
