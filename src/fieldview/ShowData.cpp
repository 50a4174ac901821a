// The "Show Data" buttons of the three field pages and the colour dialog's buttons.
#include "app/MessageBoxes.h"
#include "app/RadioGroup.h"
#include "app/Temp.h"
#include "app/Widgets.h"
#include "fieldview/Colorselection1.h"
#include "fieldview/FieldViewState.h"

#include <QLabel>
#include <QPushButton>

namespace tessaplot {

namespace {

bool dataSetOpened(const TForm1& form) {
    return form.Label2->text() != QLatin1String("None");
}

// Reads the chosen quantity before anything names it. A read that failed or was
// cancelled leaves the page as it was: its picture, records and every caption.
bool readChosenData(TForm1& form, int column, const QString& path) {
    const int previousColumn = form.DataColumn;
    const QString previousPath = form.Label5->text();
    form.DataColumn = column;
    form.Label5->setText(path);
    if (form.loadField() == TForm1::FieldRead::Loaded)
        return true;
    form.DataColumn = previousColumn;
    form.Label5->setText(previousPath);
    return false;
}

} // namespace

void ShowFabricData(TForm1& form, bool draw) {
    if (!dataSetOpened(form)) {
        ShowMessage("Please Open The Data Directionay!");
        return;
    }
    const int item = form.RadioGroup1->ItemIndex();
    if (item < 0)
        return;
    const QString name = form.RadioGroup1->ItemText(item);
    if (draw && !readChosenData(form, item + 3, form.Label5->text()))
        return;
    form.Label4->setText(name);
    form.DataColumn = item + 3;
    if (draw)
        DrawLoadedFieldPage(form);
    StatusPanel(form.StatusBar1, 3)->setText(QStringLiteral("Z:") + name);
    form.BitBtn3->setEnabled(true);
}

void TForm1::BitBtn1Click() {
    ShowFabricData(*this, true);
}

void TForm1::BitBtn4Click() {
    const int item = RadioGroup2->ItemIndex();
    if (item < 0)
        return;
    const QString name = RadioGroup2->ItemText(item);
    if (!readChosenData(*this, item + 2, PathInChooserDirectory(Label7->text())))
        return;
    Label9->setText(name);
    DrawLoadedFieldPage(*this);
    StatusPanel(StatusBar2, 2)->setText(QStringLiteral("Z:") + name);
    BitBtn6->setEnabled(true);
}

void TForm1::BitBtn7Click() {
    const int item = RadioGroup3->ItemIndex();
    if (item < 0)
        return;
    if (!readChosenData(*this, item + 1, Label5->text()))
        return;
    DrawLoadedFieldPage(*this);
    StatusPanel(StatusBar3, 1)->setText(QStringLiteral("Y:") + RadioGroup3->ItemText(item));
}

void TForm1::RadioGroup1Click() {
    if (!dataSetOpened(*this))
        ShowMessage("Please Open The Data Directionay!");
}

void TForm1::BitBtn2Click() {
    Form2->exec();
}

} // namespace tessaplot
