#include "FieldChecks.h"

#include "CheckWindow.h"
#include "FindingPlaces.h"
#include "MainWindow.h"
#include "MessageBox.h"
#include "TankInspector.h"
#include "TankInspectorRows.h"
#include "editing/TankEditing.h"

#include <QAction>
#include <QApplication>
#include <QBoxLayout>
#include <QDialog>
#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStringList>
#include <QTimer>

#include <map>

namespace veloquin {

namespace {

// How long a double click waits for the row's dialog to come up.
constexpr int kDialogWaitStepMs = 10;
constexpr int kDialogWaitSteps = 300;

const char* const kTankMenuTitle = "Резервуар";
const char* const kPreviewName = "DrawForm";
const char* const kBannerName = "CheckBanner";
// The source of the inspector's row marks, and their tints.
const char* const kMarkSource = "checks";
const QColor kErrorTint(255, 205, 205);
const QColor kWarningTint(255, 232, 190);

// 1 ошибка, 2 ошибки, 5 ошибок; 11 ошибок, 21 ошибка.
QString Counted(int n, const char* one, const char* few, const char* many)
{
    const int tens = n % 100;
    const int units = n % 10;
    const char* word = (units == 1 && tens != 11)                               ? one
                       : (units >= 2 && units <= 4 && (tens < 12 || tens > 14)) ? few
                                                                                : many;
    return QString::number(n) + QLatin1Char(' ') + QString::fromUtf8(word);
}

QString Errors(int n)
{
    return Counted(n, "ошибка", "ошибки", "ошибок");
}
QString Warnings(int n)
{
    return Counted(n, "предупреждение", "предупреждения", "предупреждений");
}

} // namespace

QMenu* TankMenu(MainWindow& mainForm)
{
    for (QAction* action : mainForm.menuBar()->actions())
        if (action->menu() && action->text().remove(QLatin1Char('&')) == QString::fromUtf8(kTankMenuTitle))
            return action->menu();
    return nullptr;
}

QString CheckSummaryText(const FindingCounts& counts)
{
    QString text = QStringLiteral("Проверка: ");
    if (counts.errors == 0 && counts.warnings == 0)
        return text + QStringLiteral("замечаний нет");
    if (counts.errors > 0)
        text += Errors(counts.errors);
    if (counts.errors > 0 && counts.warnings > 0)
        text += QStringLiteral(", ");
    if (counts.warnings > 0)
        text += Warnings(counts.warnings);
    return text;
}

QString CheckPanelText(const FindingCounts& counts)
{
    if (counts.errors == 0 && counts.warnings == 0)
        return QStringLiteral("Замечаний нет");
    QStringList parts;
    if (counts.errors > 0)
        parts.append(Errors(counts.errors));
    if (counts.warnings > 0)
        parts.append(QString::number(counts.warnings) + QStringLiteral(" предупр."));
    return parts.join(QStringLiteral(", "));
}

QString CheckBannerText(int errors)
{
    return QStringLiteral("В исходных данных ") + Errors(errors) +
           QStringLiteral(": таблица может быть неверной. Проверка данных — F9");
}

FieldChecks::FieldChecks(MainWindow& mainForm, TankInspector& inspector, TankInspectorRows& rows, TankEditing& editing)
    : QObject(&mainForm), m_mainForm(mainForm), m_inspector(inspector), m_rows(rows), m_tank(editing.Tank())
{
    setObjectName(QStringLiteral("FieldChecks"));

    m_action = new QAction(QStringLiteral("Проверка &данных"), &mainForm);
    m_action->setObjectName(QStringLiteral("acCheck"));
    m_action->setShortcut(QKeySequence(Qt::Key_F9));
    // The inspector and the dialogs' owner windows are separate top-level windows.
    m_action->setShortcutContext(Qt::ApplicationShortcut);
    connect(m_action, &QAction::triggered, this, [this] { acCheckExecute(); });
    mainForm.addAction(m_action);
    auto* charts = new QAction(QStringLiteral("Гр&афики"), &mainForm);
    charts->setObjectName(QStringLiteral("acCharts"));
    connect(charts, &QAction::triggered, this, [this] { acChartsExecute(); });
    mainForm.addAction(charts);
    if (QMenu* menu = TankMenu(mainForm)) {
        menu->addSeparator();
        menu->addAction(m_action);
        menu->addAction(charts);
    }

    m_statusPanel = new QLabel(mainForm.statusBar());
    m_statusPanel->setObjectName(QStringLiteral("CheckStatus"));
    m_statusPanel->setTextFormat(Qt::PlainText);
    m_statusPanel->setContentsMargins(2, 0, 2, 0);
    mainForm.AddStatusPanel(m_statusPanel);

    // The preview is created on its first use: its banner is added when it first shows.
    qApp->installEventFilter(this);
    WatchTank(editing);
    Recheck();
}

// The one place the checks learn of a change: every change of the tank, undo,
// redo and an opened file end in tankChanged. A change of what only the
// documents show (the sheet options, typed a key at a time) leaves the findings as they are.
void FieldChecks::WatchTank(TankEditing& editing)
{
    connect(&editing, &TankEditing::tankChanged, this, [this](TankFields fields) {
        if ((fields & kComputedFromFields) != 0)
            Recheck();
    });
}

void FieldChecks::Recheck()
{
    m_findings = CheckTank(m_tank);
    const FindingCounts counts = Counts();
    const QString summary = CheckSummaryText(counts);
    // The main window is a narrow strip: the panel says the counts short, the tip whole.
    m_statusPanel->setText(CheckPanelText(counts));
    m_statusPanel->setMinimumWidth(m_statusPanel->sizeHint().width());
    m_mainForm.StatusPanelChanged();
    m_statusPanel->setToolTip(summary + QStringLiteral(" (F9)"));
    m_statusPanel->setStyleSheet(counts.errors > 0 ? QStringLiteral("color: #b00000;") : QString());
    if (m_window)
        m_window->ShowFindings(m_findings, summary);
    if (m_charts && m_charts->isVisible())
        m_charts->ShowTank(m_findings);
    MarkInspectorRows();
    UpdateBanners();
    emit findingsChanged();
}

void FieldChecks::acCheckExecute()
{
    if (!m_window) {
        m_window = new CheckWindow(&m_mainForm);
        connect(m_window, &CheckWindow::findingActivated, this, [this](Finding finding) { OpenFinding(finding); });
        m_window->ShowFindings(m_findings, CheckSummaryText(Counts()));
    }
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void FieldChecks::acChartsExecute()
{
    if (!m_charts)
        m_charts = new ChartsWindow(&m_mainForm, m_tank);
    m_charts->ShowTank(m_findings);
    m_charts->show();
    m_charts->raise();
    m_charts->activateWindow();
}

void FieldChecks::OpenFinding(const Finding& finding)
{
    const FindingPlace place = PlaceOf(finding);
    if (!m_inspector.isVisible())
        m_inspector.show();
    m_inspector.raise();
    if (!m_inspector.SelectRow(static_cast<int>(place.row)))
        return;
    m_inspector.RepaintColumns();
    if (place.control == FindingControl::InPlace) {
        m_inspector.activateWindow();
        return;
    }
    // The dialog is modal: its cell is focused from inside its event loop, once it is up.
    auto* wait = new QTimer(this);
    wait->setInterval(kDialogWaitStepMs);
    auto steps = std::make_shared<int>(0);
    connect(wait, &QTimer::timeout, this, [wait, steps, finding] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible())
            FocusFindingIn(*modal, finding);
        if ((modal && modal->isVisible()) || ++*steps > kDialogWaitSteps) {
            wait->stop();
            wait->deleteLater();
        }
    });
    wait->start();
    m_rows.OpenRowDialog();
}

