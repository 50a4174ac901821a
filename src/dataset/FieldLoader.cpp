#include "dataset/FieldLoader.h"

#include "dataset/TableLines.h"
#include "text/DecimalConversion.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

namespace tessaplot {

namespace {

// A Fabrics.dat layer block is read as six lines whatever the layer count found;
// files with other block sizes are outside the table format.
constexpr int layerBlockLines = 6;

struct ParsedLine {
    FieldPoint point{0.0f, 0.0f, 0.0f};
    bool positionStored = false;
};

// Converts only the columns the rules keep and stops walking the line after the last
// of them. Every column, the last one included, is converted from its own characters.
ParsedLine parseLine(std::string_view line, bool keepsPosition, int dataColumn) {
    ParsedLine parsed;
    const int lastWanted = std::max(dataColumn, keepsPosition ? 1 : 0);
    const char* p = line.data();
    const char* const end = p + line.size();
    for (int column = 0;; ++column) {
        const char* tab = FindByte(p, end, '\t');
        const char* tokenEnd = tab ? tab : end;
        const std::string_view token(p, static_cast<std::size_t>(tokenEnd - p));
        if (column == 0)
            parsed.point.Time = ParseDecimal(token);
        if (column == 1 && keepsPosition) {
            parsed.point.Position = ParseDecimal(token);
            parsed.positionStored = true;
        }
        if (column == dataColumn)
            parsed.point.Value = column == 0                    ? parsed.point.Time
                                 : column == 1 && keepsPosition ? parsed.point.Position
                                                                : ParseDecimal(token);
        if (!tab || column >= lastWanted)
            break;
        p = tab + 1;
    }
    return parsed;
}

float spanOf(float min, float max) {
    const float span = max - min;
    return span > 0.0f ? span : 1.0f;
}

// (layerCount - 1) * layerLines, in a width that cannot overflow; negative figures
// mean nothing to skip.
long long otherLayersLines(const FieldLoadRequest& request) {
    const long long others = std::max(0LL, static_cast<long long>(request.layerCount) - 1);
    return others * std::max(0LL, static_cast<long long>(request.layerLines));
}

} // namespace

// The loader's walk through the table, fed one run of complete lines at a time; a skip
// of lines that a run ends in the middle of goes on in the next one. A large run is
// walked on two threads (see takeOnBoth) when a worker is given.
class FieldTableWalk {
public:
    FieldTableWalk(const FieldLoadRequest& request, std::vector<FieldPoint>& points,
                   WorkerThread* worker = nullptr, std::size_t parallelFrom = kParallelRunBytes)
        : m_request(request), m_points(points), m_fabric(request.rules == ReadingRules::Fabric),
          m_keepsPosition(request.rules != ReadingRules::BodyProperty),
          m_betweenBlocks(otherLayersLines(request)), m_worker(worker),
          m_parallelFrom(parallelFrom) {
        m_load.opened = true;
        points.clear();
    }

    void take(std::string_view text) {
        if (m_worker != nullptr && text.size() >= m_parallelFrom && takeOnBoth(text))
            return;
        TableLines lines(text);
        std::string_view line;
        for (;;) {
            addSkipsBefore(m_points.size());
            m_pendingSkip = lines.skipSome(m_pendingSkip);
            if (m_pendingSkip > 0 || !lines.next(line))
                return;
            add(parseLine(line, m_keepsPosition, m_request.dataColumn));
        }
    }

