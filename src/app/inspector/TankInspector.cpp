#include "TankInspector.h"

#include "entry/TypedInput.h"

#include "AppFont.h"
#include "CommandIcons.h"
#include "GFunc.h"
#include "GeneralErrorReport.h"
#include "MessageBox.h"
#include "RowPaintBox.h"
#include "WindowBounds.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>

#include <algorithm>
#include <string_view>

namespace veloquin {
namespace {

const char* const kBadColumn = "Номер колнки за пределами диапазона!";
const char* const kBadRow = "Номер активной ячейки за пределами диапазона!";

bool IsFocusChangeInsideWindow(Qt::FocusReason reason)
{
    // Switching windows (or a message box popping up) is not a focus change of
    // the inspector: the typed text stays as it is until the user comes back.
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

// Room for text inside a borderless edit box: Qt keeps a small margin on each side.
constexpr int kEditTextMarginPx = 4;

} // namespace

TankInspector::TankInspector(QWidget* parent) : QWidget(parent, Qt::Tool)
{
    setWindowTitle(QStringLiteral("Инспектор"));
    setFont(UiFont());
    BuildControls();
    m_bounds = new OuterBounds(*this, QSize(kMinOuterWidthPx, kMinOuterHeightPx));
    setGeometry(200, 108, 247, 402);
    SetRowCount(10);
    m_colWidthPx = 120;
    m_selectedRow = 1;
}

void TankInspector::BuildControls()
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_panel1 = new QWidget(this);
    m_panel1->setFixedHeight(24);
    layout->addWidget(m_panel1);

    m_panelWindow = new QFrame(this);
    m_panelWindow->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_panelWindow->setLineWidth(1);
    auto* windowLayout = new QVBoxLayout(m_panelWindow);
    windowLayout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(m_panelWindow, 1);

    m_scrollBox = new QScrollArea(m_panelWindow);
    m_scrollBox->setFrameShape(QFrame::NoFrame);
    m_scrollBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scrollBox->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_scrollBox->setWidgetResizable(false);
    // A click on the empty area below the rows must not take the focus from the edit box.
    m_scrollBox->setFocusPolicy(Qt::NoFocus);
    m_scrollBox->viewport()->setBackgroundRole(QPalette::Window);
    m_scrollBox->viewport()->installEventFilter(this);
    windowLayout->addWidget(m_scrollBox);

    m_content = new QWidget;
    m_content->setBackgroundRole(QPalette::Window);
    m_content->setAutoFillBackground(true);
    m_scrollBox->setWidget(m_content);

    m_pbCaptions = new RowPaintBox(m_content);
    m_pbSplitter = new RowPaintBox(m_content);
    m_pbValues = new RowPaintBox(m_content);
    m_pbSplitter->setCursor(Qt::SplitHCursor);
    m_pbCaptions->installEventFilter(this);
    m_pbValues->installEventFilter(this);

    m_pbCaptions->onPaint = [this](QPainter& painter) { PaintColumn(painter, *m_pbCaptions, m_captions, true); };
    m_pbValues->onPaint = [this](QPainter& painter) { PaintColumn(painter, *m_pbValues, m_values, false); };
    m_pbSplitter->onPaint = [this](QPainter& painter) { PaintSplitter(painter, *m_pbSplitter); };
    m_pbCaptions->onMousePress = [this](QMouseEvent& event) { OnColumnPress(event); };
    m_pbValues->onMousePress = [this](QMouseEvent& event) { OnColumnPress(event); };
    m_pbSplitter->onMousePress = [this](QMouseEvent& /*event*/) {
        m_dragging = true;
        RepaintColumns();
    };
    m_pbSplitter->onMouseMove = [this](QMouseEvent& event) {
        if (!m_dragging)
            return;
        m_colWidthPx += static_cast<int>(event.position().x());
        LayoutColumns(m_colWidthPx);
        PlaceEditor();
    };
    m_pbSplitter->onMouseRelease = [this](QMouseEvent& /*event*/) { m_dragging = false; };

    m_insEdit = new QLineEdit(m_content);
    m_insEdit->setFrame(false);
    m_insEdit->hide();
    m_insEdit->installEventFilter(this);

