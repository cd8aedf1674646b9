#include "BottomReadingsDialog.h"

#include "DialogSupport.h"
#include "GFunc.h"
#include "NumberTexts.h"
#include "RowDialogOpeners.h"
#include "editing/RowDialogStep.h"
#include "TankInspectorRows.h"
#include "StringGrid.h"
#include "TankClasses.h"
#include "GridClipboardBinding.h"
#include "entry/TypedInput.h"

#include <QAction>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace veloquin {
namespace {

constexpr int kCircles = TSteelVertCylTank::kBottomCircles;
constexpr int kRadii = TSteelVertCylTank::kBottomRadii;

const char* const kCircleHeaders[kCircles] = {" 0.35 R", " 0.50 R", " 0.61 R", " 0.71 R",
                                              " 0.79 R", " 0.86 R", " 0.93 R", " 1.00 R"};


QLabel* AddResult(QWidget* box, const QString& caption, int top, const QString& objectName, const QString& unit)
{
    AddDialogLabel(box, caption, QRect(8, top, 176, 16));
    QLabel* value = AddDialogLabel(box, QString(), QRect(186, top, 58, 16), objectName);
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    AddDialogLabel(box, unit, QRect(250, top, 24, 16));
    return value;
}

} // namespace

BottomReadingsDialog::BottomReadingsDialog(QWidget* parent, TSteelVertCylTank& tank) : QDialog(parent), m_tank(tank)
{
    setObjectName(QStringLiteral("BottomProminenceDlg"));
    SetUpMeasurementDialog(*this, QStringLiteral("Поправка на неровность днища"),
                           QSize(kClientWidthPx, kClientHeightPx));
    new KeyPreview(*this, [this](QKeyEvent& key) { return FormKeyDown(key); });

    // All 9 x 9 cells in view: every column and row with its line, and the bevel.
    const int gridWidthPx = (kCircles + 1) * (kColWidthPx + StringGrid::kLineWidthPx) + 2;
    const int gridHeightPx = (kRadii + 1) * (StringGrid::kDefaultRowHeightPx + StringGrid::kLineWidthPx) + 2;
    m_grid = StringGrid::InLoweredPanel(this, QRect(8, 33, gridWidthPx, gridHeightPx),
                                         QStringLiteral("sgBottomProminence"));
    m_grid->SetColCount(kCircles + 1);
    m_grid->SetRowCount(kRadii + 1);
    m_grid->SetFixedCols(1);
    m_grid->SetFixedRows(1);
    m_grid->SetDefaultColWidth(kColWidthPx);
    // The panel holds every cell exactly: scroll bars, once up while the grid
    // was still small, would only take room from each other and stay.
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->SetOptions(GridEditSet());
    m_grid->onEnter = [this] { sgBottomProminenceExit(); };
    m_grid->onExit = [this] { sgBottomProminenceExit(); };
    m_grid->onGetEditMask = [this](int col, int row) { sgBottomProminenceGetEditMask(col, row); };
    m_grid->onDrawCell = [this](QPainter&, int, int, const QRect&, bool focused) {
        sgBottomProminenceDrawCell(focused);
    };
    m_grid->onMouseMove = [this](QMouseEvent&) { sgBottomProminenceMouseMove(); };
    m_grid->onKeyDown = [this](QKeyEvent& key) { sgBottomProminenceKeyDown(key); };
    // On the grid a cut empties the cells only: the next application restores
    // them from the tank, so a cut acts as a copy of the stored readings. Every
    // paste (into the grid or an edit box) applies the readings.
    BindGridClipboard(*this, *m_grid, GridToolBarPlace::TopLeft, [this] { ApplyBottomReadings(); });

    const int belowGridPx = 33 + gridHeightPx + 14;
    AddDialogLabel(this, QStringLiteral("Центр днища:"), QRect(8, belowGridPx + 3, 140, 16), QStringLiteral("Label1"));
    m_edBottomCenter = AddDialogEdit(this, QStringLiteral("edBottomCenter"), QRect(156, belowGridPx, 60, 21));
    QLabel* touchLabel = AddDialogLabel(this, QStringLiteral("Точка касания днища грузом рулетки:"),
                                        QRect(8, belowGridPx + 34, 140, 32), QStringLiteral("Label2"));
    touchLabel->setWordWrap(true);
    m_edPointPlumb = AddDialogEdit(this, QStringLiteral("edPointPlumb"), QRect(156, belowGridPx + 40, 60, 21));
    for (QLineEdit* edit : {m_edBottomCenter, m_edPointPlumb})
        edit->installEventFilter(this);

    auto* results = new QFrame(this);
    results->setObjectName(QStringLiteral("GroupBox1"));
    results->setFrameStyle(QFrame::Box | QFrame::Sunken);
    results->setGeometry(236, belowGridPx - 4, 285, 72);
    m_lbCorrOnBottom = AddResult(results, QStringLiteral("Поправка на неровность днища:"), 14,
                                 QStringLiteral("lbCorrOnBottom"), QStringLiteral("м3"));
    m_lbHeightBottom = AddResult(results, QStringLiteral("Высота точки касания рулетки:"), 42,
                                 QStringLiteral("lbHeightBottom"), QStringLiteral("мм"));

    m_stNotTaken = AddNotTakenNote(*this, QRect(8, kClientHeightPx - 8 - 30, kClientWidthPx - 8 - 75 - 16, 30));
    AddDialogButton(*this, QStringLiteral("btnOk"), QStringLiteral("OK"),
                    QRect(kClientWidthPx - 8 - 75, kClientHeightPx - 8 - 25, 75, 25), Accepted);

    FormCreate();
}

