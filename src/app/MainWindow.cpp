#include "MainWindow.h"

#include "AboutDialog.h"
#include "AppContext.h"
#include "AppFont.h"
#include "CalibrationTextDialog.h"
#include "CommandIcons.h"
#include "DialogSupport.h"
#include "FileDialog.h"
#include "FileNames.h"
#include "GFunc.h"
#include "GeneralErrorReport.h"
#include "MessageBox.h"
#include "NumberTexts.h"
#include "PdfExport.h"
#include "PreviewWindow.h"
#include "PrinterCalibrationDialog.h"
#include "RecentFilesMenu.h"
#include "TankFile.h"
#include "TankFileDrops.h"
#include "TankInspector.h"
#include "TankInspectorRows.h"
#include "UserGuideWindow.h"
#include "VeloquinVersion.h"
#include "WindowBounds.h"
#include "editing/EditMenu.h"
#include "export/TableExportActions.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include <algorithm>
#include <functional>

namespace veloquin {
namespace {

const char* const kFileFilter = "Файл данных Veloquin (*.vlq)";
const char* const kFileExtension = "vlq";

QString Utf8(const char* text)
{
    return QString::fromUtf8(text);
}

} // namespace

MainWindow::MainWindow(AppContext& context) : m_context(context)
{
    UpdateTitle();
    setFont(UiFont());
    m_bounds = new OuterBounds(*this, QSize(kMinOuterWidthPx, kMinOuterHeightPx), kMaxHeightPx);
    m_bounds->ApplyFitted(QRect(196, 110, 500, kMaxHeightPx));

    CreateActions();
    CreateMenu();
    AddEditMenu(*this, m_context.editing, [this] { CommitInspectorEdit(); });
    CreateToolBars();
    CreateStatusBar();
    // The tool bars fill the window; there is no working area below them.
    setCentralWidget(new QWidget(this));

    m_timer1 = new QTimer(this);
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setInterval(kTimerIntervalMs);
    connect(m_timer1, &QTimer::timeout, this, &MainWindow::Timer1Timer);
    m_timer1->start();
    connect(&m_context.editing, &TankEditing::modifiedChanged, this, &MainWindow::Timer1Timer);
    connect(&m_context.editing, &TankEditing::historyTrimmed, this, [this](int dropped) {
        statusBar()->showMessage(QStringLiteral("История правок заняла больше %1 МБ: самые старые шаги отмены "
                                                "удалены (%2).")
                                     .arg(kUndoHistoryBytes >> 20)
                                     .arg(dropped));
    });

    ReadSettings();
    SetStatusPanel1(m_context.currentFileName);

    m_drops = new TankFileDrops(this, [this](const QString& path) { OpenAfterPrompt(path); });
    m_drops->Watch(this);
}

MainWindow::~MainWindow() = default;

void MainWindow::SetInspector(TankInspector* inspector, TankInspectorRows* rows)
{
    m_inspector = inspector;
    m_rows = rows;
    if (m_inspector)
        m_drops->Watch(m_inspector);
    // The user types in the inspector: the commands' keys (Ctrl+S, F11...) work there too.
    if (m_inspector) {
        for (QAction* action : findChildren<QAction*>(QString(), Qt::FindDirectChildrenOnly)) {
            if (!action->shortcut().isEmpty())
                m_inspector->addAction(action);
        }
    }
}

QMenu* MainWindow::createPopupMenu()
{
    // The tool bars are part of the window's fixed strip: no menu to hide them.
    return nullptr;
}

// --- Construction ---------------------------------------------------------------

void MainWindow::CreateActions()
{
    const auto add = [this](const char* name, const char* caption, const char* hint, int icon,
                            const QKeySequence& shortcut, std::function<void()> handler) {
        auto* action = new QAction(Utf8(caption), this);
        action->setObjectName(QLatin1String(name));
        if (hint)
            action->setToolTip(Utf8(hint));
        if (icon >= 0)
            action->setIcon(CommandIcon(icon));
        if (!shortcut.isEmpty())
            action->setShortcut(shortcut);
        connect(action, &QAction::triggered, this, std::move(handler));
        return action;
    };
    add("acNew", "Со&здать", "Создать", -1, QKeySequence(Qt::CTRL | Qt::Key_N), [this] { acNewExecute(); });
    add("acOpen", "&Открыть...", "Открыть...", 1, QKeySequence(Qt::CTRL | Qt::Key_O), [this] { acOpenExecute(); });
    QAction* save =
        add("acSave", "&Сохранить", "Сохранить", 0, QKeySequence(Qt::SHIFT | Qt::Key_F12), [this] { acSaveExecute(); });
    // The key every desktop program saves with, beside the program's own; the
    // menu shows the first.
    save->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_S), QKeySequence(Qt::SHIFT | Qt::Key_F12)});
    add("acSaveAs", "Сохранить Ка&к...", nullptr, -1, QKeySequence(), [this] { acSaveAsExecute(); });
    add("acExit", "В&ыход", nullptr, 8, QKeySequence(Qt::ALT | Qt::Key_X), [this] { acExitExecute(); });
    add("acInspector", "Инсп&ектор", "Инспектор", 7, QKeySequence(Qt::Key_F11), [this] { acInspectorExecute(); });
    QAction* statusBarAction =
        add("acStatusBar", "Строка &состояния", nullptr, -1, QKeySequence(), [this] { acStatusBarExecute(); });
    statusBarAction->setCheckable(true);
    statusBarAction->setChecked(true);
    add("acActivePage", "Текущая с&траница", "Текущая страница", 9, QKeySequence(Qt::CTRL | Qt::Key_T),
        [this] { acActivePageExecute(); });
    add("acProtocol", "Прото&кол измерений", "Протокол измерений", 6, QKeySequence(), [this] { acProtocolExecute(); });
    add("acCalibrationTxt", "Градуировочная таблица в &текстовом формате", "Градуировочная таблица в текстовом формате",
        3, QKeySequence(), [this] { acCalibrationTxtExecute(); });
    add("acCalibration", "Градуир&овочная таблица", "Градуировочная таблица", 3, QKeySequence(Qt::CTRL | Qt::Key_G),
        [this] { acCalibrationExecute(); });
    add("acOutline", "С&хема резервуара", "Схема резервуара", 4, QKeySequence(), [this] { acOutlineExecute(); });
    add("acPrinterCalibration", "Кал&ибровка принтера...", nullptr, 5, QKeySequence(),
        [this] { acPrinterCalibrationExecute(); });
    add("acAbout", "О пр&ограмме...", nullptr, 2, QKeySequence(), [this] { acAboutExecute(); });
    add("acGuide", "&Руководство", nullptr, -1, QKeySequence(Qt::Key_F1), [this] { acGuideExecute(); });
}

