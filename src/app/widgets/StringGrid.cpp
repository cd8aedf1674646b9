#include "StringGrid.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

namespace veloquin {
namespace {

constexpr GridOptions kLines =
    GridOption::FixedVertLine | GridOption::FixedHorzLine | GridOption::VertLine | GridOption::HorzLine;

bool IsNavigationKey(int key)
{
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End: return true;
    default: return false;
    }
}

// Enter alone or with Shift; Ctrl+Enter belongs to the dialog (its OK).
bool IsEnter(const QKeyEvent& event)
{
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    return (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) &&
           (modifiers == Qt::NoModifier || modifiers == Qt::ShiftModifier);
}

} // namespace

GridOptions GridLinesOnly()
{
    return kLines;
}

GridOptions GridBrowseSet()
{
    return kLines | GridOption::RangeSelect | GridOption::DrawFocusSelected;
}

GridOptions GridEditSet()
{
    return GridBrowseSet() | GridOption::Editing;
}

GridRect GridRect::Spanning(const GridCoord& a, const GridCoord& b)
{
    return GridRect{std::min(a.Col, b.Col), std::min(a.Row, b.Row), std::max(a.Col, b.Col), std::max(a.Row, b.Row)};
}

// --- Construction ----------------------------------------------------------------

StringGrid::StringGrid(QWidget* parent) : QAbstractScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setMouseTracking(true);
    viewport()->setBackgroundRole(QPalette::Base);
    m_options = kLines | GridOption::RangeSelect;

    m_editor = new QLineEdit(viewport());
    m_editor->setObjectName(QStringLiteral("InplaceEditor"));
    m_editor->setFrame(false);
    m_editor->setMaxLength(kMaxCellChars);
    m_editor->hide();
    m_editor->installEventFilter(this);
    connect(m_editor, &QLineEdit::textEdited, this, &StringGrid::OnEditorTextEdited);
    connect(qApp, &QApplication::focusChanged, this, &StringGrid::OnFocusChanged);

    Resize(5, 5);
    SetFixedCols(1);
    SetFixedRows(1);
}

StringGrid::~StringGrid()
{
    disconnect(qApp, &QApplication::focusChanged, this, &StringGrid::OnFocusChanged);
}

