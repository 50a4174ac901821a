// "save image" of the "2D Image" window: the picture writers the context menus use, for
// the window's own button.
#include "app/Temp.h"
#include "export/ExportMenu.h"
#include "export/ExportTargets.h"
#include "section2d/Image2d.h"

#include <QFileDialog>

namespace tessaplot {

void TForm3::BitBtn1Click() {
    if (SavePictureDialog1 == nullptr) {
        SavePictureDialog1 = new QFileDialog(this, QStringLiteral("save image"));
        SavePictureDialog1->setObjectName(QStringLiteral("SavePictureDialog1"));
        SavePictureDialog1->setAcceptMode(QFileDialog::AcceptSave);
        SavePictureDialog1->setFileMode(QFileDialog::AnyFile);
        // The same dialog everywhere, and one that tests can answer.
        SavePictureDialog1->setOption(QFileDialog::DontUseNativeDialog);
        OfferPictureFormats(SavePictureDialog1);
        SavePictureDialog1->selectFile(PathInChooserDirectory(SuggestedFileName()));
    } else {
        SavePictureDialog1->selectFile(SuggestedFileName());
    }
    if (SavePictureDialog1->exec() != QDialog::Accepted)
        return;
    const QStringList chosen = SavePictureDialog1->selectedFiles();
    if (chosen.isEmpty() || chosen.front().isEmpty())
        return;
    SavePictureReporting(ImageDC, chosen.front(),
                         ChosenPictureOf(SavePictureDialog1, chosen.front()));
}

bool TForm3::SaveImage(const QString& path, QString* error) {
    const auto fail = [error](const QString& why) {
        if (error != nullptr)
            *error = why;
        return false;
    };
    QString why;
    if (!SavePicture(ExportTargetOf(ImageDC).picture, path,
                     PictureFormatOfPath(path).value_or(PictureFormat::Png), 1, &why))
        return fail(why);
    return true;
}

} // namespace tessaplot