QAction* MainWindow::Action(const char* name) const
{
    return findChild<QAction*>(QLatin1String(name), Qt::FindDirectChildrenOnly);
}

void MainWindow::CreateMenu()
{
    QMenuBar* bar = menuBar();
    QMenu* file = bar->addMenu(QStringLiteral("Ф&айл"));
    file->addAction(Action("acNew"));
    file->addAction(Action("acOpen"));
    m_recentFiles = new RecentFilesMenu(file->addMenu(QStringLiteral("Последние &файлы")), m_context.settings,
                                        [this](const QString& path) { OpenAfterPrompt(path); });
    file->addSeparator();
    file->addAction(Action("acSave"));
    file->addAction(Action("acSaveAs"));
    file->addSeparator();
    AddTableExportCommands(*this, *file, m_context);
    AddPdfExportCommand(*this, *file, m_context, [this](const UnfitText& text) { ShowUnfitText(text); });
    file->addSeparator();
    file->addAction(Action("acExit"));

    QMenu* view = bar->addMenu(QStringLiteral("В&ид"));
    view->addAction(Action("acInspector"));
    view->addSeparator();
    view->addAction(Action("acStatusBar"));

    QMenu* tank = bar->addMenu(QStringLiteral("Ре&зервуар"));
    tank->addAction(Action("acActivePage"));
    tank->addSeparator();
    tank->addAction(Action("acProtocol"));
    QMenu* table = tank->addMenu(QStringLiteral("Гр&адуировочная таблица"));
    table->addAction(Action("acCalibrationTxt"));
    table->addAction(Action("acCalibration"));
    tank->addAction(Action("acOutline"));

    QMenu* service = bar->addMenu(QStringLiteral("С&ервис"));
    service->addAction(Action("acPrinterCalibration"));

    QMenu* help = bar->addMenu(QStringLiteral("С&правка"));
    help->addAction(Action("acGuide"));
    help->addSeparator();
    help->addAction(Action("acAbout"));
}