    FieldLoad finish() {
        m_load.PointCount = static_cast<int>(m_points.size());
        if (!m_points.empty()) {
            m_load.TimeMin = m_points.front().Time;
            m_load.TimeMax = m_points.back().Time;
            m_load.PositionMin = m_points.front().Position;
            m_load.PositionMax = m_points.back().Position;
        }
        m_load.TimeSpan = spanOf(m_load.TimeMin, m_load.TimeMax);
        m_load.PositionSpan = spanOf(m_load.PositionMin, m_load.PositionMax);
        m_load.ValueSpan = spanOf(m_load.ValueMin, m_load.ValueMax);
        return std::move(m_load);
    }

private:
    // The lines to pass over before the record that would be the store's `n`th.
    void addSkipsBefore(std::size_t n) {
        if (!m_fabric)
            return;
        if (!m_load.LeadingLinesSkipped) {
            m_pendingSkip +=
                static_cast<long long>(std::max(0, m_request.layerIndex)) * layerBlockLines;
            m_load.LeadingLinesSkipped = true;
        }
        if (n != 0 && n % layerBlockLines == 0 && m_blockSkippedAt != n) {
            m_pendingSkip += m_betweenBlocks;
            m_blockSkippedAt = n;
        }
    }

    // The same walk in three steps: each thread finds the record lines of its half of
    // the run (split after a line feed near the middle, so each half holds whole lines);
    // which of them are kept follows from their order alone, counted as the walk in
    // turn counts them; each thread converts half of the kept lines, and they are
    // added in order. The records and extents are those of the walk in turn. False
    // (nothing done) when the run has no line feed to split at.
    bool takeOnBoth(std::string_view text) {
        const std::size_t split = text.find('\n', text.size() / 2);
        if (split == std::string_view::npos || split + 1 == text.size())
            return false;
        const std::string_view first = text.substr(0, split + 1);
        const std::string_view second = text.substr(split + 1);
        m_worker->runBoth([&] { findRecordLines(first, m_lines); },
                          [&] { findRecordLines(second, m_secondLines); });
        m_lines.insert(m_lines.end(), m_secondLines.begin(), m_secondLines.end());

        m_kept.clear();
        const long long total = static_cast<long long>(m_lines.size());
        for (long long next = 0;;) {
            addSkipsBefore(m_points.size() + m_kept.size());
            const long long passed = std::min(m_pendingSkip, total - next);
            next += passed;
            m_pendingSkip -= passed;
            if (m_pendingSkip > 0 || next == total)
                break;
            m_kept.push_back(m_lines[static_cast<std::size_t>(next++)]);
        }

        // The calling thread also adds the records in order: it converts a little less.
        m_parsed.resize(m_kept.size());
        const std::size_t ours = m_kept.size() * 7 / 16;
        const auto convert = [&](std::size_t from, std::size_t to) {
            for (std::size_t i = from; i < to; ++i)
                m_parsed[i] = parseLine(m_kept[i], m_keepsPosition, m_request.dataColumn);
        };
        m_worker->runBoth([&] { convert(0, ours); }, [&] { convert(ours, m_kept.size()); });
        for (const ParsedLine& parsed : m_parsed)
            add(parsed);
        return true;
    }

    static void findRecordLines(std::string_view text, std::vector<std::string_view>& found) {
        found.clear();
        TableLines lines(text);
        std::string_view line;
        while (lines.next(line))
            found.push_back(line);
    }

    void add(const ParsedLine& parsed) {
        const std::size_t n = m_points.size();
        const FieldPoint& point = parsed.point;
        if (parsed.positionStored) {
            if (n == 0) {
                m_load.FirstPosition = point.Position;
            } else if (!m_load.PositionsPerStepFound && point.Position == m_load.FirstPosition) {
                m_load.PositionsPerStep = static_cast<int>(n);
                m_load.PositionsPerStepFound = true;
            }
            if (!m_load.PositionsPerStepFound)
                m_load.listedPositions.push_back(point.Position);
        }
        if (n == 0) {
            m_load.ValueMin = m_load.ValueMax = point.Value;
        } else {
            m_load.ValueMin = std::min(m_load.ValueMin, point.Value);
            m_load.ValueMax = std::max(m_load.ValueMax, point.Value);
        }
        m_points.push_back(point);
    }