StringGrid* StringGrid::InLoweredPanel(QWidget* parent, const QRect& panelRect, const QString& objectName)
{
    auto* panel = new QFrame(parent);
    panel->setObjectName(objectName + QStringLiteral("Panel"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(1);
    panel->setGeometry(panelRect);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* grid = new StringGrid(panel);
    grid->setObjectName(objectName);
    layout->addWidget(grid);
    return grid;
}

QFrame* StringGrid::Panel() const
{
    return qobject_cast<QFrame*>(parentWidget());
}

// --- Extent ------------------------------------------------------------------------

void StringGrid::Resize(int colCount, int rowCount)
{
    colCount = std::clamp(colCount, 0, kMaxCount);
    rowCount = std::clamp(rowCount, 0, kMaxCount);
    std::vector<QString> cells(static_cast<std::size_t>(colCount) * static_cast<std::size_t>(rowCount));
    for (int r = 0; r < std::min(rowCount, m_rowCount); ++r)
        for (int c = 0; c < std::min(colCount, m_colCount); ++c)
            cells[static_cast<std::size_t>(r * colCount + c)] =
                std::move(m_cells[static_cast<std::size_t>(Index(c, r))]);
    m_cells = std::move(cells);
    m_colWidthsPx.resize(static_cast<std::size_t>(colCount), m_defaultColWidthPx);
    m_colCount = colCount;
    m_rowCount = rowCount;
    m_fixedCols = std::min(m_fixedCols, std::max(colCount - 1, 0));
    m_fixedRows = std::min(m_fixedRows, std::max(rowCount - 1, 0));

    const GridCoord current = ClampToSelectable(m_current);
    const bool currentMoved = current != m_current;
    m_current = current;
    m_anchor = ClampToGrid(m_anchor);
    if (EditorMode() && (currentMoved || !InGrid(m_editorCell.Col, m_editorCell.Row)))
        OpenEditor();
    ScrollTo(m_topRow, m_leftCol);
    UpdateScrollBars();
    RepositionEditor();
    viewport()->update();
}

void StringGrid::SetColCount(int count)
{
    if (count != m_colCount)
        Resize(count, m_rowCount);
}

void StringGrid::SetRowCount(int count)
{
    if (count != m_rowCount)
        Resize(m_colCount, count);
}

void StringGrid::SetFixedCols(int count)
{
    m_fixedCols = std::clamp(count, 0, std::max(m_colCount - 1, 0));
    Resize(m_colCount, m_rowCount);
}

void StringGrid::SetFixedRows(int count)
{
    m_fixedRows = std::clamp(count, 0, std::max(m_rowCount - 1, 0));
    Resize(m_colCount, m_rowCount);
}

void StringGrid::SetDefaultColWidth(int px)
{
    m_defaultColWidthPx = std::max(px, 0);
    std::fill(m_colWidthsPx.begin(), m_colWidthsPx.end(), m_defaultColWidthPx);
    Relayout();
}

int StringGrid::ColWidth(int col) const
{
    if (col < 0 || col >= m_colCount)
        return m_defaultColWidthPx;
    return m_colWidthsPx[static_cast<std::size_t>(col)];
}

void StringGrid::SetColWidth(int col, int px)
{
    if (col < 0 || col >= m_colCount)
        return;
    m_colWidthsPx[static_cast<std::size_t>(col)] = std::max(px, 0);
    Relayout();
}

void StringGrid::SetDefaultRowHeight(int px)
{
    m_rowHeightPx = std::max(px, 1);
    Relayout();
}

// --- Cells ---------------------------------------------------------------------------

QString StringGrid::Cells(int col, int row) const
{
    if (!InGrid(col, row))
        return {};
    return m_cells[static_cast<std::size_t>(Index(col, row))];
}

void StringGrid::SetCell(int col, int row, const QString& text)
{
    if (!InGrid(col, row))
        return;
    QString& cell = m_cells[static_cast<std::size_t>(Index(col, row))];
    if (cell == text)
        return;
    cell = text;
    if (EditorMode() && m_editorCell == GridCoord{col, row} && !m_inEditNotification) {
        // Written by the program (a paste, a reload): Esc has nothing of the user's to abandon.
        m_editorOpenText = text;
        m_editor->setText(text);
    }
    viewport()->update();
}

// --- Current cell and selection --------------------------------------------------------

GridCoord StringGrid::ClampToSelectable(GridCoord coord) const
{
    coord.Col = std::max(m_fixedCols, std::min(coord.Col, m_colCount - 1));
    coord.Row = std::max(m_fixedRows, std::min(coord.Row, m_rowCount - 1));
    return coord;
}

GridCoord StringGrid::ClampToGrid(GridCoord coord) const
{
    coord.Col = std::max(0, std::min(coord.Col, m_colCount - 1));
    coord.Row = std::max(0, std::min(coord.Row, m_rowCount - 1));
    return coord;
}

bool StringGrid::RangeSelecting() const
{
    return m_options.testFlag(GridOption::RangeSelect) && !m_options.testFlag(GridOption::Editing);
}

void StringGrid::MoveCurrent(GridCoord coord)
{
    if (!HasSelectableCells())
        return;
    coord = ClampToSelectable(coord);
    const bool moved = coord != m_current;
    m_current = coord;
    m_anchor = coord;
    ClampInView(coord);
    if (EditorMode() && moved)
        OpenEditor();
    viewport()->update();
}

void StringGrid::MoveAnchor(GridCoord coord)
{
    if (!RangeSelecting()) {
        MoveCurrent(coord);
        return;
    }
    m_anchor = ClampToSelectable(coord);
    ClampInView(m_anchor);
    viewport()->update();
}

void StringGrid::FocusCell(int col, int row)
{
    MoveCurrent(GridCoord{col, row});
}

void StringGrid::SetSelection(const GridCoord& anchor, const GridCoord& current)
{
    m_anchor = ClampToGrid(anchor);
    const GridCoord newCurrent = ClampToSelectable(current);
    const bool moved = newCurrent != m_current;
    m_current = newCurrent;
    if (EditorMode() && moved) {
        if (m_options.testFlag(GridOption::AlwaysShowEditor))
            OpenEditor();
        else
            HideEditor();
    }
    viewport()->update();
}

// --- Options and the editor ----------------------------------------------------------------

void StringGrid::SetOptions(GridOptions options)
{
    if (options == m_options)
        return;
    m_options = options;
    if (!options.testFlag(GridOption::Editing))
        HideEditor();
    else if (options.testFlag(GridOption::AlwaysShowEditor) && HoldsFocus())
        ShowEditor();
    if (!RangeSelecting())
        m_selecting = false;
    viewport()->update();
}

bool StringGrid::EditorMode() const
{
    return !m_editor->isHidden();
}

QLineEdit* StringGrid::InplaceEditor() const
{
    return m_editor;
}

bool StringGrid::EditPending() const
{
    return EditorMode() && m_editor->text() != m_editorOpenText;
}

bool StringGrid::IsEditorWithPendingEdit(const QWidget* widget)
{
    // The editor lives on the grid's viewport.
    const QWidget* viewport = widget ? widget->parentWidget() : nullptr;
    const auto* grid = qobject_cast<const StringGrid*>(viewport ? viewport->parentWidget() : nullptr);
    return grid && grid->m_editor == widget && grid->EditPending();
}

bool StringGrid::TakesInput() const
{
    return m_options.testFlag(GridOption::Editing) || m_options.testFlag(GridOption::RangeSelect);
}

void StringGrid::EnterKey(const QKeyEvent& event)
{
    if (EditorMode() && !m_options.testFlag(GridOption::AlwaysShowEditor))
        HideEditor();
    const int step = event.modifiers().testFlag(Qt::ShiftModifier) ? -1 : 1;
    MoveCurrent(GridCoord{m_current.Col, m_current.Row + step});
}

void StringGrid::AbandonEdit()
{
    const QString original = m_editorOpenText;
    m_editor->setText(original);
    // Told like any edit: a dialog that writes while typing takes the old value back.
    OnEditorTextEdited(original);
    if (m_options.testFlag(GridOption::AlwaysShowEditor))
        m_editor->selectAll();
    else
        HideEditor();
}

void StringGrid::ShowEditor()
{
    if (!m_options.testFlag(GridOption::Editing) || !HasSelectableCells())
        return;
    ClampInView(m_current);
    if (!EditorMode() || m_editorCell != m_current)
        OpenEditor();
    m_editor->setFocus(Qt::OtherFocusReason);
}

void StringGrid::OpenEditor()
{
    const QRect rect = CellRect(m_current.Col, m_current.Row);
    if (rect.isEmpty()) {
        HideEditor();
        return;
    }
    m_editorCell = m_current;
    if (onGetEditMask)
        onGetEditMask(m_current.Col, m_current.Row);
    m_editor->setGeometry(rect);
    m_editorOpenText = Cells(m_current.Col, m_current.Row);
    m_editor->setText(m_editorOpenText);
    m_editor->selectAll();
    const bool hadFocus = HoldsFocus();
    setFocusProxy(m_editor);
    m_editor->show();
    if (hadFocus)
        m_editor->setFocus(Qt::OtherFocusReason);
}

void StringGrid::HideEditor()
{
    if (!EditorMode())
        return;
    const bool hadFocus = HoldsFocus();
    m_closingEditor = true;
    setFocusProxy(nullptr);
    if (hadFocus)
        setFocus(Qt::OtherFocusReason);
    m_editor->hide();
    m_closingEditor = false;
    viewport()->update();
}

void StringGrid::RepositionEditor()
{
    if (!EditorMode())
        return;
    const QRect rect = CellRect(m_editorCell.Col, m_editorCell.Row);
    if (rect.isEmpty())
        HideEditor();
    else
        m_editor->setGeometry(rect);
}

void StringGrid::OnEditorTextEdited(const QString& text)
{
    if (!InGrid(m_editorCell.Col, m_editorCell.Row))
        return;
    m_cells[static_cast<std::size_t>(Index(m_editorCell.Col, m_editorCell.Row))] = text;
    m_inEditNotification = true;
    if (onSetEditText)
        onSetEditText(m_editorCell.Col, m_editorCell.Row, text);
    m_inEditNotification = false;
}

// --- Keyboard ---------------------------------------------------------------------------------

QChar StringGrid::TypedChar(const QKeyEvent& event)
{
    if (event.key() == Qt::Key_Backspace)
        return QLatin1Char('\b');
    if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter)
        return QLatin1Char('\r');
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return {};
    const QString text = event.text();
    if (text.isEmpty() || !text.front().isPrint())
        return {};
    return text.front();
}

bool StringGrid::Navigate(const QKeyEvent& event)
{
    if (!IsNavigationKey(event.key()) || !HasSelectableCells())
        return false;
    const bool extend = event.modifiers().testFlag(Qt::ShiftModifier) && RangeSelecting();
    const bool control = event.modifiers().testFlag(Qt::ControlModifier);
    GridCoord to = extend ? m_anchor : m_current;
    const int pitch = m_rowHeightPx + kLineWidthPx;
    const int page = std::max(1, (viewport()->height() - FixedHeight()) / pitch);
    switch (event.key()) {
    case Qt::Key_Up: --to.Row; break;
    case Qt::Key_Down: ++to.Row; break;
    case Qt::Key_Left: --to.Col; break;
    case Qt::Key_Right: ++to.Col; break;
    case Qt::Key_PageUp: to.Row -= page; break;
    case Qt::Key_PageDown: to.Row += page; break;
    case Qt::Key_Home:
        to.Col = m_fixedCols;
        if (control)
            to.Row = m_fixedRows;
        break;
    case Qt::Key_End:
        to.Col = m_colCount - 1;
        if (control)
            to.Row = m_rowCount - 1;
        break;
    default: return false;
    }
    if (extend)
        MoveAnchor(to);
    else
        MoveCurrent(to);
    return true;
}

void StringGrid::keyPressEvent(QKeyEvent* event)
{
    // With the editor open, keys belong to it; one it let pass (Enter, Esc) comes
    // here on its way to the dialog.
    if (EditorMode()) {
        event->ignore();
        return;
    }
    GridKey(*event, false);
}

void StringGrid::GridKey(QKeyEvent& event, bool keyDownSeen)
{
    if (!keyDownSeen && onKeyDown)
        onKeyDown(event);
    if (Navigate(event)) {
        event.accept();
        return;
    }
    if (event.key() == Qt::Key_F2 && event.modifiers() == Qt::NoModifier) {
        ShowEditor();
        event.accept();
        return;
    }
    if (IsEnter(event) && TakesInput() && HasSelectableCells()) {
        EnterKey(event);
        event.accept();
        return;
    }
    QChar key = TypedChar(event);
    if (!key.isNull()) {
        if (onKeyPress)
            onKeyPress(key);
        if (key.isNull()) {
            event.accept();
            return;
        }
        if (key.isPrint() && m_options.testFlag(GridOption::Editing) && HasSelectableCells()) {
            // The character opens the editor and replaces the cell's text, as typing over a cell does.
            ShowEditor();
            QKeyEvent typed(QEvent::KeyPress, event.key(), event.modifiers(), QString(key));
            m_forwardingKey = true;
            QCoreApplication::sendEvent(m_editor, &typed);
            m_forwardingKey = false;
            event.accept();
            return;
        }
    }
    event.ignore();
}

bool StringGrid::EditorKey(QKeyEvent& event)
{
    if (onKeyDown)
        onKeyDown(event);
    if (!EditorMode()) {
        // The hook took the editing away: the grid itself handles the key now.
        GridKey(event, true);
        return true;
    }
    const int key = event.key();
    const QString text = m_editor->text();
    const bool wholeSelected = m_editor->selectedText() == text;
    const bool atStart = m_editor->cursorPosition() == 0 && !m_editor->hasSelectedText();
    const bool atEnd = m_editor->cursorPosition() == text.size() && !m_editor->hasSelectedText();
    const bool leavesCell = key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp ||
                            key == Qt::Key_PageDown || (key == Qt::Key_Left && (atStart || wholeSelected)) ||
                            (key == Qt::Key_Right && (atEnd || wholeSelected));
    if (leavesCell && !event.modifiers().testFlag(Qt::ShiftModifier)) {
        Navigate(event);
        return true;
    }
    if (IsEnter(event)) {
        EnterKey(event);
        return true;
    }
    if (key == Qt::Key_Escape && event.modifiers() == Qt::NoModifier && EditPending()) {
        AbandonEdit();
        return true;
    }
    QChar typed = TypedChar(event);
    if (typed.isNull() || !onKeyPress)
        return false;
    const QChar original = typed;
    onKeyPress(typed);
    if (typed.isNull())
        return true;
    if (typed != original && typed.isPrint()) {
        QKeyEvent replaced(QEvent::KeyPress, event.key(), event.modifiers(), QString(typed));
        m_forwardingKey = true;
        QCoreApplication::sendEvent(m_editor, &replaced);
        m_forwardingKey = false;
        return true;
    }
    return false;
}

bool StringGrid::WindowActionTakes(const QKeyEvent& event) const
{
    const QKeySequence pressed(event.keyCombination());
    const QList<QAction*> actions = window()->findChildren<QAction*>();
    return std::any_of(actions.begin(), actions.end(), [&pressed](const QAction* action) {
        return action->isEnabled() && action->shortcuts().contains(pressed);
    });
}

bool StringGrid::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_editor)
        return QAbstractScrollArea::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // The editor would keep Ctrl+C, Ctrl+V... for itself; the dialog's grid
        // actions come first, as they act on the grid's cells.
        if (WindowActionTakes(*static_cast<QKeyEvent*>(event))) {
            event->ignore();
            return true;
        }
        return false;
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (m_forwardingKey)
            return false;
        return EditorKey(*key);
    }
    default: return false;
    }
}