void MainWindow::CreateToolBars()
{
    const auto makeBar = [this](const char* name) {
        auto* bar = new QToolBar(QLatin1String(name), this);
        bar->setObjectName(QLatin1String(name));
        bar->setIconSize(QSize(16, 16));
        bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
        bar->setFloatable(false);
        // Rows of 25 px: with the menu and the status bar they fill the strip's
        // 122 px, title bar and frame included, and nothing more.
        bar->setContentsMargins(0, 0, 0, 0);
        bar->setFixedHeight(kToolBarRowPx);
        return bar;
    };
    QToolBar* toolBar1 = makeBar("ToolBar1");
    toolBar1->addAction(Action("acOpen"));
    toolBar1->addSeparator();
    toolBar1->addAction(Action("acSave"));
    toolBar1->addSeparator();
    toolBar1->addAction(Action("acInspector"));
    addToolBar(Qt::TopToolBarArea, toolBar1);
    // Two rows, as the strip of the main window is laid out.
    addToolBarBreak(Qt::TopToolBarArea);

    QToolBar* toolBar2 = makeBar("ToolBar2");
    toolBar2->addAction(Action("acActivePage"));
    toolBar2->addSeparator();
    toolBar2->addAction(Action("acProtocol"));
    toolBar2->addSeparator();
    toolBar2->addAction(Action("acCalibrationTxt"));
    toolBar2->addAction(Action("acCalibration"));
    toolBar2->addSeparator();
    toolBar2->addAction(Action("acOutline"));
    addToolBar(Qt::TopToolBarArea, toolBar2);
}

void MainWindow::CreateStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBarMain"));
    const auto makePanel = [bar](const char* name) {
        auto* panel = new QLabel(bar);
        panel->setObjectName(QLatin1String(name));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setTextFormat(Qt::PlainText);
        panel->setContentsMargins(2, 0, 2, 0);
        bar->addWidget(panel);
        return panel;
    };
    m_statusPanel1 = makePanel("StatusPanel1");
    m_statusPanel2 = makePanel("StatusPanel2");
    m_statusPanel2->setFixedWidth(kStatusPanel2WidthPx);
    UpdatePanel1Width();
}

void MainWindow::ReadSettings()
{
    const MainWindowSettings window = ReadMainWindowSettings(m_context.settings);
    const StoredBounds stored{window.leftPx, window.topPx, window.widthPx, window.heightPx};
    if (window.maximized) {
        setWindowState(windowState() | Qt::WindowMaximized);
        m_bounds->MoveFrameTo(FitOuterBounds(stored, AvailableScreenAreas(), QSize(kMinOuterWidthPx, kMinOuterHeightPx),
                                             kNominalTitleBarPx)
                                  .topLeft());
    } else {
        setWindowState(windowState() & ~Qt::WindowMaximized);
        m_bounds->Apply(stored);
    }
    m_context.printerCalibration = ReadPrinterCalibration(m_context.settings);
}

