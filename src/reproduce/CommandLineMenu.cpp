#include "reproduce/CommandLineMenu.h"

#include "app/Temp.h"
#include "gl/GlPanel.h"
#include "reproduce/ShownPictureChoices.h"
#include "section2d/Image2d.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QStatusBar>
#include <QToolTip>

namespace tessaplot {

namespace {

constexpr int kStatusMessageMs = 5000;

QStatusBar* statusBarOf(GlPanel* surface) {
    if (Form3 != nullptr && surface == Form3->ImageDC)
        return Form3->StatusBar1;
    if (surface == Form1->Panel1)
        return Form1->StatusBar1;
    if (surface == Form1->Panel5)
        return Form1->StatusBar2;
    if (surface == Form1->Panel8)
        return Form1->StatusBar3;
    return nullptr;
}

} // namespace

void AddCommandLineItem(GlPanel* surface, QMenu& menu) {
    QAction* copy = menu.addAction(QStringLiteral("Copy Command Line"));
    const std::optional<PictureChoices> choices = ShownPictureChoices(surface);
    copy->setEnabled(choices.has_value());
    if (!choices)
        return;
    const QString command = QString::fromStdString(PictureCommandText(*choices));
    QObject::connect(copy, &QAction::triggered, surface, [surface, command] {
        QGuiApplication::clipboard()->setText(command);
        const QString told = QStringLiteral("Command line copied: ") + command;
        if (QStatusBar* bar = statusBarOf(surface))
            bar->showMessage(told, kStatusMessageMs);
        else // the BodyComfort page has no status bar
            QToolTip::showText(surface->mapToGlobal(QPoint(0, 0)), told, surface, {},
                               kStatusMessageMs);
    });
}

} // namespace tessaplot
