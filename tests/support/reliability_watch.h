#pragma once

#include <QTimer>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace tessaplot::test {

// Notices when the event loop stops turning (a read blocked in the middle of a tick)
// and, to keep the test from hanging for good, opens `fifo` for writing so a reader
// blocked on it gets its end of file. stalled() then tells the test it happened.
class EventLoopWatch {
public:
    explicit EventLoopWatch(std::string fifo = {}, int stallMs = 1500);
    ~EventLoopWatch();
    EventLoopWatch(const EventLoopWatch&) = delete;
    EventLoopWatch& operator=(const EventLoopWatch&) = delete;

    void setFifo(const std::string& fifo);
    bool stalled() const { return m_stalled; }
    // The longest time between two turns of the event loop so far.
    int longestGapMs() const { return m_longestGapMs; }

private:
    void watch();

    QTimer m_beat;
    std::atomic<long long> m_lastBeatMs;
    std::atomic<int> m_longestGapMs{0};
    std::atomic<bool> m_stalled{false};
    std::atomic<bool> m_done{false};
    std::mutex m_fifoMutex;
    std::string m_fifo;
    int m_stallMs;
    std::thread m_thread;
};

// Counts of what a long session could leak.
struct ProcessFigures {
    long long residentKiB = 0;
    int openDescriptors = 0;
    // What each descriptor refers to, for telling which one came or went.
    std::vector<std::string> descriptorTargets;
};
ProcessFigures CurrentProcessFigures();

// Display lists that exist in the current context among names 1 .. lastName.
int CountDisplayLists(unsigned lastName = 5000);

// Whether this thread may read files whatever their permission bits (root); when so,
// DropFileReadOverride takes that power from this thread alone until it is destroyed.
class DropFileReadOverride {
public:
    DropFileReadOverride();
    ~DropFileReadOverride();
    DropFileReadOverride(const DropFileReadOverride&) = delete;
    DropFileReadOverride& operator=(const DropFileReadOverride&) = delete;
    // Permission bits now hold for this thread.
    bool effective() const { return m_effective; }

private:
    bool m_dropped = false;
    bool m_effective = false;
    unsigned m_savedEffective[2] = {0, 0};
};

} // namespace tessaplot::test
