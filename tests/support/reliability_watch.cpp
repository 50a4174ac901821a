#include "support/reliability_watch.h"

#include <QThreadPool>

#include <GL/gl.h>

#include <chrono>
#include <cstdio>
#include <filesystem>

#if defined(__SANITIZE_ADDRESS__)
#define RELIABILITY_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define RELIABILITY_ASAN 1
#endif
#endif
#if defined(RELIABILITY_ASAN)
// From the sanitizer runtime (GCC's and Clang's alike); not every compiler ships the
// header that declares it.
extern "C" void __sanitizer_purge_allocator();
#endif

#include <fcntl.h>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace tessaplot::test {

namespace {

long long nowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

EventLoopWatch::EventLoopWatch(std::string fifo, int stallMs)
    : m_lastBeatMs(nowMs()), m_fifo(std::move(fifo)), m_stallMs(stallMs) {
    QObject::connect(&m_beat, &QTimer::timeout, [this] {
        const long long now = nowMs();
        const long long gap = now - m_lastBeatMs.exchange(now);
        if (gap > m_longestGapMs)
            m_longestGapMs = static_cast<int>(gap);
    });
    m_beat.start(5);
    m_thread = std::thread([this] { watch(); });
}

EventLoopWatch::~EventLoopWatch() {
    m_done = true;
    m_thread.join();
}

void EventLoopWatch::setFifo(const std::string& fifo) {
    const std::lock_guard lock(m_fifoMutex);
    m_fifo = fifo;
}

void EventLoopWatch::watch() {
    while (!m_done) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        if (nowMs() - m_lastBeatMs < m_stallMs)
            continue;
        m_stalled = true;
        std::string fifo;
        {
            const std::lock_guard lock(m_fifoMutex);
            fifo = m_fifo;
        }
        // A reader blocked in open() of a FIFO is released by a writer opening it; a
        // writer that opens and closes at once gives that reader an empty file.
        if (!fifo.empty()) {
            const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0)
                ::close(fd);
        }
    }
}

ProcessFigures CurrentProcessFigures() {
#if defined(RELIABILITY_ASAN)
    // AddressSanitizer keeps freed blocks in quarantine, hundreds of megabytes of
    // them: give them back first, or the figure measures the quarantine.
    __sanitizer_purge_allocator();
#endif
    // Qt converts large images on the threads of its global pool, each thread with an
    // event descriptor of its own, and ends them after half a minute idle. Ending them
    // now makes the count independent of when the last picture was grabbed.
    QThreadPool::globalInstance()->waitForDone();
    ProcessFigures figures;
    if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
        long long size = 0, resident = 0;
        if (std::fscanf(statm, "%lld %lld", &size, &resident) == 2)
            figures.residentKiB = resident * (sysconf(_SC_PAGESIZE) / 1024);
        std::fclose(statm);
    }
    std::error_code error;
    for (std::filesystem::directory_iterator it("/proc/self/fd", error), end; !error && it != end;
         it.increment(error)) {
        std::error_code linkError;
        const auto target = std::filesystem::read_symlink(it->path(), linkError);
        figures.descriptorTargets.push_back(it->path().filename().string() + " -> " +
                                            target.string());
    }
    // The iterator's own descriptor was among them.
    figures.openDescriptors = static_cast<int>(figures.descriptorTargets.size()) - 1;
    return figures;
}

int CountDisplayLists(unsigned lastName) {
    int count = 0;
    for (unsigned name = 1; name <= lastName; ++name)
        count += glIsList(name) == GL_TRUE ? 1 : 0;
    return count;
}

namespace {

constexpr unsigned kReadOverrideBits = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH);

bool threadCapabilities(__user_cap_data_struct (&data)[2]) {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    return syscall(SYS_capget, &header, data) == 0;
}

bool setThreadCapabilities(__user_cap_data_struct (&data)[2]) {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    return syscall(SYS_capset, &header, data) == 0;
}

} // namespace

DropFileReadOverride::DropFileReadOverride() {
    __user_cap_data_struct data[2] = {};
    if (!threadCapabilities(data))
        return;
    if ((data[0].effective & kReadOverrideBits) == 0) {
        m_effective = true;
        return;
    }
    m_savedEffective[0] = data[0].effective;
    m_savedEffective[1] = data[1].effective;
    data[0].effective &= ~kReadOverrideBits;
    // capset() on the raw system call changes the calling thread only.
    m_dropped = setThreadCapabilities(data);
    m_effective = m_dropped;
}

DropFileReadOverride::~DropFileReadOverride() {
    if (!m_dropped)
        return;
    __user_cap_data_struct data[2] = {};
    if (!threadCapabilities(data))
        return;
    data[0].effective = m_savedEffective[0];
    data[1].effective = m_savedEffective[1];
    setThreadCapabilities(data);
}

} // namespace tessaplot::test
