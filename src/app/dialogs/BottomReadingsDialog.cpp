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

#include <algorithm>

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

BottomReadingsDialog::BottomReadingsDialog(QWidget* parent, const TSteelVertCylTank& tank) : QDialog(parent), m_tank(tank)
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
    m_grid->onDrawCell = [this](QPainter&, int, int, const QRect&, bool focused) {
        sgBottomProminenceDrawCell(focused);
    };
    m_grid->onMouseMove = [this](QMouseEvent&) { sgBottomProminenceMouseMove(); };
    m_grid->onKeyDown = [this](QKeyEvent& key) { sgBottomProminenceKeyDown(key); };
    // Every paste (into the grid or an edit box) shows its results at once.
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
    QPushButton* ok =
        AddOkButton(*this, QStringLiteral("btnOk"), QRect(kClientWidthPx - 8 - 75, kClientHeightPx - 8 - 25, 75, 25),
                    [this] {
                        AcceptWhenEveryInputConverts(*this,
                                                     [this](TypedInputReader& in) { m_input = ReadInputs(in); });
                    });
    // Enter in an edit box shows the results; it closes nothing.
    ok->setDefault(false);

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

void BottomReadingsDialog::FormShow()
{
    m_stNotTaken->clear();
    m_input.reset();
    m_shownFrom.clear();
    LoadBottomReadings();
    StartOn(*m_grid);
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

BottomReadingsDialog::Readings BottomReadingsDialog::ReadInputs(TypedInputReader& in) const
{
    Readings readings;
    readings.center = in.Edit(*m_edBottomCenter, m_tank.BottomCenter());
    readings.pointPlumb = in.Edit(*m_edPointPlumb, m_tank.PointPlumb());
    readings.cells.reserve(kCircles * kRadii);
    for (int c = 1; c <= kCircles; ++c)
        for (int r = 1; r <= kRadii; ++r)
            readings.cells.push_back(in.Cell(*m_grid, c, r, m_tank.BottomReading(c, r)));
    return readings;
}

void BottomReadingsDialog::WriteInto(TSteelVertCylTank& tank, const Readings& readings)
{
    tank.SetBottomCenter(readings.center);
    tank.SetPointPlumb(readings.pointPlumb);
    auto value = readings.cells.begin();
    for (int c = 1; c <= kCircles; ++c)
        for (int r = 1; r <= kRadii; ++r)
            tank.SetBottomReading(c, r, *value++);
}

void BottomReadingsDialog::ApplyBottomReadings()
{
    QStringList texts{m_edBottomCenter->text(), m_edPointPlumb->text()};
    for (int c = 1; c <= kCircles; ++c)
        for (int r = 1; r <= kRadii; ++r)
            texts.append(m_grid->Cells(c, r));
    if (texts == m_shownFrom)
        return;
    m_shownFrom = texts;
    TypedInputReader in;
    Readings readings;
    try {
        readings = ReadInputs(in);
    } catch (const ConvertError& error) {
        const GridCoord cell = in.FailedCell();
        const QString where =
            in.FailedEdit() == m_edBottomCenter ? QStringLiteral("Центр днища")
            : in.FailedEdit() == m_edPointPlumb
                ? QStringLiteral("Точка касания")
                : QStringLiteral("Рад. %1, %2")
                      .arg(cell.Row)
                      .arg(QString::fromLatin1(kCircleHeaders[std::clamp(cell.Col, 1, kCircles) - 1]).trimmed());
        QString said = NotTakenText(in.FailedText(), error);
        said[0] = said[0].toLower();
        m_stNotTaken->setText(where + QStringLiteral(": ") + said);
        return;
    }
    m_stNotTaken->clear();
    TSteelVertCylTank scratch = m_tank;
    WriteInto(scratch, readings);
    m_lbCorrOnBottom->setText(FixedText(3, scratch.BottomCorrection()));
    m_lbHeightBottom->setText(GeneralText(scratch.TouchPointHeight()));
}

void BottomReadingsDialog::ApplyWhenSettled()
{
    if (!m_grid->EditPending())
        ApplyBottomReadings();
}

void BottomReadingsDialog::ApplyToTank(TSteelVertCylTank& tank) const
{
    if (m_input)
        WriteInto(tank, *m_input);
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

void BottomReadingsDialog::sgBottomProminenceDrawCell(bool focused)
{
    // The focused cell is drawn again when the user moves on (arrow, Enter,
    // a click); not from inside the painting, and not while a text is being
    // typed (it may be no number yet: "-", ",").
    if (focused)
        QTimer::singleShot(0, this, [this] { ApplyWhenSettled(); });
}

void BottomReadingsDialog::sgBottomProminenceMouseMove()
{
    m_grid->SetOptions(GridBrowseSet());
}

void BottomReadingsDialog::sgBottomProminenceKeyDown(QKeyEvent& /*key*/)
{
    m_grid->SetOptions(GridEditSet());
    // Enter or an arrow has moved on once the key is done.
    QTimer::singleShot(0, this, [this] { ApplyWhenSettled(); });
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
        // so that a paste there shows its results too.
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
    BottomReadingsDialog& dialog = rows.RowDialog<BottomReadingsDialog>(TankRow::BottomCorrection);
    // OK has converted every text already (the dialog stays open otherwise).
    RunRowDialog(rows, TankRow::BottomCorrection, dialog, [&dialog](TSteelVertCylTank& tank) { dialog.ApplyToTank(tank); });
}

} // namespace veloquin