// --- Mouse ----------------------------------------------------------------------------------------

void StringGrid::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (!hasFocus())
        setFocus(Qt::MouseFocusReason);
    const GridCoord cell = CellAt(event->position().toPoint());
    if (cell.Col < m_fixedCols || cell.Row < m_fixedRows)
        return;
    if (m_options.testFlag(GridOption::Editing)) {
        if (cell == m_current)
            ShowEditor();
        else
            MoveCurrent(cell);
    } else if (RangeSelecting() && event->modifiers().testFlag(Qt::ShiftModifier)) {
        MoveAnchor(cell);
    } else {
        MoveCurrent(cell);
        m_selecting = RangeSelecting();
    }
}

void StringGrid::mouseMoveEvent(QMouseEvent* event)
{
    if (m_selecting && event->buttons().testFlag(Qt::LeftButton)) {
        const QPoint inside(std::clamp(event->position().toPoint().x(), FixedWidth(), viewport()->width() - 1),
                            std::clamp(event->position().toPoint().y(), FixedHeight(), viewport()->height() - 1));
        GridCoord cell = CellAt(inside);
        if (cell.Col < 0)
            cell.Col = m_colCount - 1;
        if (cell.Row < 0)
            cell.Row = m_rowCount - 1;
        MoveAnchor(cell);
    }
    if (onMouseMove)
        onMouseMove(*event);
}