    m_insPanel = new QWidget(m_content);
    QPalette panelPalette = m_insPanel->palette();
    panelPalette.setColor(QPalette::Window, Qt::white);
    m_insPanel->setPalette(panelPalette);
    m_insPanel->setAutoFillBackground(true);
    m_insPanel->hide();
    m_insPanelEdit = new QLineEdit(m_insPanel);
    m_insPanelEdit->setFrame(false);
    m_insPanelEdit->setReadOnly(true);
    m_insPanelEdit->installEventFilter(this);
    m_sbDlg = new QToolButton(m_insPanel);
    m_sbDlg->setIcon(QIcon(DialogButtonPicture()));
    m_sbDlg->setIconSize(QSize(12, 9));
    m_sbDlg->setFocusPolicy(Qt::NoFocus);
    m_sbDlg->installEventFilter(this);
    connect(m_sbDlg, &QToolButton::clicked, this, [this] {
        if (m_binding)
            m_binding->OpenRowDialog();
    });

    m_statusBar = new QStatusBar(this);
    m_statusBar->setObjectName(QStringLiteral("StatusBar1"));
    layout->addWidget(m_statusBar);

    m_flashTimer = new QTimer(this);
    m_flashTimer->setInterval(kRowFlashHalfPeriodMs);
    connect(m_flashTimer, &QTimer::timeout, this, [this] {
        if (--m_flashesLeft <= 0) {
            m_flashTimer->stop();
            m_flashRow = 0;
        }
        m_pbValues->update();
        m_pbCaptions->update();
    });
}

void TankInspector::SetGeometryStore(std::function<InspectorSettings()> read,
                                      std::function<void(const InspectorSettings&)> write)
{
    m_readGeometry = std::move(read);
    m_writeGeometry = std::move(write);
}

// --- Cells -------------------------------------------------------------------

void TankInspector::SetRowCount(int count)
{
    m_rowCount = std::max(count, 0);
    if (m_rowCount < m_selectedRow)
        SelectRow(m_rowCount);
    m_captions.resize(m_rowCount);
    m_values.resize(m_rowCount);
    SetPaintBoxHeights();
}

bool TankInspector::CheckCell(int column, int row) const
{
    const char* message = nullptr;
    if (column != 0 && column != 1)
        message = kBadColumn;
    else if (row < 1 || row > m_rowCount)
        message = kBadRow;
    if (!message)
        return true;
    MessageBox::Tell(const_cast<TankInspector*>(this), windowTitle(), QString::fromUtf8(message),
                     MessageBox::Icon::Critical);
    return false;
}

void TankInspector::SetCell(int column, int row, const QString& text)
{
    if (!CheckCell(column, row))
        return;
    (column == 0 ? m_captions : m_values)[row - 1] = text;
}

QString TankInspector::GetCell(int column, int row) const
{
    if (!CheckCell(column, row))
        return {};
    return (column == 0 ? m_captions : m_values).at(row - 1);
}

// --- Editors -----------------------------------------------------------------

int TankInspector::ClientWidth() const
{
    return m_scrollBox->viewport()->width();
}

int TankInspector::ScrollPosition() const
{
    return m_scrollBox->verticalScrollBar()->value();
}

void TankInspector::ScrollIntoView(int topPx, int heightPx)
{
    QScrollBar* bar = m_scrollBox->verticalScrollBar();
    const int clientHeight = m_scrollBox->viewport()->height();
    if (topPx < 0)
        bar->setValue(bar->value() + topPx);
    else if (topPx + heightPx > clientHeight)
        bar->setValue(bar->value() + topPx + heightPx - clientHeight);
}

void TankInspector::ShowInPlaceEdit(const QRect& rect)
{
    // The rectangle is in the scroll box's visible coordinates; the editors live
    // on the scrolled surface.
    m_insEdit->setGeometry(rect.left(), rect.top() + ScrollPosition(), std::max(rect.width(), 0), rect.height());
    m_insPanel->hide();
    // Placed again on the same row (a resize, the splitter), the box keeps what
    // the user is typing; placed on a row, it shows the row's value selected, so
    // that typing replaces it instead of adding to it.
    const bool typingHere = m_editRow == m_selectedRow && m_insEdit->isVisible() && m_insEdit->isModified();
    if (!typingHere)
        m_insEdit->setText(m_binding ? m_binding->RowEditText(m_selectedRow) : QString());
    m_editRow = m_selectedRow;
    m_insEdit->show();
    ScrollIntoView(rect.top(), rect.height());
    m_insEdit->setFocus(Qt::OtherFocusReason);
    if (!typingHere)
        m_insEdit->selectAll();
}

void TankInspector::ShowDialogPanel(const QRect& rect)
{
    const int widthPx = std::max(rect.width(), 0);
    m_insPanel->setGeometry(rect.left(), rect.top() + ScrollPosition(), widthPx, rect.height());
    m_sbDlg->setGeometry(widthPx - kDialogButtonWidthPx, 0, kDialogButtonWidthPx, rect.height());
    m_insPanelEdit->setGeometry(0, 0, std::max(widthPx - kDialogButtonWidthPx, 0), rect.height());
    m_insEdit->hide();
    m_editRow = 0;
    m_insPanelEdit->setText(m_binding ? m_binding->RowDisplayText(m_selectedRow) : QString());
    m_insPanelEdit->setCursorPosition(0);
    m_insPanel->show();
    ScrollIntoView(rect.top(), rect.height());
    m_insPanelEdit->setFocus(Qt::OtherFocusReason);
}

bool TankInspector::InPlaceEditPlaced() const
{
    return !m_insEdit->isHidden();
}

void TankInspector::SetInPlaceEditText(const QString& text)
{
    m_insEdit->setText(text);
}

void TankInspector::SetDialogPanelText(const QString& text)
{
    m_insPanelEdit->setText(text);
    m_insPanelEdit->setCursorPosition(0);
}

QString TankInspector::DialogPanelText() const
{
    return m_insPanelEdit->text();
}

void TankInspector::PlaceEditor()
{
    if (!m_binding || m_rowCount < 1)
        return;
    const QRect rect(m_pbValues->x() + 1, m_selectedRow * kRowHeightPx - ScrollPosition() - kEditorHeightPx,
                     m_pbValues->width() - 1, kEditorHeightPx);
    m_binding->PlaceRowEditor(rect);
}

// --- Committing and selecting --------------------------------------------------

void TankInspector::ReportAndReturnFocus(const std::exception& error)
{
    // Not isActiveWindow(): a tool window counts as active while its owner is.
    const bool wasActive = QApplication::activeWindow() == this;
    ReportGeneralError(this, error);
    // The user goes on where the error was: in the edit box, its text selected
    // for retyping. A commit asked for by another window (Save...) leaves the
    // focus where the user is.
    if (!wasActive || !isVisible())
        return;
    QLineEdit* editor = InPlaceEditPlaced() ? m_insEdit : m_insPanelEdit;
    activateWindow();
    // Coming back from the box is a window switch, not a focus change inside
    // the window: it commits nothing.
    editor->setFocus(Qt::ActiveWindowFocusReason);
    editor->selectAll();
}

bool TankInspector::CommitForRowChange()
{
    if (!m_binding || m_committing)
        return true;
    m_committing = true;
    bool committed = false;
    try {
        m_binding->CommitRowText(m_insEdit->text());
        committed = true;
    } catch (const ConvertError& error) {
        ReportAndReturnFocus(error);
    } catch (const RowTextRefused& error) {
        ReportAndReturnFocus(error);
    }
    m_committing = false;
    return committed;
}

void TankInspector::CommitSilently()
{
    if (!m_binding || m_committing)
        return;
    m_committing = true;
    try {
        m_binding->CommitRowText(m_insEdit->text());
        m_insEdit->setText(m_binding->RowEditText(m_selectedRow));
        if (m_statusBar->currentMessage() == m_notTakenMessage)
            m_statusBar->clearMessage();
    } catch (const ConvertError& error) {
        // The box shows the stored value again, and the user is told, without a
        // box in the way, that the typed one was not taken.
        const QString typed = m_insEdit->text();
        m_insEdit->setText(m_binding->RowEditText(m_selectedRow));
        TellNotTaken(typed, error);
        m_committing = false;
        return;
    } catch (const RowTextRefused& error) {
        // The stored value stays, and the user is told why the typed one did not.
        m_insEdit->setText(m_binding->RowEditText(m_selectedRow));
        ReportAndReturnFocus(error);
    }
    m_committing = false;
}

void TankInspector::TellNotTaken(const QString& typed, const ConvertError& error)
{
    m_notTakenMessage = NotTakenText(typed, error);
    m_statusBar->showMessage(m_notTakenMessage);
    FlashRow(m_selectedRow);
}

void TankInspector::FlashRow(int row)
{
    m_flashRow = row;
    m_flashesLeft = kRowFlashes * 2;
    m_flashTimer->start();
    m_pbValues->update();
    m_pbCaptions->update();
}

void TankInspector::CommitPendingEdit()
{
    if (m_binding && InPlaceEditPlaced() && m_insEdit->isModified())
        CommitSilently();
}

bool TankInspector::SelectRow(int row)
{
    if (!CommitForRowChange())
        return false;
    m_selectedRow = std::clamp(row, 1, std::max(m_rowCount, 1));
    // The user looks at the row now: what was there to be seen has been.
    for (auto it = m_marks.begin(); it != m_marks.end();) {
        if (it->first.first == m_selectedRow && it->second.clearedWhenSelected)
            it = m_marks.erase(it);
        else
            ++it;
    }
    PlaceEditor();
    return true;
}

bool TankInspector::SelectRowAt(int yPx)
{
    return SelectRow(yPx / kRowHeightPx + 1);
}

void TankInspector::OnColumnPress(const QMouseEvent& event)
{
    SelectRowAt(static_cast<int>(event.position().y()));
    RepaintColumns();
}

// --- Marks and messages ----------------------------------------------------------

bool TankInspector::InPlaceEditTyping() const
{
    return InPlaceEditPlaced() && m_insEdit->isModified();
}

void TankInspector::SetRowMark(int row, const QString& source, const RowMark& mark)
{
    m_marks[{row, source}] = mark;
    m_pbValues->update();
}

void TankInspector::ClearRowMark(int row, const QString& source)
{
    if (m_marks.erase({row, source}) > 0)
        m_pbValues->update();
}

void TankInspector::ClearRowMarks(const QString& source)
{
    for (auto it = m_marks.begin(); it != m_marks.end();)
        it = it->first.second == source ? m_marks.erase(it) : std::next(it);
    m_pbValues->update();
}

bool TankInspector::HasRowMark(int row, const QString& source) const
{
    return m_marks.count({row, source}) > 0;
}

const TankInspector::RowMark* TankInspector::FirstMark(int row) const
{
    const auto it = m_marks.lower_bound({row, QString()});
    return it != m_marks.end() && it->first.first == row ? &it->second : nullptr;
}

QString TankInspector::RowMarkText(int row) const
{
    QStringList texts;
    for (auto it = m_marks.lower_bound({row, QString()}); it != m_marks.end() && it->first.first == row; ++it)
        texts.append(it->second.text);
    return texts.join(QLatin1Char('\n'));
}

void TankInspector::ShowChangeMessage(const QString& text)
{
    m_statusBar->showMessage(text);
    // A long message is cut at the window's edge: whole as the bar's tool tip.
    m_statusBar->setToolTip(text);
}

QString TankInspector::StatusText() const
{
    return m_statusBar->currentMessage();
}

// --- Layout --------------------------------------------------------------------

void TankInspector::SetPaintBoxHeights()
{
    const int heightPx = m_rowCount * kRowHeightPx + 1;
    for (QWidget* box :
         {static_cast<QWidget*>(m_pbCaptions), static_cast<QWidget*>(m_pbSplitter), static_cast<QWidget*>(m_pbValues)})
        box->resize(box->width(), heightPx);
    m_content->resize(ClientWidth(), heightPx);
}

void TankInspector::LayoutColumns(int widthPx)
{
    const int clientWidth = ClientWidth();
    if (widthPx < kMinColWidthPx)
        widthPx = kMinColWidthPx;
    else if (widthPx > clientWidth - kValueColumnReservePx)
        widthPx = clientWidth - kValueColumnReservePx;
    m_colWidthPx = widthPx;
    const int heightPx = m_rowCount * kRowHeightPx + 1;
    m_content->resize(clientWidth, heightPx);
    m_pbCaptions->setGeometry(0, 0, std::max(widthPx, 0), heightPx);
    m_pbSplitter->setGeometry(widthPx, 0, kSplitterWidthPx, heightPx);
    m_pbValues->setGeometry(widthPx + kSplitterWidthPx, 0, std::max(clientWidth - widthPx - kSplitterWidthPx, 0),
                            heightPx);
}

void TankInspector::RepaintColumns()
{
    m_pbCaptions->repaint();
    m_pbSplitter->repaint();
    m_pbValues->repaint();
}

QWidget* TankInspector::CaptionColumn() const
{
    return m_pbCaptions;
}

QWidget* TankInspector::SplitterColumn() const
{
    return m_pbSplitter;
}

QWidget* TankInspector::ValueColumn() const
{
    return m_pbValues;
}

// --- Painting ------------------------------------------------------------------

void TankInspector::PaintColumn(QPainter& painter, const QWidget& box, const QStringList& texts, bool captions) const
{
    const QColor shadow = palette().color(QPalette::Dark);
    const QColor highlight = palette().color(QPalette::Light);
    const int widthPx = box.width();
    painter.setFont(UiFont());
    // A row whose value was not taken flashes (an even count of half periods left: lit).
    if (FlashingRow() > 0 && m_flashesLeft % 2 == 0)
        painter.fillRect(0, (FlashingRow() - 1) * kRowHeightPx, widthPx, kRowHeightPx,
                         palette().color(QPalette::Highlight).lighter(150));
    painter.setPen(palette().color(QPalette::WindowText));
    for (int i = 1; i <= m_rowCount; ++i) {
        const int bottomPx = i * kRowHeightPx;
        for (int x = 0; x < widthPx; x += 2)
            painter.fillRect(x, bottomPx, 1, 1, shadow);
        if (const RowMark* mark = captions ? nullptr : FirstMark(i))
            painter.fillRect(0, (i - 1) * kRowHeightPx + 1, widthPx, kRowHeightPx - 1, mark->colour);
        const QRect textRect(2, (i - 1) * kRowHeightPx + 2, widthPx - 2, kRowHeightPx - 2);
        painter.drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, texts.value(i - 1));
    }

