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
void summarizeComfort(SummarizedRun& run, const std::string& fileName, LineWindow& window) {
    std::array<BandStatisticsAccumulator, 3> stats{
        BandStatisticsAccumulator(sensationQuantities[0]),
        BandStatisticsAccumulator(sensationQuantities[1]),
        BandStatisticsAccumulator(sensationQuantities[2])};
    const bool read = ReadComfortFileRecords(pathIn(run.directory, fileName), window,
                                             [&stats](const ComfortRecord& record) {
                                                 for (BandStatisticsAccumulator& s : stats)
                                                     s.add(record);
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
    void take(std::string_view line) {
        std::array<float, BodyQuantityCount> values{};
        const char* p = line.data();
        const char* const end = p + line.size();
        for (int column = 0; column <= BodyQuantityCount; ++column) {
            const char* tab = FindByte(p, end, '\t');
            if (column > 0)
                values[column - 1] = ParseDecimal(
                    std::string_view(p, static_cast<std::size_t>((tab ? tab : end) - p)));
            if (!tab)
                break;
            p = tab + 1;
        }
        for (int q = 0; q < BodyQuantityCount; ++q)
            m_figures[q].add(values[q]);
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
    std::array<RunFiguresAccumulator, BodyQuantityCount> m_figures{};
    int m_count = 0;
};

void summarizeBody(SummarizedRun& run, const std::string& fileName, LineWindow& window) {
    BodyFigures figures;
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

SummarizedRun SummarizeRun(const std::string& directory, RunSummaryBuffers& buffers) {
    SummarizedRun run;
    run.directory = directory;
    const ResultFileListing listing = ListResultFiles(directory);
    if (!listing.hasFabrics) {
        run.problem = "Lack Of Data Files!";
        return run;
    }
    summarizeComfort(run, listing.comfortFileName.empty() ? "Comfort.dat" : listing.comfortFileName,
                     buffers.window);
    summarizeBody(run,
                  listing.bodyPropertyFileName.empty() ? "BodyProperty.dat"
                                                       : listing.bodyPropertyFileName,
                  buffers.window);
    return run;
}

std::vector<std::string> RunSummaryHeader() {
    std::vector<std::string> header{"Run", "Directory", "Whole Time (min.)"};
    for (const ComfortQuantity quantity : sensationQuantities) {
        const std::string title(ComfortChartTitle(quantity));
        header.push_back(title + " Highest");
        header.push_back(title + " Highest Time (min.)");
        header.push_back(title + " Lowest");
        header.push_back(title + " Lowest Time (min.)");
        const auto bands = SensationBandsOf(quantity);
        for (auto band = bands.rbegin(); band != bands.rend(); ++band)
            header.push_back(title + " " + std::string(band->name) + " (%)");
    }
    for (const std::string_view name : BodyQuantityNames()) {
        for (const char* figure : {" Lowest", " Highest", " Mean", " Final"})
            header.push_back(std::string(name) + figure);
    }
    header.push_back("Problem");
    return header;
}

std::vector<std::string> RunSummaryFields(const SummarizedRun& run) {
    std::vector<std::string> fields{run.name, run.directory};
    const auto figure = [&](bool read, float value) {
        fields.push_back(read ? FloatText(value) : std::string());
    };
    figure(run.comfortRead, run.sensations[0].wholeTime);
    for (const ComfortQuantity quantity : sensationQuantities) {
        const BandStatistics& stats = run.sensations[static_cast<std::size_t>(quantity)];
        figure(run.comfortRead, stats.highest);
        figure(run.comfortRead, stats.highestTime);
        figure(run.comfortRead, stats.lowest);
        figure(run.comfortRead, stats.lowestTime);
        const int bandCount = static_cast<int>(SensationBandsOf(quantity).size());
        for (int band = bandCount - 1; band >= 0; --band)
            fields.push_back(run.comfortRead ? std::to_string(stats.roundedPercentages[band])
                                             : std::string());
    }
    for (const RunFigures& body : run.body) {
        figure(run.bodyRead, body.lowest);
        figure(run.bodyRead, body.highest);
        figure(run.bodyRead, static_cast<float>(body.mean));
        figure(run.bodyRead, body.final);
    }
    fields.push_back(run.problem);
    return fields;
}

void SummarizeRuns(const std::vector<std::string>& directories, unsigned threads,
                   const std::function<void(const SummarizedRun&)>& emit) {
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
                run = SummarizeRun(directories[i], buffers);
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
