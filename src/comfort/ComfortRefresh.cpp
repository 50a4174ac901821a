#include "app/LocaleText.h"
#include "app/MessageBoxes.h"
#include "app/PathStrings.h"
#include "app/RadioGroup.h"
#include "app/ReadProgressDialog.h"
#include "app/Temp.h"
#include "comfort/ComfortOverlays.h"
#include "comfort/ComfortState.h"
#include "comfort/SensationBands.h"
#include "dataset/ReadProblemText.h"
#include "gl/GlPanel.h"

#include <QLabel>
#include <QTimer>

#include <GL/gl.h>

#include <chrono>

namespace tessaplot {

namespace {

// The panel's framebuffer as it is now; the chart panel's context must be current.
void readPicture(std::vector<unsigned char>& pixels) {
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    pixels.resize(static_cast<std::size_t>(viewport[2]) * static_cast<std::size_t>(viewport[3]) *
                  4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(viewport[0], viewport[1], viewport[2], viewport[3], GL_RGBA, GL_UNSIGNED_BYTE,
                 pixels.data());
}

// The most one tick spends reading: a larger file is read on over the next ticks, so
// that the window answers while it is read.
constexpr std::chrono::milliseconds kTickReadTime{8};

class TickGuard {
public:
    explicit TickGuard(bool& flag) : m_flag(flag) { m_flag = true; }
    ~TickGuard() { m_flag = false; }
    TickGuard(const TickGuard&) = delete;
    TickGuard& operator=(const TickGuard&) = delete;

private:
    bool& m_flag;
};

} // namespace

void TForm1::ReadComfortFile() {
    ComfortState& state = *comfortState;
    const std::string path = PathBytes(Label14->text());
    if (path != state.lastPath) {
        state.lastPath = path;
        state.missingFileReported = false;
    }
    const ComfortReadResult result =
        state.reader.read(path, ComfortRecords, ComfortFileReader::Clock::now() + kTickReadTime);
    if (!Timer2->isActive())
        Timer2->start();
    if (result.pending)
        return;
    ComfortCount = result.count;
    ComfortEndTime = result.endTime;
    state.drawnValid = state.drawnValid && state.reader.recordsUnchanged();
    // Once per choice, not once per tick: the refresh goes on looking for the file
    // quietly and draws it as soon as it is there.
    // A file that is there but cannot be read is named with the reason instead.
    if (!result.fileOpened && !state.missingFileReported) {
        state.missingFileReported = true;
        const std::string why =
            ReadProblemMessage(ShownPath(Label14->text()).toStdString(), state.reader.problem());
        ShowMessage(why.empty() ? std::string("No files!") : why);
    }
}

bool TForm1::ComfortReadPending() const {
    return comfortState->reader.readPending();
}

void TForm1::Timer2Timer() {
    ComfortState& state = *comfortState;
    if (state.inTick || ReadInProgress())
        return;
    // The chart is drawn only where it is seen; entering the page starts the timer
    // again.
    if (ActivePage() != TabSheet4) {
        Timer2->stop();
        return;
    }
    if (!IsComfortQuantity(RadioGroup4->ItemIndex()))
        return;
    if (ComfortDC == nullptr || !ComfortDC->makeSurfaceCurrent())
        return;
    const TickGuard guard(state.inTick);
    const auto tickDeadline = ComfortFileReader::Clock::now() + kTickReadTime;
    ReadComfortFile();
    if (ComfortReadPending())
        return;
    for (const auto& overlay : state.overlays)
        overlay->refresh(*this, tickDeadline);
    // A message box runs its own loop, in which the deferred redraw may have made
    // another surface current.
    if (ActivePage() != TabSheet4 || !IsComfortQuantity(RadioGroup4->ItemIndex()) ||
        !ComfortDC->makeSurfaceCurrent())
        return;
    const int item = RadioGroup4->ItemIndex();
    const float endTime = ComfortChartEndTime(*this);
    if (state.drawnFrom(item, ComfortCount, endTime, LocaleDecimalSeparator()) &&
        state.drawnOverlays == ComfortOverlayKey(*this) && !state.shownPicture.empty()) {
        readPicture(state.seenPicture);
        if (state.seenPicture == state.shownPicture)
            return;
    }
    DrawAxes();
    DrawComfortChart();
    readPicture(state.shownPicture);
}

} // namespace tessaplot
