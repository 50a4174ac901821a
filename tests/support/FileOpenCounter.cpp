#include "support/FileOpenCounter.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <cstring>

namespace tessaplot::test {

FileOpenCounter::FileOpenCounter(const QString& path)
    : m_fd(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
    if (m_fd >= 0)
        // The kernel merges an event into an identical one still unread; with the closes
        // watched too, two reads in a row are open, close, open, close and stay apart.
        m_watch = inotify_add_watch(m_fd, path.toLocal8Bit().constData(), IN_OPEN | IN_CLOSE);
}

FileOpenCounter::~FileOpenCounter() {
    if (m_fd >= 0)
        close(m_fd);
}

int FileOpenCounter::opens() {
    alignas(inotify_event) char buffer[4096];
    for (;;) {
        const ssize_t got = read(m_fd, buffer, sizeof buffer);
        if (got <= 0)
            break;
        for (ssize_t at = 0; at < got;) {
            inotify_event event;
            std::memcpy(&event, buffer + at, sizeof event);
            if ((event.mask & IN_OPEN) != 0)
                ++m_opens;
            at += static_cast<ssize_t>(sizeof(inotify_event) + event.len);
        }
    }
    return m_opens;
}

} // namespace tessaplot::test