    const FieldLoadRequest& m_request;
    std::vector<FieldPoint>& m_points;
    const bool m_fabric;
    const bool m_keepsPosition;
    const long long m_betweenBlocks;
    WorkerThread* const m_worker;
    const std::size_t m_parallelFrom;
    // The two-thread walk's record lines, kept lines and their conversions (their room
    // is kept from run to run).
    std::vector<std::string_view> m_lines, m_secondLines, m_kept;
    std::vector<ParsedLine> m_parsed;
    long long m_pendingSkip = 0;
    std::size_t m_blockSkippedAt = 0;
    FieldLoad m_load;
};

FieldLoad LoadFieldFromText(std::string_view text, const FieldLoadRequest& request,
                            std::vector<FieldPoint>& points, std::size_t parallelFrom) {
    WorkerThread worker;
    FieldTableWalk walk(request, points, &worker, parallelFrom);
    walk.take(text);
    return walk.finish();
}

FieldLoad LoadField(const std::string& path, const FieldLoadRequest& request,
                    std::vector<FieldPoint>& points, LineWindow& window, std::size_t parallelFrom) {
    const auto failed = [&](const ReadProblem& problem) {
        window.close();
        points.clear();
        FieldLoad load;
        load.problem = problem;
        return load;
    };
    if (!window.open(path))
        return failed(window.problem());
    try {
        // Started only when a run is large enough to be shared.
        WorkerThread worker;
        FieldTableWalk walk(request, points, &worker, parallelFrom);
        std::string_view text;
        while (window.next(text))
            walk.take(text);
        if (window.problem().failed())
            return failed(window.problem());
        return walk.finish();
    } catch (const std::bad_alloc&) {
        // What was stored of this file is given back before anything else is tried.
        points.clear();
        points.shrink_to_fit();
        return failed(
            {ReadProblem::Kind::OutOfMemory, 0, window.bytesRead(), window.sizeHint(), 0});
    }
}

FieldLoad LoadField(const std::string& path, const FieldLoadRequest& request,
                    std::vector<FieldPoint>& points, const ReadProgress& progress) {
    // Every redraw loads again; keeping the window's storage avoids a large allocation
    // and page-faulting it in anew each time.
    thread_local LineWindow window;
    window.setProgress(progress);
    FieldLoad load = LoadField(path, request, points, window);
    window.setProgress({});
    return load;
}

SlicedFieldLoad::SlicedFieldLoad(std::size_t windowBytes) : m_window(windowBytes) {}

SlicedFieldLoad::~SlicedFieldLoad() = default;

void SlicedFieldLoad::start(const std::string& path, const FieldLoadRequest& request) {
    stop();
    m_path = path;
    m_request = request;
    m_result = FieldLoad{};
    m_active = true;
    if (!m_window.open(path)) {
        fail(m_window.problem());
        return;
    }
    try {
        m_walk = std::make_unique<FieldTableWalk>(m_request, m_points, &m_worker);
    } catch (const std::bad_alloc&) {
        fail({ReadProblem::Kind::OutOfMemory, 0, 0, m_window.sizeHint(), 0});
    }
}

bool SlicedFieldLoad::advance(Clock::time_point deadline) {
    if (!m_active || !m_walk)
        return true;
    try {
        std::string_view text;
        do {
            if (!m_window.next(text)) {
                if (m_window.problem().failed())
                    return fail(m_window.problem());
                m_result = m_walk->finish();
                m_walk.reset();
                m_active = false;
                return true;
            }
            m_walk->take(text);
        } while (Clock::now() < deadline);
    } catch (const std::bad_alloc&) {
        m_points.clear();
        m_points.shrink_to_fit();
        return fail(
            {ReadProblem::Kind::OutOfMemory, 0, m_window.bytesRead(), m_window.sizeHint(), 0});
    }
    return false;
}

void SlicedFieldLoad::stop() {
    m_window.close();
    m_walk.reset();
    m_active = false;
}

bool SlicedFieldLoad::fail(const ReadProblem& problem) {
    m_window.close();
    m_walk.reset();
    m_points.clear();
    m_result = FieldLoad{};
    m_result.problem = problem;
    m_active = false;
    return true;
}

} // namespace tessaplot
