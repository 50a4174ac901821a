#pragma once

#include <QString>

namespace tessaplot::test {

// Counts how often any process opens one file, from the kernel's own notices (inotify):
// the program under test is watched from outside, not asked.
class FileOpenCounter {
public:
    explicit FileOpenCounter(const QString& path);
    ~FileOpenCounter();
    FileOpenCounter(const FileOpenCounter&) = delete;
    FileOpenCounter& operator=(const FileOpenCounter&) = delete;

    bool watching() const { return m_watch >= 0; }
    // Opens noticed since the counter was made.
    int opens();

private:
    int m_fd = -1;
    int m_watch = -1;
    int m_opens = 0;
};

} // namespace tessaplot::test
