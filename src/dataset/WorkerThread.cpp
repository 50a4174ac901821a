#include "dataset/WorkerThread.h"

#include <system_error>

namespace tessaplot {

WorkerThread::~WorkerThread() {
    if (!m_thread.joinable())
        return;
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_one();
    m_thread.join();
}

bool WorkerThread::start() {
    if (m_thread.joinable())
        return true;
    if (m_noThread)
        return false;
    try {
        m_thread = std::thread([this] { loop(); });
        return true;
    } catch (const std::system_error&) {
        m_noThread = true; // asked once; the caller's thread does the work from now on
        return false;
    }
}

void WorkerThread::loop() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stop || m_job != nullptr; });
        if (m_stop)
            return;
        const std::function<void()>* job = m_job;
        lock.unlock();
        std::exception_ptr failure;
        try {
            (*job)();
        } catch (...) {
            failure = std::current_exception();
        }
        lock.lock();
        m_job = nullptr;
        m_failure = failure;
        m_busy = false;
        m_done.notify_one();
    }
}

void WorkerThread::runBoth(const std::function<void()>& here, const std::function<void()>& there) {
    if (!start()) {
        here();
        there();
        return;
    }
    {
        const std::lock_guard lock(m_mutex);
        m_job = &there;
        m_failure = nullptr;
        m_busy = true;
    }
    m_wake.notify_one();
    std::exception_ptr failure;
    try {
        here();
    } catch (...) {
        failure = std::current_exception();
    }
    std::unique_lock lock(m_mutex);
    m_done.wait(lock, [this] { return !m_busy; });
    if (!failure)
        failure = m_failure;
    m_failure = nullptr;
    lock.unlock();
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace tessaplot