void StringGrid::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_selecting = false;
}

void StringGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    const GridCoord cell = CellAt(event->position().toPoint());
    if (cell == m_current)
        ShowEditor();
}

void StringGrid::wheelEvent(QWheelEvent* event)
{
    const int steps = event->angleDelta().y() / 120;
    ScrollTo(m_topRow - 3 * steps, m_leftCol);
    event->accept();
}

// --- Focus ----------------------------------------------------------------------------------------

void StringGrid::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    if (!m_closingEditor && m_options.testFlag(GridOption::Editing) && m_options.testFlag(GridOption::AlwaysShowEditor))
        ShowEditor();
    viewport()->update();
}

bool StringGrid::HoldsFocus() const
{
    const QWidget* focus = window()->focusWidget();
    return focus == this || focus == m_editor;
}

bool StringGrid::OwnsWidget(const QWidget* widget) const
{
    return widget && (widget == this || widget == viewport() || widget == m_editor);
}

void StringGrid::OnFocusChanged(QWidget* old, QWidget* now)
{
    const bool wasIn = OwnsWidget(old);
    const bool isIn = OwnsWidget(now);
    if (wasIn || isIn)
        viewport()->update();
    // Only moves inside the grid's own window count: a message box popping up or
    // another window being activated leaves the focus where it was for the dialog.
    if (!wasIn && isIn && old && old->window() == window() && onEnter)
        onEnter();
    if (wasIn && !isIn && now && now->window() == window() && onExit)
        onExit();
}

