#include "app/ReadProgressDialog.h"

#include "dataset/ReadProblemText.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProgressDialog>

#include <algorithm>

namespace tessaplot {

namespace {

int g_readsInProgress = 0;
bool g_cancelRequested = false;

// The dialog's scale: kilobytes, so that files beyond 2 GB still fit an int.
int kilobytes(std::uint64_t bytes) {
    return static_cast<int>(std::min<std::uint64_t>(bytes / 1024, 0x7fffffff));
}

} // namespace

bool ReadInProgress() {
    return g_readsInProgress > 0;
}

void CancelReadInProgress() {
    if (ReadInProgress())
        g_cancelRequested = true;
}

ReadProgressDialog::ReadProgressDialog(const QString& path, QWidget* parent)
    : m_path(path), m_parent(parent) {
    m_clock.start();
    if (g_readsInProgress++ == 0)
        g_cancelRequested = false;
}

ReadProgressDialog::~ReadProgressDialog() {
    delete m_dialog.data();
    if (--g_readsInProgress == 0)
        g_cancelRequested = false;
}

bool ReadProgressDialog::operator()(std::uint64_t done, std::uint64_t total) {
    if (g_cancelRequested)
        return false;
    // A window drawn without a screen (the command-line export) shows no dialog.
    const bool onScreen =
        m_parent != nullptr && !m_parent->window()->testAttribute(Qt::WA_DontShowOnScreen);
    if (!m_dialog && (!onScreen || m_clock.elapsed() < kShowAfterMs))
        return true;
    if (!m_dialog) {
        m_dialog = new QProgressDialog(m_parent);
        m_dialog->setObjectName(QStringLiteral("ReadProgress"));
        m_dialog->setWindowTitle(QCoreApplication::applicationName());
        m_dialog->setWindowModality(Qt::ApplicationModal);
        m_dialog->setCancelButtonText(QStringLiteral("Cancel"));
        m_dialog->setAutoClose(false);
        m_dialog->setAutoReset(false);
        m_dialog->setMinimumDuration(0);
        m_dialog->show();
    }
    // A growing file may be longer than it was when opened.
    const std::uint64_t size = std::max(total, done);
    m_dialog->setMaximum(std::max(kilobytes(size), 1));
    m_dialog->setValue(kilobytes(done));
    m_dialog->setLabelText(QStringLiteral("Reading %1\n%2 of %3")
                               .arg(QFileInfo(m_path).fileName(),
                                    QString::fromStdString(SizeText(done)),
                                    QString::fromStdString(SizeText(size))));
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return !m_dialog->wasCanceled() && !g_cancelRequested;
}

} // namespace tessaplot
