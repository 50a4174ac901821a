#pragma once

#include <condition_variable>
#include <cstddef>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

namespace tessaplot {

// Runs of at least this many bytes are converted on two threads; below it, handing
// half a run over would cost more than it saves.
inline constexpr std::size_t kParallelRunBytes = 128 * 1024;

// A second thread for a reader, so that a large run of lines is converted on both
// cores. It is started at its first job and ends with its owner; between jobs it
// sleeps. Without a thread (the system gives none) the work is done in turn on the
// caller's thread, with the same result.
class WorkerThread {
public:
    WorkerThread() = default;
    ~WorkerThread();
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    // Runs `here` on the calling thread while `there` runs on the worker, and returns
    // when both have ended. Whatever either threw (a failed allocation) is thrown on
    // only then, so that no job is left running on memory its caller lets go.
    void runBoth(const std::function<void()>& here, const std::function<void()>& there);

private:
    bool start();
    void loop();

    std::thread m_thread;
    std::mutex m_mutex;
    std::condition_variable m_wake, m_done;
    const std::function<void()>* m_job = nullptr;
    std::exception_ptr m_failure;
    bool m_busy = false, m_stop = false, m_noThread = false;
};

} // namespace tessaplot