    // The sunken frame of the selected row.
    const int r = m_selectedRow;
    if (r < 1 || r > m_rowCount)
        return;
    const int topPx = (r - 1) * kRowHeightPx;
    const int bottomPx = r * kRowHeightPx;
    painter.fillRect(0, topPx, widthPx, 2, shadow);
    if (captions) {
        painter.fillRect(0, topPx, 2, kRowHeightPx, shadow);
        painter.fillRect(2, bottomPx, widthPx - 2, 1, highlight);
    } else {
        painter.fillRect(0, bottomPx, widthPx, 1, highlight);
    }
}

void TankInspector::PaintSplitter(QPainter& painter, const QWidget& box) const
{
    const QColor shadow = palette().color(QPalette::Dark);
    const QColor highlight = palette().color(QPalette::Light);
    painter.fillRect(0, 0, 1, box.height(), shadow);
    painter.fillRect(1, 0, 1, box.height(), highlight);
    const int r = m_selectedRow;
    if (r < 1 || r > m_rowCount)
        return;
    painter.fillRect(0, (r - 1) * kRowHeightPx, kSplitterWidthPx, 2, shadow);
    painter.fillRect(0, r * kRowHeightPx, kSplitterWidthPx, 1, highlight);
}

// --- Keyboard and focus ----------------------------------------------------------

