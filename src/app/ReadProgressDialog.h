#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QString>

#include <cstdint>

class QProgressDialog;
class QWidget;

namespace tessaplot {

// Shows how far a long read of a table has come, with Cancel. Nothing shows for a
// read that ends within about half a second; after that a modal dialog names the file
// and the bytes read of its size. The read stays on the one GUI thread and keeps the
// dialog alive between its pieces. Used as the reader's progress function.
class ReadProgressDialog {
public:
    // How long a read runs before the dialog shows.
    static constexpr int kShowAfterMs = 500;

    ReadProgressDialog(const QString& path, QWidget* parent);
    ~ReadProgressDialog();
    ReadProgressDialog(const ReadProgressDialog&) = delete;
    ReadProgressDialog& operator=(const ReadProgressDialog&) = delete;

    // False once the user pressed Cancel (or closed the main window): the read stops.
    bool operator()(std::uint64_t done, std::uint64_t total);

private:
    QString m_path;
    QWidget* m_parent;
    QElapsedTimer m_clock;
    QPointer<QProgressDialog> m_dialog;
};

// True while a read with a progress dialog runs: timer ticks and other events that
// arrive meanwhile must not start another read or draw.
bool ReadInProgress();
// Asks the read in progress, if any, to stop at its next piece (closing the window).
void CancelReadInProgress();

} // namespace tessaplot
