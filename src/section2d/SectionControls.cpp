// The "2D Section" group boxes of the Fabric and Fibers pages and "Show 2D Data".
#include "app/MessageBoxes.h"
#include "app/Temp.h"
#include "app/Widgets.h"
#include "section2d/Image2d.h"
#include "section2d/SectionNumber.h"
#include "section2d/SectionState.h"

#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QTimer>

namespace tessaplot {

namespace {

void chooseTimeSection(QComboBox* timeBox, QComboBox* positionList) {
    timeBox->setEnabled(true);
    positionList->setEnabled(false);
}

void choosePositionSection(QComboBox* timeBox, QComboBox* positionList) {
    positionList->setEnabled(true);
    timeBox->setEnabled(false);
}

} // namespace

void TForm1::RadioButton1Click() {
    chooseTimeSection(ComboBox1, ComboBox2);
}

void TForm1::RadioButton2Click() {
    choosePositionSection(ComboBox1, ComboBox2);
}

void TForm1::RadioButton3Click() {
    chooseTimeSection(ComboBox3, ComboBox4);
}

void TForm1::RadioButton4Click() {
    choosePositionSection(ComboBox3, ComboBox4);
}

// Shared by the Fabric page's BitBtn3 and the Fibers page's BitBtn6.
void TForm1::BitBtn3Click() {
    const bool fabric = ActivePage() == TabSheet1;
    QRadioButton* timePos = fabric ? RadioButton1 : RadioButton3;
    QRadioButton* spacePos = fabric ? RadioButton2 : RadioButton4;
    const QLabel* variable = fabric ? Label4 : Label9;
    const QLabel* file = fabric ? Label2 : Label7;
    const bool timeSection = timePos->isChecked();

    StatusPanel(Form3->StatusBar1, 0)
        ->setText(QStringLiteral("X:") + (timeSection ? timePos : spacePos)->text());
    StatusPanel(Form3->StatusBar1, 1)->setText(QStringLiteral("Y:") + variable->text());
    StatusPanel(Form3->StatusBar1, 2)->setText(QStringLiteral("File:") + file->text());

    const QComboBox* source =
        timeSection ? (fabric ? ComboBox1 : ComboBox3) : (fabric ? ComboBox2 : ComboBox4);
    const QString text = source->currentText();
    const std::optional<double> number = ParseSectionNumber(text);

    SectionState& state = *sectionState;
    state.requested = true;
    state.fabricPage = fabric;
    state.sectionText = text.toStdString();
    state.request = SectionRequest{};
    state.request.kind = timeSection ? SectionKind::Time : SectionKind::Position;
    state.request.converted = number.has_value();
    if (number && timeSection)
        state.request.sectionTime = static_cast<float>(*number);
    else if (number)
        state.request.positionText = text.toStdString();

    // Reported once for this showing, with the window already open behind the
    // message; the window's repaints then just draw no curve.
    if (!number) {
        const std::string message = InvalidNumberMessage(text).toStdString();
        QTimer::singleShot(0, Form3, [message] { ShowMessage(message); });
    }
    Form3->exec();
}

} // namespace tessaplot