bool TankInspector::HandleKey(QKeyEvent& key, bool typesSpace)
{
    switch (key.key()) {
    case Qt::Key_Space:
        if (m_binding)
            m_binding->OpenRowDialog();
        return !typesSpace;
    case Qt::Key_PageUp: SelectRow(m_selectedRow - 10); break;
    case Qt::Key_PageDown: SelectRow(m_selectedRow + 10); break;
    case Qt::Key_Up: SelectRow(m_selectedRow - 1); break;
    case Qt::Key_Down: SelectRow(m_selectedRow + 1); break;
    default: return false;
    }
    RepaintColumns();
    return true;
}

bool TankInspector::ShowToolTip(QObject* watched, const QHelpEvent& help)
{
    // A text cut off at its column (or its editor) shows whole as a tool tip.
    QString text;
    int roomPx = 0;
    const QFontMetrics metrics(UiFont());
    if (watched == m_pbCaptions || watched == m_pbValues) {
        const int row = help.pos().y() / kRowHeightPx + 1;
        if (row < 1 || row > m_rowCount)
            return false;
        text = (watched == m_pbCaptions ? m_captions : m_values).at(row - 1);
        roomPx = static_cast<QWidget*>(watched)->width() - 2;
        const QString marks = RowMarkText(row);
        if (!marks.isEmpty()) {
            const bool cut = metrics.horizontalAdvance(text) > roomPx;
            QToolTip::showText(help.globalPos(), cut ? text + QLatin1Char('\n') + marks : marks,
                               static_cast<QWidget*>(watched));
            return true;
        }
    } else if (watched == m_insEdit || watched == m_insPanelEdit) {
        const auto* editor = static_cast<QLineEdit*>(watched);
        text = editor->text();
        roomPx = editor->width() - kEditTextMarginPx;
    } else {
        return false;
    }
    if (metrics.horizontalAdvance(text) <= roomPx)
        QToolTip::hideText();
    else
        QToolTip::showText(help.globalPos(), text, static_cast<QWidget*>(watched));
    return true;
}

