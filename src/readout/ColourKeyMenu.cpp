// "Show Colour Key", "Fix Colour Range…" and "Automatic Colour Range" on the Fabric and
// Fibers views.
#include "readout/ColourKeyMenu.h"
#include "app/LocaleText.h"
#include "app/Temp.h"
#include "fieldview/FieldViewState.h"
#include "gl/GlPanel.h"
#include "readout/ColourKeyDrawing.h"
#include "readout/ReadingMenu.h"
#include "section2d/SectionNumber.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include <charconv>

namespace tessaplot {

namespace {

// The shortest text that reads back as the very float, so that taking the offered
// range unchanged fixes exactly the range shown.
QString numberText(float value) {
    char digits[32];
    const std::to_chars_result end = std::to_chars(digits, digits + sizeof digits, value);
    QString text = QString::fromLatin1(digits, static_cast<qsizetype>(end.ptr - digits));
    return text.replace('.', QString::fromStdString(LocaleDecimalSeparator()));
}

// Draws the panel's picture again as it was, with the key and range now asked for.
// A panel that shows its frame alone takes them at its next drawing.
void redrawWithReading(TForm1& form, GlPanel* surface) {
    RedrawShownFieldPicture(form, surface,
                            [&form](FieldDrawInputs& inputs) { AddColourKeyInputs(form, inputs); });
}

} // namespace

std::optional<ColourRange> AskColourRange(QWidget* parent, ColourRange current) {
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("ColourRangeDialog"));
    dialog.setWindowTitle(QStringLiteral("Fix Colour Range"));
    auto* lower = new QLineEdit(numberText(current.min), &dialog);
    auto* upper = new QLineEdit(numberText(current.max), &dialog);
    lower->setObjectName(QStringLiteral("ColourRangeMin"));
    upper->setObjectName(QStringLiteral("ColourRangeMax"));
    auto* problem = new QLabel(&dialog);
    problem->setObjectName(QStringLiteral("ColourRangeProblem"));
    problem->setStyleSheet(QStringLiteral("color: #a00000"));
    problem->setWordWrap(true);
    problem->hide();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    auto* layout = new QFormLayout(&dialog);
    layout->addRow(QStringLiteral("Start colour at:"), lower);
    layout->addRow(QStringLiteral("End colour at:"), upper);
    layout->addRow(problem);
    layout->addRow(buttons);

    ColourRange chosen;
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
        const std::optional<double> min = ParseSectionNumber(lower->text());
        const std::optional<double> max = ParseSectionNumber(upper->text());
        QString why;
        if (!min || !max)
            why = InvalidNumberMessage(!min ? lower->text() : upper->text());
        else if (const std::string text = ColourRangeProblem(*min, *max); !text.empty())
            why = QString::fromStdString(text);
        if (!why.isEmpty()) {
            // The dialog stays, with the text as typed, until it holds a range.
            problem->setText(why);
            problem->show();
            return;
        }
        chosen = {static_cast<float>(*min), static_cast<float>(*max)};
        dialog.accept();
    });
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return chosen;
}

void FixColourRange(TForm1& form, GlPanel* surface, ColourRange range) {
    const FieldViewState& state = *form.fieldViewState;
    if (state.shownPanel != surface || !state.shownField)
        return;
    form.readingState->fixedRange =
        ReadingState::FixedRange{range.min, range.max, state.shownField->variableCaption};
    redrawWithReading(form, surface);
}

void AddColourKeyItems(GlPanel* surface, QMenu& menu) {
    TForm1* form = Form1;
    if (form == nullptr || (surface != form->Panel1 && surface != form->Panel5))
        return;
    ReadingState& reading = *form->readingState;
    menu.addSeparator();
    QAction* key = menu.addAction(QStringLiteral("Show Colour Key"));
    key->setCheckable(true);
    key->setChecked(reading.colourKeyShown);
    QObject::connect(key, &QAction::toggled, surface, [form, surface](bool shown) {
        form->readingState->colourKeyShown = shown;
        redrawWithReading(*form, surface);
    });

    const std::optional<ColourRange> current = CurrentColourRange(*form, surface);
    QAction* fix = menu.addAction(QStringLiteral("Fix Colour Range…"));
    // A fixed range holds values; while the ramp grades by time or thickness it would
    // change nothing, so it is not offered.
    const FieldViewState& state = *form->fieldViewState;
    fix->setEnabled(current.has_value() && state.shownField &&
                    state.shownField->colorAxis == kColorAlongValue);
    QObject::connect(fix, &QAction::triggered, surface, [form, surface, current] {
        if (const std::optional<ColourRange> range = AskColourRange(surface, *current))
            FixColourRange(*form, surface, *range);
    });
    QAction* automatic = menu.addAction(QStringLiteral("Automatic Colour Range"));
    automatic->setEnabled(reading.fixedRange.has_value());
    QObject::connect(automatic, &QAction::triggered, surface, [form, surface] {
        form->readingState->fixedRange.reset();
        redrawWithReading(*form, surface);
    });
}

} // namespace tessaplot