void FieldChecks::MarkInspectorRows()
{
    std::map<int, TankInspector::RowMark> marks;
    for (const Finding& f : m_findings) {
        TankInspector::RowMark& mark = marks[static_cast<int>(PlaceOf(f).row)];
        if (!mark.text.isEmpty())
            mark.text += QLatin1Char('\n');
        mark.text += QString::fromStdString(f.message);
        if (f.severity == Severity::Error || !mark.colour.isValid())
            mark.colour = f.severity == Severity::Error ? kErrorTint : kWarningTint;
        // A finding stays marked until the value is put right, not until it is seen.
        mark.clearedWhenSelected = false;
    }
    const QString source = QString::fromLatin1(kMarkSource);
    m_inspector.ClearRowMarks(source);
    for (const auto& [row, mark] : marks)
        m_inspector.SetRowMark(row, source, mark);
}

bool FieldChecks::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show && watched->isWidgetType() &&
        watched->objectName() == QLatin1String(kPreviewName)) {
        auto* preview = static_cast<QWidget*>(watched);
        if (!preview->findChild<QLabel*>(QLatin1String(kBannerName), Qt::FindDirectChildrenOnly))
            AttachBanner(*preview);
    }
    return QObject::eventFilter(watched, event);
}

void FieldChecks::AttachBanner(QWidget& preview)
{
    auto* layout = qobject_cast<QBoxLayout*>(preview.layout());
    if (!layout)
        return;
    auto* banner = new QLabel(&preview);
    banner->setObjectName(QLatin1String(kBannerName));
    banner->setTextFormat(Qt::PlainText);
    banner->setAlignment(Qt::AlignCenter);
    banner->setContentsMargins(4, 3, 4, 3);
    banner->setStyleSheet(QStringLiteral("background: #fde2e1; color: #8b0000; font-weight: bold;"));
    // Under the preview's tool bars, above the page.
    layout->insertWidget(1, banner);
    m_banners.emplace_back(banner);
    UpdateBanners();
}