// --- Scrolling and geometry -------------------------------------------------------------------

int StringGrid::FixedWidth() const
{
    int width = 0;
    for (int c = 0; c < m_fixedCols; ++c)
        width += ColWidth(c) + kLineWidthPx;
    return width;
}

int StringGrid::FixedHeight() const
{
    return m_fixedRows * (m_rowHeightPx + kLineWidthPx);
}

int StringGrid::MaxTopRow() const
{
    const int pitch = m_rowHeightPx + kLineWidthPx;
    const int fullRows = std::max(1, (viewport()->height() - FixedHeight()) / pitch);
    return std::max(m_fixedRows, m_rowCount - fullRows);
}

int StringGrid::MaxLeftCol() const
{
    const int available = viewport()->width() - FixedWidth();
    int used = 0;
    int col = m_colCount - 1;
    while (col >= m_fixedCols && used + ColWidth(col) + kLineWidthPx <= available) {
        used += ColWidth(col) + kLineWidthPx;
        --col;
    }
    return std::max(m_fixedCols, std::min(col + 1, m_colCount - 1));
}

void StringGrid::ScrollTo(int topRow, int leftCol)
{
    topRow = std::max(m_fixedRows, std::min(topRow, MaxTopRow()));
    leftCol = std::max(m_fixedCols, std::min(leftCol, MaxLeftCol()));
    if (topRow == m_topRow && leftCol == m_leftCol)
        return;
    m_topRow = topRow;
    m_leftCol = leftCol;
    UpdateScrollBars();
    RepositionEditor();
    viewport()->update();
}

