#pragma once
// The main window: a narrow strip with the menu, two tool bars and a two-panel
// status bar. It carries every command of the program as a named action (file
// commands, the inspector, the text table, the printed documents, printer
// calibration, status bar, About) and guards the user's changes: before another
// file is opened and before the program closes, a modified tank brings the save
// prompt, and nothing is replaced or closed unless the changes were saved or
// given up on purpose.

#include "DocumentSet.h"
#include "TankFileGuards.h"

#include <QMainWindow>
#include <QPointer>

#include <cstdint>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QTimer;

namespace veloquin {

struct AppContext;
class AboutDialog;
class CalibrationTextDialog;
class OuterBounds;
class RecentFilesMenu;
class TankFileDrops;
class PreviewWindow;
class TankInspector;
class PrinterCalibrationDialog;
class SheetOptionsDialog;
class TankInspectorRows;
struct UnfitText;

class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // Outer bounds, frame included, as the settings keep them.
    static constexpr int kMaxHeightPx = 122;
    static constexpr int kMinOuterWidthPx = 200;
    static constexpr int kMinOuterHeightPx = 60;
    static constexpr int kToolBarRowPx = 25;
    static constexpr int kStatusPanel2WidthPx = 100;
    static constexpr int kStatusPanel1ReservePx = 140;
    static constexpr int kTimerIntervalMs = 100;

    // Reads the window geometry and the printer calibration from the settings.
    explicit MainWindow(AppContext& context);
    ~MainWindow() override;

    // The inspector is created after the main window; its first showing shows it.
    void SetInspector(TankInspector* inspector, TankInspectorRows* rows);
    // The sheet options are created after the main window too; the preview draws with them.
    void SetSheetOptions(SheetOptionsDialog* sheetOptions) { m_sheetOptions = sheetOptions; }

    // --- Commands (the actions' handlers) ---
    // A new tank with its defaults, after the save prompt.
    void acNewExecute();
    void acOpenExecute();
    // Both return true when the tank was stored.
    bool acSaveExecute();
    bool acSaveAsExecute();
    void acExitExecute();
    void acInspectorExecute();
    void acStatusBarExecute();
    void acActivePageExecute();
    void acProtocolExecute();
    void acCalibrationTxtExecute();
    void acCalibrationExecute();
    void acOutlineExecute();
    void acPrinterCalibrationExecute();
    void acAboutExecute();
    void acGuideExecute();

    // Opens a tank file without the save prompt (the file named at start, or
    // after the prompt was answered). A file that cannot be read is reported with
    // its name and the tank stays as it was; true when the file was opened.
    bool OpenTankFile(const QString& path);
    // The save prompt, then OpenTankFile: a recent or a dropped file.
    void OpenAfterPrompt(const QString& path);
    RecentFilesMenu* RecentFiles() const { return m_recentFiles; }

    // The close query: true when the program may close.
    bool CloseQuery();
    // Window geometry and printer calibration to the settings file (at shut-down).
    bool WriteSettings();

    // An action by its name ("acOpen", "acSave"...).
    QAction* Action(const char* name) const;
    // The texts of the two status panels.
    QString StatusPanelText(int panel) const;
    // A panel of another part of the program at the status bar's right end
    // (the checks' counts). The file name's panel gives up the room it needs;
    // call again when its text changed.
    void AddStatusPanel(QWidget* panel);
    void StatusPanelChanged();
    // Windows created on first use (null before), for tests and screenshots.
    CalibrationTextDialog* CalibrationDlg() const { return m_calibrationDlg; }
    PrinterCalibrationDialog* PrinterCalibrationDlg() const { return m_printerCalibrationDlg; }
    AboutDialog* AboutDlg() const { return m_aboutDlg; }
    PreviewWindow* DrawForm() const { return m_drawForm; }
    CalibrationTextDialog* EnsureCalibrationDlg();
    // The window's outer bounds, as the settings keep them.
    OuterBounds& Bounds() const { return *m_bounds; }
    QMenu* createPopupMenu() override;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateActions();
    void CreateMenu();
    void CreateToolBars();
    void CreateStatusBar();
    void ReadSettings();
    void Timer1Timer();
    void UpdatePanel1Width();
    void SetStatusPanel1(const QString& text);
    // The file's name, a star while modified, the caption.
    void UpdateTitle();
    // Reads path into the tank; throws what the reader throws.
    void LoadTankFrom(const QString& path);
    // The tank opened or made anew becomes the open tank, with a history of
    // its own, shown and saved to path.
    void ShowTankAs(const QString& path, const TSteelVertCylTank& tank, std::int32_t fileVersion);
    void CommitInspectorEdit();
    // The save prompt before the tank is given up: true when the caller may go on.
    bool ConfirmDiscardOrSave();
    bool StoreTo(const QString& path);
    void OpenDocument(DocKind docKind);
    void ShowPreview();
    void ShowUnfitText(const UnfitText& text);

    AppContext& m_context;
    OuterBounds* m_bounds = nullptr;
    TankInspector* m_inspector = nullptr;
    TankInspectorRows* m_rows = nullptr;
    bool m_shownOnce = false;

    QLabel* m_statusPanel1 = nullptr;
    QLabel* m_statusPanel2 = nullptr;
    std::vector<QPointer<QWidget>> m_otherStatusPanels;
    QTimer* m_timer1 = nullptr;

    CalibrationTextDialog* m_calibrationDlg = nullptr;
    PrinterCalibrationDialog* m_printerCalibrationDlg = nullptr;
    FileOnDisk m_fileOnDisk; // the tank file as last opened or saved here
    AboutDialog* m_aboutDlg = nullptr;
    SheetOptionsDialog* m_sheetOptions = nullptr;
    PreviewWindow* m_drawForm = nullptr;
    RecentFilesMenu* m_recentFiles = nullptr;
    TankFileDrops* m_drops = nullptr;
};

} // namespace veloquin