void FieldChecks::UpdateBanners()
{
    const int errors = Counts().errors;
    for (const QPointer<QLabel>& banner : m_banners)
        if (banner) {
            banner->setText(CheckBannerText(errors));
            banner->setVisible(errors > 0);
        }
}

bool ConfirmOutputDespiteErrors(QWidget* parent, FieldChecks& checks)
{
    checks.Recheck();
    const int errors = checks.Counts().errors;
    if (errors == 0)
        return true;
    const MessageBox::Button answer = MessageBox::Ask(
        parent, QStringLiteral("Проверка данных"),
        QStringLiteral("В исходных данных ") + Errors(errors) +
            QStringLiteral(": таблица может быть неверной.\n\nОткрыть «Проверка данных»? "
                           "«Нет» — продолжить как есть."),
        MessageBox::Icon::Warning, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (answer == QMessageBox::Yes) {
        // A modal window asking (the preview) would keep the list from the user: it closes first.
        if (auto* modal = qobject_cast<QDialog*>(parent ? parent->window() : nullptr); modal && modal->isModal())
            modal->reject();
        checks.acCheckExecute();
    }
    return answer == QMessageBox::No;
}

bool ConfirmOutputDespiteErrors(QWidget* parent)
{
    // The checks belong to the main window, which owns every window that prints.
    for (QObject* owner = parent; owner; owner = owner->parent())
        if (auto* checks = owner->findChild<FieldChecks*>(QStringLiteral("FieldChecks"), Qt::FindDirectChildrenOnly))
            return ConfirmOutputDespiteErrors(parent, *checks);
    return true;
}

FieldChecks* InstallFieldChecks(MainWindow& mainForm, TankInspector& inspector, TankInspectorRows& rows,
                                TankEditing& editing)
{
    return new FieldChecks(mainForm, inspector, rows, editing);
}

} // namespace veloquin
