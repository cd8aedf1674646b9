#pragma once
// The field-data checks in the program: they run again after every change of
// the tank, their count stands in the main window's status bar, the inspector
// marks the rows they concern, the preview says while errors remain, and
// "Проверка данных" (menu "Резервуар", F9) lists them, and "Графики" (the same
// menu) marks them on the pictures of the tank. Nothing is ever blocked.

#include "ChartsWindow.h"
#include "CheckWindow.h"
#include "TankChecks.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <string>
#include <vector>

class QAction;
class QLabel;
class QMenu;

namespace veloquin {

class TankInspector;
class TankEditing;
class MainWindow;
class TankInspectorRows;

// The main window's "Резервуар" menu, which the tank's commands join.
QMenu* TankMenu(MainWindow& mainForm);

// "Проверка: 2 ошибки, 1 предупреждение", with the Russian plural forms;
// "Проверка: замечаний нет" when there are none.
QString CheckSummaryText(const FindingCounts& counts);
// The main window's status panel, which is narrow: "2 ошибки, 1 предупр.",
// "Замечаний нет"; the summary is its tooltip.
QString CheckPanelText(const FindingCounts& counts);
// The preview's banner while errors remain.
QString CheckBannerText(int errors);

class FieldChecks : public QObject
{
    Q_OBJECT

public:
    // Parented to the main window; adds the command to its "Резервуар" menu and a
    // panel to its status bar.
    FieldChecks(MainWindow& mainForm, TankInspector& inspector, TankInspectorRows& rows, TankEditing& editing);

    const std::vector<Finding>& Findings() const { return m_findings; }
    FindingCounts Counts() const { return CountFindings(m_findings); }
    // Runs the checks now (they also run by themselves after every change).
    void Recheck();

    // "Проверка данных": shows the window, created on first use.
    void acCheckExecute();
    CheckWindow* CheckForm() const { return m_window; }
    // "Графики": the pictures of the tank with the findings marked, created on first use.
    void acChartsExecute();
    ChartsWindow* ChartsForm() const { return m_charts; }
    QLabel* StatusPanel() const { return m_statusPanel; }

    // Selects the finding's inspector row; a dialog row's dialog opens (modally)
    // with the finding's cell, edit box or item focused.
    void OpenFinding(const Finding& finding);

signals:
    void findingsChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void WatchTank(TankEditing& editing);
    void MarkInspectorRows();
    void UpdateBanners();
    void AttachBanner(QWidget& preview);

    MainWindow& m_mainForm;
    TankInspector& m_inspector;
    TankInspectorRows& m_rows;
    const TSteelVertCylTank& m_tank;
    std::vector<Finding> m_findings;
    QAction* m_action = nullptr;
    QLabel* m_statusPanel = nullptr;
    QPointer<CheckWindow> m_window;
    QPointer<ChartsWindow> m_charts;
    std::vector<QPointer<QLabel>> m_banners;
};

// Before the table leaves the program (printing, "Экспорт в PDF…", "Экспорт
// таблицы…"): with errors in the field data, says how many and offers to open
// "Проверка данных" (which abandons the output) or to go on. True: go on.
bool ConfirmOutputDespiteErrors(QWidget* parent, FieldChecks& checks);
// The same with the checks of the program the parent belongs to; without any, go on.
bool ConfirmOutputDespiteErrors(QWidget* parent);

// Sets the checks up in the program; the main window owns them.
FieldChecks* InstallFieldChecks(MainWindow& mainForm, TankInspector& inspector, TankInspectorRows& rows,
                                TankEditing& editing);

} // namespace veloquin
