#pragma once

#include "compare/Comparison.h"
#include "compare/RunComparisonTable.h"

#include <QWidget>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class QListWidget;
class QPushButton;
class QTableWidget;
class QTimer;

namespace tessaplot {

class TForm1;

// The modeless "Compare Runs" window: the opened run and the runs compared with it,
// Add… and Remove, and the table of each run's conclusions and body figures for the
// quantities the pages have chosen. While it is visible it follows every run's
// Comfort.dat and BodyProperty.dat as the pages follow the opened run's.
class CompareRunsWindow : public QWidget {
    Q_OBJECT
public:
    explicit CompareRunsWindow(TForm1& form);

    QListWidget* RunList = nullptr;
    QPushButton* AddButton = nullptr;
    QPushButton* RemoveButton = nullptr;
    QPushButton* AddMeasuredButton = nullptr;
    QPushButton* PhasesButton = nullptr;
    QPushButton* ThresholdsButton = nullptr;
    QPushButton* RemoveMeasuredButton = nullptr;
    // The measured files laid beside the runs, in their colours; hidden while none is.
    QListWidget* MeasuredList = nullptr;
    QTableWidget* Table = nullptr;
    QTimer* RefreshTimer = nullptr;

    // Asks for a directory (the dialog "CompareAddDialog") and compares it; a refusal is
    // told once.
    void addRun();
    void removeRun();
    // Asks for a measured file (the dialog "MeasuredAddDialog") and lays it beside the
    // runs; a refused file is told with its line and column, nothing added. Each column
    // whose header names no quantity is then offered to be matched by hand (the dialog
    // "MatchColumnDialog").
    void addMeasured();
    void removeMeasured();
    // Ask for the protocol phases ("Rest:0-30,Exercise:30-90"), and for the thresholds
    // and tolerances (one a line); a refused text is told and nothing changes.
    void editPhases();
    void editThresholds();
    // Reads what changed on disk and builds the table again when anything it shows did.
    void refresh();
    const TextTable& shownTable() const { return m_table; }
    // How often the table was built, for telling a tick that changed nothing.
    std::uint64_t tableBuilds() const { return m_tableBuilds; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void listRuns();
    void updateButtons();
    void showTable();
    void exportTable();
    void redrawPictures();
    void listMeasured();
    void matchByHand(std::size_t fileIndex);
    RunTableChoice choice() const;
    std::vector<RunTableInput> readRuns(const RunTableChoice& choice);
    std::vector<std::uint64_t> inputKey(const RunTableChoice& choice) const;

    TForm1& m_form;
    Comparison& m_comparison;
    // The opened run's tables, read here as the compared runs' are: the table shows one
    // version of each file whichever page is shown.
    std::unique_ptr<ComparedRun> m_opened;
    QString m_lastAddDirectory;
    QString m_lastMeasuredDirectory;
    std::vector<std::uint64_t> m_shownKey;
    TextTable m_table;
    std::uint64_t m_tableBuilds = 0;
};

// The window of `form`, made on first use when `make` is set (otherwise nullptr until then).
CompareRunsWindow* CompareRunsWindowOf(TForm1& form, bool make = true);

} // namespace tessaplot