void StringGrid::ClampInView(GridCoord coord)
{
    int top = m_topRow;
    const int pitch = m_rowHeightPx + kLineWidthPx;
    const int fullRows = std::max(1, (viewport()->height() - FixedHeight()) / pitch);
    if (coord.Row >= m_fixedRows) {
        if (coord.Row < top)
            top = coord.Row;
        else if (coord.Row > top + fullRows - 1)
            top = coord.Row - fullRows + 1;
    }
    int left = m_leftCol;
    if (coord.Col >= m_fixedCols) {
        if (coord.Col < left) {
            left = coord.Col;
        } else {
            const int available = viewport()->width() - FixedWidth();
            auto span = [this](int from, int to) {
                int width = 0;
                for (int c = from; c <= to; ++c)
                    width += ColWidth(c) + kLineWidthPx;
                return width;
            };
            while (left < coord.Col && span(left, coord.Col) > available)
                ++left;
        }
    }
    ScrollTo(top, left);
}

void StringGrid::UpdateScrollBars()
{
    m_syncingScrollBars = true;
    const int pitch = m_rowHeightPx + kLineWidthPx;
    verticalScrollBar()->setRange(0, MaxTopRow() - m_fixedRows);
    verticalScrollBar()->setPageStep(std::max(1, (viewport()->height() - FixedHeight()) / pitch));
    verticalScrollBar()->setValue(m_topRow - m_fixedRows);
    horizontalScrollBar()->setRange(0, MaxLeftCol() - m_fixedCols);
    horizontalScrollBar()->setPageStep(1);
    horizontalScrollBar()->setValue(m_leftCol - m_fixedCols);
    m_syncingScrollBars = false;
}

void StringGrid::scrollContentsBy(int /*dx*/, int /*dy*/)
{
    if (m_syncingScrollBars)
        return;
    m_topRow = m_fixedRows + verticalScrollBar()->value();
    m_leftCol = m_fixedCols + horizontalScrollBar()->value();
    RepositionEditor();
    viewport()->update();
}

void StringGrid::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    Relayout();
}

void StringGrid::Relayout()
{
    const int top = m_topRow;
    const int left = m_leftCol;
    m_topRow = -1; // forces ScrollTo to clamp and resynchronise
    ScrollTo(top, left);
    UpdateScrollBars();
    RepositionEditor();
    viewport()->update();
}

int StringGrid::ColLeft(int col) const
{
    if (col < 0 || col >= m_colCount)
        return -1;
    int x = 0;
    if (col < m_fixedCols) {
        for (int c = 0; c < col; ++c)
            x += ColWidth(c) + kLineWidthPx;
        return x;
    }
    if (col < m_leftCol)
        return -1;
    x = FixedWidth();
    for (int c = m_leftCol; c < col; ++c)
        x += ColWidth(c) + kLineWidthPx;
    return x;
}

int StringGrid::RowTop(int row) const
{
    if (row < 0 || row >= m_rowCount)
        return -1;
    const int pitch = m_rowHeightPx + kLineWidthPx;
    if (row < m_fixedRows)
        return row * pitch;
    if (row < m_topRow)
        return -1;
    return FixedHeight() + (row - m_topRow) * pitch;
}