bool TankInspector::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ToolTip)
        return ShowToolTip(watched, *static_cast<QHelpEvent*>(event));
    if (watched == m_scrollBox->viewport()) {
        if (event->type() == QEvent::Resize) {
            SetPaintBoxHeights();
            LayoutColumns(m_colWidthPx);
            PlaceEditor();
        }
        return false;
    }
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // With nothing of its own to undo, the edit box lets the tank's undo and redo keys through.
        if (watched == m_insEdit && PassesEditKeyToWindow(*static_cast<QKeyEvent*>(event))) {
            event->ignore();
            return true;
        }
        return false;
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (watched == m_insEdit && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            CommitSilently();
            return true;
        }
        return HandleKey(*key, watched == m_insEdit);
    }
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        if (watched == m_insEdit && IsFocusChangeInsideWindow(static_cast<QFocusEvent*>(event)->reason()))
            CommitSilently();
        return false;
    default: return false;
    }
}

bool TankInspector::PassesEditKeyToWindow(const QKeyEvent& key) const
{
    if (key.matches(QKeySequence::Undo))
        return !m_insEdit->isUndoAvailable();
    if (key.matches(QKeySequence::Redo) || (key.modifiers() == Qt::ControlModifier && key.key() == Qt::Key_Y))
        return !m_insEdit->isRedoAvailable();
    return false;
}

