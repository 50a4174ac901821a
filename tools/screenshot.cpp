// Makes the README's pictures with the program's own windows: opens a result
// directory as a user would, shows a quantity on each page and saves what the main
// window shows.
//   screenshot <result-directory> <output-directory> [<measured-file>]
// With a measured file, also the Compare Runs window's validation rows for the skin
// temperature beside it (evidence-table.png).
#include "app/Application.h"
#include "app/RadioGroup.h"
#include "app/Temp.h"
#include "compare/CompareMenu.h"
#include "compare/CompareRunsWindow.h"
#include "compare/Comparison.h"
#include "dataset/DirectoryListBox.h"
#include "dataset/Unit4.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <cstdio>

namespace {

using tessaplot::Form1;

void settle(int ms) {
    QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired())
        QTest::qWait(10);
}

bool save(const QString& directory, const char* name) {
    settle(300);
    const QString path = QDir(directory).filePath(QLatin1String(name));
    if (!Form1->grab().save(path)) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr,
                     "usage: screenshot <result-directory> <output-directory> [<measured-file>]\n");
        return 2;
    }
    tessaplot::SetDefaultSurfaceFormat();
    tessaplot::TApplication app(argc, argv);
    const QString data = QString::fromLocal8Bit(argv[1]);
    const QString out = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(out);
    if (!tessaplot::CreateForms())
        return 1;
    Form1->show();
    if (!QTest::qWaitForWindowExposed(Form1))
        return 1;
    tessaplot::Form4->DirectoryListBox1->SetDirectory(data);
    tessaplot::Form4->Button1Click();
    settle(200);

    bool ok = true;
    Form1->RadioGroup1->SetItemIndex(5); // temperature
    Form1->BitBtn1->click();
    ok = save(out, "main-window.png") && ok;

    Form1->SetActivePage(Form1->TabSheet2);
    settle(200);
    Form1->RadioGroup2->SetItemIndex(0);
    Form1->BitBtn4->click();
    ok = save(out, "fibers.png") && ok;

    Form1->SetActivePage(Form1->TabSheet3);
    settle(200);
    Form1->RadioGroup3->SetItemIndex(0);
    Form1->BitBtn7->click();
    ok = save(out, "body-property.png") && ok;

    Form1->SetActivePage(Form1->TabSheet4);
    Form1->RadioGroup4->SetItemIndex(0);
    ok = save(out, "body-comfort.png") && ok;

    if (argc == 4) {
        Form1->SetActivePage(Form1->TabSheet3);
        settle(200);
        Form1->RadioGroup3->SetItemIndex(0);
        Form1->BitBtn7->click();
        auto& evidence = Form1->comparison->evidence;
        const std::string measured =
            QDir().absoluteFilePath(QString::fromLocal8Bit(argv[3])).toStdString();
        if (const auto refused = evidence.addMeasured(measured)) {
            std::fprintf(stderr, "%s\n", refused->c_str());
            return 1;
        }
        evidence.setPhases("Rest:0-30,Exercise:30-90,Recovery:90-180");
        evidence.setTolerances({"temperature of skin=0.5"});
        tessaplot::ShowCompareRunsWindow(*Form1);
        tessaplot::CompareRunsWindow* window = tessaplot::CompareRunsWindowOf(*Form1);
        window->resize(760, 700);
        settle(400);
        window->refresh();
        // The skin temperature's validation rows of the whole time and the first phases in view.
        const auto& table = window->shownTable();
        for (std::size_t r = 1; r < table.size(); ++r)
            if (table[r][0].rfind("Measured ", 0) == 0 &&
                table[r][0].find("temperature of skin") != std::string::npos) {
                window->Table->scrollToItem(window->Table->item(static_cast<int>(r) - 1, 0),
                                            QAbstractItemView::PositionAtTop);
                break;
            }
        settle(300);
        const QString path = QDir(out).filePath(QStringLiteral("evidence-table.png"));
        ok = window->grab().save(path) && ok;
        std::printf("%s\n", qPrintable(path));
    }

    tessaplot::DestroyForms();
    return ok ? 0 : 1;
}