void BottomReadingsDialog::FormCreate()
{
    m_grid->SetCell(0, 0, QString());
    for (int c = 1; c <= kCircles; ++c)
        m_grid->SetCell(c, 0, QString::fromLatin1(kCircleHeaders[c - 1]));
    for (int r = 1; r <= kRadii; ++r)
        m_grid->SetCell(0, r, QStringLiteral(" Рад. ") + QString::number(r));
}

void BottomReadingsDialog::showEvent(QShowEvent* event)
{
    FormShow();
    QDialog::showEvent(event);
}

void BottomReadingsDialog::hideEvent(QHideEvent* event)
{
    FormHide();
    QDialog::hideEvent(event);
}

void BottomReadingsDialog::FormShow()
{
    m_stNotTaken->clear();
    LoadBottomReadings();
    StartOn(*m_grid);
    // The focus arrives only once the window is active; the results are due now.
    ApplyBottomReadings();
}

void BottomReadingsDialog::FormHide()
{
    ApplyBottomReadings();
}

void BottomReadingsDialog::LoadBottomReadings()
{
    m_edBottomCenter->setText(GeneralText(m_tank.BottomCenter()));
    m_edPointPlumb->setText(GeneralText(m_tank.PointPlumb()));
    for (int c = 1; c <= kCircles; ++c)
        for (int r = 1; r <= kRadii; ++r)
            m_grid->SetCell(c, r, GeneralText(m_tank.BottomReading(c, r)));
}

// Runs one setter with the number a text holds; a text that is not a number
// reloads every control from the tank instead, and the dialog says which.
template <class Apply>
void BottomReadingsDialog::ApplyOrReload(const QString& where, const QString& typed, Apply&& apply)
{
    try {
        apply();
    } catch (const ConvertError& error) {
        QString said = NotTakenText(typed, error);
        said[0] = said[0].toLower();
        m_stNotTaken->setText(where + QStringLiteral(": ") + said);
        LoadBottomReadings();
    }
}

void BottomReadingsDialog::ApplyBottomReadings()
{
    ApplyOrReload(QStringLiteral("Центр днища"), m_edBottomCenter->text(),
                  [this] { m_tank.SetBottomCenter(TypedFloat(m_edBottomCenter->text(), m_tank.BottomCenter())); });
    ApplyOrReload(QStringLiteral("Точка касания"), m_edPointPlumb->text(),
                  [this] { m_tank.SetPointPlumb(TypedFloat(m_edPointPlumb->text(), m_tank.PointPlumb())); });
    // A failed cell reloads the controls; the cells after it then hold the
    // stored readings, which apply unchanged.
    for (int c = 1; c <= kCircles; ++c)
        for (int r = 1; r <= kRadii; ++r)
            ApplyOrReload(QStringLiteral("Рад. %1, %2").arg(r).arg(QString::fromLatin1(kCircleHeaders[c - 1]).trimmed()),
                          m_grid->Cells(c, r), [this, c, r] {
                              m_tank.SetBottomReading(c, r,
                                                      TypedFloat(m_grid->Cells(c, r), m_tank.BottomReading(c, r)));
                          });
    m_lbCorrOnBottom->setText(FixedText(3, m_tank.BottomCorrection()));
    m_lbHeightBottom->setText(GeneralText(m_tank.TouchPointHeight()));
}

void BottomReadingsDialog::sgBottomProminenceExit()
{
    ApplyBottomReadings();
}

void BottomReadingsDialog::edBottomCenterKeyDown(const QKeyEvent& key)
{
    if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter)
        ApplyBottomReadings();
}

void BottomReadingsDialog::sgBottomProminenceGetEditMask(int col, int row)
{
    m_editPrepared = true;
    m_preparedText = m_grid->Cells(col, row);
}

void BottomReadingsDialog::sgBottomProminenceDrawCell(bool focused)
{
    if (!focused || !m_editPrepared)
        return;
    m_editPrepared = false;
    // The editor opened for the user's first keystroke: what is being typed
    // there may be no number yet ("-", ","), so it waits for the move on.
    if (m_grid->EditorMode() && m_grid->InplaceEditor()->text() != m_preparedText)
        return;
    // The editor has just moved here from the cell the user typed in. Not from
    // inside the painting: the readings reload cells and edit boxes.
    QTimer::singleShot(0, this, [this] { ApplyBottomReadings(); });
}

void BottomReadingsDialog::sgBottomProminenceMouseMove()
{
    m_grid->SetOptions(GridBrowseSet());
}

void BottomReadingsDialog::sgBottomProminenceKeyDown(QKeyEvent& /*key*/)
{
    m_grid->SetOptions(GridEditSet());
}

bool BottomReadingsDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_edBottomCenter && watched != m_edPointPlumb)
        return QDialog::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::FocusIn:
    case QEvent::FocusOut: sgBottomProminenceExit(); break;
    case QEvent::KeyPress: edBottomCenterKeyDown(*static_cast<QKeyEvent*>(event)); break;
    case QEvent::ShortcutOverride: {
        // The dialog's clipboard actions come before the edit box's own keys,
        // so that a paste there applies the readings too.
        const auto* key = static_cast<QKeyEvent*>(event);
        for (const QAction* action : actions())
            if (action->shortcut() == QKeySequence(key->keyCombination())) {
                event->ignore();
                return true;
            }
        break;
    }
    default: break;
    }
    return QDialog::eventFilter(watched, event);
}

bool BottomReadingsDialog::FormKeyDown(QKeyEvent& key)
{
    return CloseOnEscape(*this, key);
}

void OpenBottomProminenceDlg(TankInspectorRows& rows)
{
    // The readings reach the tank while the user types: Esc keeps them too.
    RunRowDialog(rows, TankRow::BottomCorrection, rows.RowDialog<BottomReadingsDialog>(TankRow::BottomCorrection));
}

} // namespace veloquin
