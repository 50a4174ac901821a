#include "export/ExportMenu.h"

#include "app/MessageBoxes.h"
#include "app/Temp.h"
#include "compare/DifferenceView.h"
#include "export/CsvTable.h"
#include "export/ExportTargets.h"
#include "gl/GlPanel.h"
#include "readout/ReadingMenu.h"
#include "reproduce/CommandLineMenu.h"
#include "section2d/Image2d.h"

#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMenu>

namespace tessaplot {

namespace {

const QStringList kPictureFilters = {
    QStringLiteral("PNG image (*.png)"), QStringLiteral("PNG image, 2x for print (*.png)"),
    QStringLiteral("PNG image, 4x for print (*.png)"), QStringLiteral("SVG drawing (*.svg)"),
    QStringLiteral("PDF document (*.pdf)")};
const QStringList kFilterSuffixes = {"png", "png", "png", "svg", "pdf"};

// Where the last file was saved, for this run only; at first the data set's directory.
QString g_lastDirectory;

QString startDirectory() {
    if (!g_lastDirectory.isEmpty())
        return g_lastDirectory;
    return QDir(PathInChooserDirectory(QStringLiteral("."))).absolutePath();
}

QString askForFile(const QString& title, const QString& proposed,
                   const std::function<void(QFileDialog*)>& configure, QFileDialog** asked) {
    auto* dialog = new QFileDialog(nullptr, title);
    dialog->setObjectName(QStringLiteral("ExportFileDialog"));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    configure(dialog);
    dialog->setDirectory(startDirectory());
    dialog->selectFile(proposed);
    *asked = dialog;
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return {};
    const QString chosen = dialog->selectedFiles().front();
    g_lastDirectory = QFileInfo(chosen).absolutePath();
    return chosen;
}

void reportFailure(const QString& path, const QString& error) {
    ShowMessage(QStringLiteral("The picture could not be saved as %1: %2")
                    .arg(QDir::toNativeSeparators(path), error)
                    .toStdString());
}

} // namespace

void OfferPictureFormats(QFileDialog* dialog) {
    dialog->setNameFilters(kPictureFilters);
    dialog->setDefaultSuffix(QStringLiteral("png"));
    QObject::connect(dialog, &QFileDialog::filterSelected, dialog, [dialog](const QString& filter) {
        dialog->setDefaultSuffix(kFilterSuffixes.value(kPictureFilters.indexOf(filter), "png"));
    });
}

ChosenPicture ChosenPictureOf(const QFileDialog* dialog, const QString& path) {
    ChosenPicture chosen;
    chosen.format = PictureFormatOfPath(path).value_or(PictureFormat::Png);
    const int filter = kPictureFilters.indexOf(dialog->selectedNameFilter());
    if (chosen.format == PictureFormat::Png && (filter == 1 || filter == 2))
        chosen.scale = filter == 1 ? 2 : 4;
    return chosen;
}

void SavePictureReporting(GlPanel* surface, const QString& path, ChosenPicture chosen) {
    QString error;
    if (!SavePicture(ExportTargetOf(surface).picture, path, chosen.format, chosen.scale, &error))
        reportFailure(path, error);
}

void SavePictureAs(GlPanel* surface) {
    QFileDialog* dialog = nullptr;
    const QString path =
        askForFile(QStringLiteral("Save Picture As"), ExportTargetOf(surface).baseName + ".png",
                   OfferPictureFormats, &dialog);
    if (!path.isEmpty())
        SavePictureReporting(surface, path, ChosenPictureOf(dialog, path));
    delete dialog;
}

void CopyPicture(GlPanel* surface) {
    const QImage image = RenderPicture(ExportTargetOf(surface).picture, 1);
    if (!image.isNull())
        QGuiApplication::clipboard()->setImage(image);
}

void ExportDataAsCsv(GlPanel* surface) {
    const ExportTarget target = ExportTargetOf(surface);
    SaveCsvAs(target.baseName + ".csv",
              [&target] { return CsvTable(target.header, target.columns, target.runs); });
}

void SaveCsvAs(const QString& proposedName, const std::function<std::string()>& table) {
    QFileDialog* dialog = nullptr;
    const QString path = askForFile(
        QStringLiteral("Export Data As CSV"), proposedName,
        [](QFileDialog* d) {
            d->setNameFilter(QStringLiteral("CSV table (*.csv)"));
            d->setDefaultSuffix(QStringLiteral("csv"));
        },
        &dialog);
    delete dialog;
    if (path.isEmpty())
        return;
    QString error;
    if (!WriteWholeFile(path, QByteArray::fromStdString(table()), &error))
        ShowMessage(QStringLiteral("The data could not be saved as %1: %2")
                        .arg(QDir::toNativeSeparators(path), error)
                        .toStdString());
}

void AttachExportMenus() {
    for (GlPanel* surface : {Form1->Panel1, Form1->Panel5, Form1->Panel8, Form1->Panel16})
        AttachExportMenu(surface);
    if (Form3 != nullptr)
        AttachExportMenu(Form3->ImageDC);
}

void AttachExportMenu(GlPanel* surface) {
    surface->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(
        surface, &QWidget::customContextMenuRequested, surface, [surface](const QPoint& at) {
            QMenu menu(surface);
            menu.setObjectName(QStringLiteral("ExportMenu"));
            QAction* save = menu.addAction(QStringLiteral("Save Picture As…"));
            QAction* copy = menu.addAction(QStringLiteral("Copy Picture"));
            QAction* csv = menu.addAction(QStringLiteral("Export Data As CSV…"));
            AddCommandLineItem(surface, menu);
            // A picture that holds no records (its frame alone) offers none.
            const ExportTarget target = ExportTargetOf(surface);
            csv->setEnabled(!target.columns.empty() && !target.columns.front().empty());
            // Where the menu was asked for, for items that act on the picture there.
            menu.setProperty("requestedAt", at);
            AddReadingItems(surface, menu);
            AddDifferenceItems(surface, menu);
            QAction* chosen = menu.exec(surface->mapToGlobal(at));
            if (chosen == save)
                SavePictureAs(surface);
            else if (chosen == copy)
                CopyPicture(surface);
            else if (chosen == csv)
                ExportDataAsCsv(surface);
        });
}

} // namespace tessaplot