QRect StringGrid::CellRect(int col, int row) const
{
    const int left = ColLeft(col);
    const int top = RowTop(row);
    if (left < 0 || top < 0 || left >= viewport()->width() || top >= viewport()->height())
        return {};
    return QRect(left, top, ColWidth(col), m_rowHeightPx);
}

GridCoord StringGrid::CellAt(const QPoint& point) const
{
    GridCoord cell{-1, -1};
    if (point.x() < 0 || point.y() < 0)
        return cell;
    const int pitch = m_rowHeightPx + kLineWidthPx;
    const int row = point.y() < FixedHeight() ? point.y() / pitch : m_topRow + (point.y() - FixedHeight()) / pitch;
    int x = 0;
    int col = -1;
    for (int c = 0; c < m_colCount; ++c) {
        if (c >= m_fixedCols && c < m_leftCol)
            continue;
        x += ColWidth(c) + kLineWidthPx;
        if (point.x() < x) {
            col = c;
            break;
        }
    }
    if (col < 0 || row >= m_rowCount)
        return cell;
    return GridCoord{col, row};
}

// --- Painting -------------------------------------------------------------------------------------

void StringGrid::DrawCell(QPainter& painter, int col, int row, const QRect& rect) const
{
    const QPalette& colours = palette();
    const QString text = Cells(col, row);
    const QRect textRect = rect.adjusted(2, 2, 0, 0);
    if (col < m_fixedCols || row < m_fixedRows) {
        painter.fillRect(rect, colours.color(QPalette::Button));
        painter.setPen(colours.color(QPalette::Light));
        painter.drawLine(rect.topLeft(), rect.topRight());
        painter.drawLine(rect.topLeft(), rect.bottomLeft());
        painter.setPen(colours.color(QPalette::Mid));
        painter.drawLine(rect.bottomLeft(), rect.bottomRight());
        painter.drawLine(rect.topRight(), rect.bottomRight());
        painter.setPen(colours.color(QPalette::ButtonText));
        painter.drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
        return;
    }
    const bool focused = GridCoord{col, row} == m_current;
    const bool selected =
        Selection().Contains(col, row) && (!focused || m_options.testFlag(GridOption::DrawFocusSelected));
    painter.fillRect(rect, colours.color(selected ? QPalette::Highlight : QPalette::Base));
    painter.setPen(colours.color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
    if (focused && HoldsFocus() && !EditorMode()) {
        QPen dotted(colours.color(selected ? QPalette::HighlightedText : QPalette::Text));
        dotted.setStyle(Qt::DotLine);
        painter.setPen(dotted);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect.adjusted(0, 0, -1, -1));
    }
}

void StringGrid::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(viewport());
    painter.setFont(font());
    const QPalette& colours = palette();
    painter.fillRect(viewport()->rect(), colours.color(QPalette::Base));
    const QColor fixedLine = colours.color(QPalette::Shadow);
    const QColor cellLine = colours.color(QPalette::Midlight).darker(112);
    const int widthPx = viewport()->width();
    const int heightPx = viewport()->height();

    for (int row = 0; row < m_rowCount; ++row) {
        const int top = RowTop(row);
        if (top < 0)
            continue;
        if (top >= heightPx)
            break;
        for (int col = 0; col < m_colCount; ++col) {
            const int left = ColLeft(col);
            if (left < 0)
                continue;
            if (left >= widthPx)
                break;
            const QRect rect(left, top, ColWidth(col), m_rowHeightPx);
            painter.save();
            painter.setClipRect(rect);
            DrawCell(painter, col, row, rect);
            if (onDrawCell)
                onDrawCell(painter, col, row, rect, GridCoord{col, row} == m_current);
            painter.restore();

            const bool fixed = col < m_fixedCols || row < m_fixedRows;
            const bool vertical = m_options.testFlag(fixed ? GridOption::FixedVertLine : GridOption::VertLine);
            const bool horizontal = m_options.testFlag(fixed ? GridOption::FixedHorzLine : GridOption::HorzLine);
            const QColor line = fixed ? fixedLine : cellLine;
            if (vertical)
                painter.fillRect(rect.right() + 1, top, kLineWidthPx, m_rowHeightPx + kLineWidthPx, line);
            if (horizontal)
                painter.fillRect(left, rect.bottom() + 1, rect.width() + kLineWidthPx, kLineWidthPx, line);
        }
    }
}

} // namespace veloquin