bool MainWindow::WriteSettings()
{
    const QRect outer = m_bounds->Current();
    MainWindowSettings window;
    window.maximized = isMaximized();
    window.widthPx = outer.width();
    window.heightPx = outer.height();
    window.topPx = outer.top();
    window.leftPx = outer.left();
    try {
        WriteMainWindowSettings(m_context.settings, window);
        WritePrinterCalibration(m_context.settings, m_context.printerCalibration);
    } catch (const SettingsWriteError& error) {
        ReportGeneralError(this, error);
        return false;
    }
    return true;
}

// --- Window events ------------------------------------------------------------

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_shownOnce || event->spontaneous())
        return;
    m_shownOnce = true;
    UpdatePanel1Width();
    if (m_inspector)
        m_inspector->show();
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    UpdatePanel1Width();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!CloseQuery()) {
        event->ignore();
        return;
    }
    // The inspector remembers where it was even when the program ends with it open.
    if (WriteSettings() && m_inspector && m_inspector->isVisible())
        m_inspector->StoreGeometry();
    if (m_inspector)
        m_inspector->hide();
    event->accept();
}

void MainWindow::Timer1Timer()
{
    // The editing's view, not the tank's flag: a dialog session lowers that flag while it runs.
    m_statusPanel2->setText(m_context.editing.IsModified() ? QStringLiteral("Изменен") : QString());
    UpdateTitle();
}

void MainWindow::UpdateTitle()
{
    const QString title = WindowTitleFor(m_context.currentFileName, m_context.editing.IsModified(),
                                         QStringLiteral("Veloquin ") + QLatin1String(kVersion));
    if (title != windowTitle())
        setWindowTitle(title);
}

void MainWindow::UpdatePanel1Width()
{
    if (!m_statusPanel1)
        return;
    int others = 0;
    for (const QPointer<QWidget>& panel : m_otherStatusPanels)
        if (panel && !panel->isHidden())
            others += panel->minimumWidth() + statusBar()->layout()->spacing();
    m_statusPanel1->setFixedWidth(std::max(width() - kStatusPanel1ReservePx - others, 0));
}

void MainWindow::AddStatusPanel(QWidget* panel)
{
    statusBar()->addPermanentWidget(panel);
    m_otherStatusPanels.push_back(panel);
    UpdatePanel1Width();
}

void MainWindow::StatusPanelChanged()
{
    UpdatePanel1Width();
}

void MainWindow::SetStatusPanel1(const QString& text)
{
    m_statusPanel1->setText(ShownPath(text));
}

QString MainWindow::StatusPanelText(int panel) const
{
    return panel == 1 ? m_statusPanel1->text() : m_statusPanel2->text();
}

// --- File commands --------------------------------------------------------------

void MainWindow::CommitInspectorEdit()
{
    if (m_inspector)
        m_inspector->CommitPendingEdit();
}

