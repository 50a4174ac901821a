// The colour dialog: swatches, and how it is opened and left.
#include "fieldview/ColorBox.h"
#include "fieldview/Colorselection1.h"
#include "support/Forms.h"
#include "support/ModalAnswerer.h"

#include <QApplication>
#include <QFrame>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace tessaplot::test {
namespace {

using ColorDialogTest = FormsTest;

QColor swatch(int number) {
    return Form2->Shapes[static_cast<size_t>(number - 1)]->palette().color(QPalette::Window);
}

void choose(ColorBox* box, const QString& name) {
    const int index = box->findText(name);
    ASSERT_GE(index, 0) << name.toStdString();
    box->setCurrentIndex(index);
}

TEST_F(ColorDialogTest, SwatchesFollowBothBoxes) {
    EXPECT_EQ(Form2->ColorBox1->SelectedColor(), QColor(0, 0, 255));
    EXPECT_EQ(Form2->ColorBox2->SelectedColor(), QColor(255, 0, 0));
    EXPECT_EQ(swatch(1), QColor(0, 0, 255));
    EXPECT_EQ(swatch(2), QColor(28, 0, 227));
    EXPECT_EQ(swatch(9), QColor(224, 0, 31));
    EXPECT_EQ(swatch(10), QColor(255, 0, 0));

    choose(Form2->ColorBox1, "Black");
    choose(Form2->ColorBox2, "White");
    EXPECT_EQ(swatch(1), QColor(0, 0, 0));
    EXPECT_EQ(swatch(9), QColor(224, 224, 224));
    EXPECT_EQ(swatch(10), QColor(255, 255, 255));
    choose(Form2->ColorBox1, "White");
    EXPECT_EQ(swatch(5), QColor(255, 255, 255));

    // An interface colour takes its value from the desktop's palette.
    choose(Form2->ColorBox2, "Highlight");
    EXPECT_EQ(swatch(10), QApplication::palette().color(QPalette::Highlight).toRgb());
}

TEST_F(ColorDialogTest, OpensModallyFromBothPagesAndOkStoresTheAxis) {
    ASSERT_TRUE(waitForRedraw());
    ModalAnswerer answerer;
    bool wasModal = false;
    answerer.onDialog = [&](QWidget* dialog) {
        wasModal = dialog == Form2 && Form2->isModal();
        Form2->RadioButton3->setChecked(true);
        QTest::mouseClick(Form2->BitBtn1, Qt::LeftButton);
    };
    // No data set is needed to choose colours.
    QTest::mouseClick(Form1->BitBtn2, Qt::LeftButton);
    EXPECT_TRUE(wasModal);
    EXPECT_EQ(Form2->ColorAxis, 2);
    EXPECT_TRUE(Form1->RedrawPending);
    ASSERT_TRUE(waitForRedraw());

    answerer.onDialog = [&](QWidget*) {
        Form2->RadioButton1->setChecked(true);
        QTest::mouseClick(Form2->BitBtn1, Qt::LeftButton);
    };
    Form1->BitBtn5->click();
    EXPECT_EQ(Form2->ColorAxis, 0);
}

} // namespace
} // namespace tessaplot::test