void TankInspector::keyPressEvent(QKeyEvent* event)
{
    if (!HandleKey(*event, false))
        QWidget::keyPressEvent(event);
}

// --- Showing and hiding ------------------------------------------------------------

void TankInspector::setVisible(bool visible)
{
    const bool showing = visible && isHidden();
    if (showing) {
        if (m_binding)
            m_binding->FillInspectorCaptions();
        const InspectorSettings geometry = m_readGeometry ? m_readGeometry() : InspectorSettings();
        m_colWidthPx = geometry.col1WidthPx;
        m_bounds->Apply({geometry.leftPx, geometry.topPx, geometry.widthPx, geometry.heightPx});
    }
    QWidget::setVisible(visible);
    if (showing) {
        SetPaintBoxHeights();
        LayoutColumns(m_colWidthPx);
        if (m_binding)
            m_binding->RefreshInspectorValues();
        PlaceEditor();
        RepaintColumns();
    }
}

void TankInspector::closeEvent(QCloseEvent* event)
{
    StoreGeometry();
    QWidget::closeEvent(event);
}

void TankInspector::StoreGeometry()
{
    if (!m_writeGeometry)
        return;
    const QRect outer = m_bounds->Current();
    InspectorSettings geometry;
    geometry.topPx = outer.top();
    geometry.leftPx = outer.left();
    geometry.widthPx = outer.width();
    geometry.heightPx = outer.height();
    geometry.col1WidthPx = m_colWidthPx;
    try {
        m_writeGeometry(geometry);
    } catch (const std::exception& error) {
        ReportGeneralError(this, error);
    }
}

void TankInspector::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        SetPaintBoxHeights();
        LayoutColumns(m_colWidthPx);
    }
    QWidget::changeEvent(event);
}

} // namespace veloquin