bool MainWindow::ConfirmDiscardOrSave()
{
    CommitInspectorEdit();
    if (!m_context.Tank().Modified())
        return true;
    const QString question =
        QStringLiteral("Сохранить изменения в ") + QuotedPath(m_context.currentFileName) + QLatin1Char('?');
    const MessageBox::Button answer =
        MessageBox::Ask(this, ApplicationTitle(), question, MessageBox::Icon::Warning,
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    switch (answer) {
    case QMessageBox::Yes:
        // A cancelled or failed save keeps everything as it is.
        acSaveExecute();
        return !m_context.Tank().Modified();
    case QMessageBox::No: return true;
    default: return false;
    }
}

bool MainWindow::CloseQuery()
{
    return ConfirmDiscardOrSave();
}

bool MainWindow::StoreTo(const QString& path)
{
    try {
        StoreTankFile(NativePath(path), m_context.Tank(), m_context.editing.FileVersion());
    } catch (const std::exception& error) {
        ReportFileError(this, QStringLiteral("Не удалось сохранить файл"), path, error);
        return false;
    }
    m_context.editing.MarkSaved();
    m_fileOnDisk.Note(path);
    m_recentFiles->Add(path);
    UpdateTitle();
    return true;
}

bool MainWindow::acSaveExecute()
{
    CommitInspectorEdit();
    // The file's own name, not the panel's text of it (which shows a byte that is
    // not UTF-8 as a replacement character and so names another file).
    const QString target = m_context.currentFileName;
    if (target == AppContext::NewFileName())
        return acSaveAsExecute();
    if (!ConfirmOverwriteIfChanged(this, m_fileOnDisk, target))
        return false;
    return StoreTo(target);
}

bool MainWindow::acSaveAsExecute()
{
    CommitInspectorEdit();
    FileDialog::Request request;
    request.title = QStringLiteral("Сохранить как");
    request.fileName = ProposedSaveName(m_context.currentFileName, QString::fromStdString(m_context.Tank().Name()));
    request.filter = Utf8(kFileFilter);
    request.defaultSuffix = QLatin1String(kFileExtension);
    request.tankFile = true;
    const QString path = FileDialog::GetSaveFileName(this, request);
    if (path.isEmpty())
        return false;
    // The new name is taken only once the file holds the tank: a failed store
    // leaves Save pointing at the file that is still good.
    if (!StoreTo(path))
        return false;
    SetStatusPanel1(path);
    m_context.currentFileName = path;
    FileDialog::SetOpenTankFile(path);
    UpdateTitle();
    return true;
}

void MainWindow::acNewExecute()
{
    if (!ConfirmDiscardOrSave())
        return;
    m_fileOnDisk = FileOnDisk();
    ShowTankAs(AppContext::NewFileName(), TSteelVertCylTank(), 1);
}

void MainWindow::acOpenExecute()
{
    if (!ConfirmDiscardOrSave())
        return;
    FileDialog::Request request;
    request.title = QStringLiteral("Открыть");
    request.filter = Utf8(kFileFilter);
    request.defaultSuffix = QLatin1String(kFileExtension);
    const QString path = FileDialog::GetOpenFileName(this, request);
    // A name that is not there is let go without a word; anything that is
    // there but is not a tank file (a folder, a pipe, a device) is for the
    // reader to refuse with its reason.
    if (path.isEmpty() || !PathExists(path))
        return;
    // The file is read into a tank of its own; the open tank, its name and the
    // status panel change only when the whole file was read.
    try {
        LoadTankFrom(path);
    } catch (const std::exception& error) {
        ReportFileError(this, QStringLiteral("Не удалось открыть файл"), path, error);
    }
}

void MainWindow::LoadTankFrom(const QString& path)
{
    // Noted before reading, so that a change while it is read counts too.
    FileOnDisk opened;
    opened.Note(path);
    LoadedTank loaded = LoadTankFile(NativePath(path));
    m_fileOnDisk = opened;
    ShowTankAs(path, loaded.tank, loaded.version);
    m_recentFiles->Add(path);
    ReportTableFaultOnOpen(this, m_context.Tank());
}

void MainWindow::ShowTankAs(const QString& path, const TSteelVertCylTank& tank, std::int32_t fileVersion)
{
    m_context.editing.Replace(tank, fileVersion);
    m_context.currentFileName = path;
    FileDialog::SetOpenTankFile(path == AppContext::NewFileName() ? QString() : path);
    SetStatusPanel1(path);
    if (m_rows)
        m_rows->RefreshAfterLoad();
    Timer1Timer();
}

bool MainWindow::OpenTankFile(const QString& path)
{
    // Unlike the open dialog, nothing here shows which file was meant: the message names it.
    try {
        LoadTankFrom(path);
    } catch (const std::exception& error) {
        ReportFileError(this, QStringLiteral("Не удалось открыть файл"), path, error);
        return false;
    }
    return true;
}

void MainWindow::OpenAfterPrompt(const QString& path)
{
    if (ConfirmDiscardOrSave())
        OpenTankFile(path);
}

void MainWindow::acExitExecute()
{
    close();
}

// --- Other commands ---------------------------------------------------------------

void MainWindow::acInspectorExecute()
{
    if (!m_inspector)
        return;
    m_inspector->show();
    m_inspector->raise();
    m_inspector->activateWindow();
}

void MainWindow::acStatusBarExecute()
{
    const bool visible = !statusBar()->isVisibleTo(this);
    statusBar()->setVisible(visible);
    Action("acStatusBar")->setChecked(visible);
}

void MainWindow::OpenDocument(DocKind docKind)
{
    SelectDocument(m_context.Tank(), m_context.documents, docKind);
    ShowPreview();
}

void MainWindow::ShowPreview()
{
    // The pages are drawn from the tank as it is: a value still in the inspector's editor belongs to it.
    CommitInspectorEdit();
    if (!m_drawForm && m_sheetOptions)
        m_drawForm = new PreviewWindow(this, m_context, *m_sheetOptions);
    if (m_drawForm)
        m_drawForm->Execute();
}

// The text is shortened where it is typed: the sheet options above its page.
void MainWindow::ShowUnfitText(const UnfitText& text)
{
    if (text.pages.empty() || !SelectGlobalPage(m_context.Tank(), m_context.documents, text.pages.front()))
        return;
    if (!m_drawForm && m_sheetOptions)
        m_drawForm = new PreviewWindow(this, m_context, *m_sheetOptions);
    if (m_drawForm)
        m_drawForm->GoToTextOnShow(text);
    ShowPreview();
}

// The preview as it was left; before it was ever opened, the protocol's first page.
void MainWindow::acActivePageExecute()
{
    if (!m_drawForm) {
        OpenDocument(DocKind::Protocol);
        return;
    }
    ShowPreview();
}

void MainWindow::acProtocolExecute()
{
    OpenDocument(DocKind::Protocol);
}

void MainWindow::acCalibrationExecute()
{
    OpenDocument(DocKind::Calibration);
}

void MainWindow::acOutlineExecute()
{
    OpenDocument(DocKind::Outline);
}

CalibrationTextDialog* MainWindow::EnsureCalibrationDlg()
{
    if (!m_calibrationDlg)
        m_calibrationDlg = new CalibrationTextDialog(this, m_context.Tank());
    return m_calibrationDlg;
}

void MainWindow::acCalibrationTxtExecute()
{
    CommitInspectorEdit();
    EnsureCalibrationDlg()->Execute();
}

void MainWindow::acPrinterCalibrationExecute()
{
    if (!m_printerCalibrationDlg)
        m_printerCalibrationDlg = new PrinterCalibrationDialog(this);
    PrinterCalibration& values = m_context.printerCalibration;
    m_printerCalibrationDlg->ShowValues(values.dXCalibr, values.dYCalibr, values.dXScal, values.dYScal);
    if (m_printerCalibrationDlg->exec() != QDialog::Accepted)
        return;
    // In order; a box that does not convert ends the command, the boxes before it keep their new values.
    const std::pair<QLineEdit*, double*> fields[] = {
        {m_printerCalibrationDlg->edX(), &values.dXCalibr},
        {m_printerCalibrationDlg->edY(), &values.dYCalibr},
        {m_printerCalibrationDlg->edScalX(), &values.dXScal},
        {m_printerCalibrationDlg->edScalY(), &values.dYScal},
    };
    try {
        for (const auto& [edit, value] : fields)
            *value = CheckedPrinterCalibrationValue(TextToFloat(edit->text()));
    } catch (const ConvertError& error) {
        ReportGeneralError(this, error);
    }
}

void MainWindow::acGuideExecute()
{
    ShowUserGuide(this);
}

void MainWindow::acAboutExecute()
{
    if (!m_aboutDlg)
        m_aboutDlg = new AboutDialog(this);
    ShowModalCentred(*m_aboutDlg);
}

} // namespace veloquin
