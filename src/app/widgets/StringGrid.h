#pragma once
// The string grid of every measurement dialog: ColCount x RowCount text cells
// addressed (column, row) from 0. The first FixedCols columns and FixedRows rows
// are grey header cells: the current cell never lands on them and they are never
// edited, though a selection set by code (Select all) may include them. Rows are 16 px
// high, every line 1 px, and the grid has no border: it sits in a lowered panel.
//
// How a dialog uses it:
//     m_grid = StringGrid::InLoweredPanel(this, QRect(8, 36, 458, 260), QStringLiteral("sgHeightsGir"));
//     m_grid->SetColCount(5);            // counts first, then the fixed counts
//     m_grid->SetFixedCols(1);
//     m_grid->SetFixedRows(1);
//     m_grid->SetOptions(GridEditSet());
//     m_grid->onSetEditText = [this](int col, int row, const QString& text) { ... };
//     m_grid->onMouseMove = [this](QMouseEvent&) { m_grid->SetOptions(GridBrowseSet()); };
//     m_grid->onKeyDown = [this](QKeyEvent&) { m_grid->SetOptions(GridEditSet()); };
// Cells are read with Cells() and written with SetCell(). onSetEditText reports
// only what the user changes in the in-place editor (every keystroke); SetCell
// and the clipboard operations (GridClipboardText.h) never fire it.
//
// Current cell and selection: (Col, Row) is the focused cell, the one the
// in-place editor edits. The selection spans the anchor and the current cell.
// Range selection works in the browse set only (range selection without
// editing): there dragging or a shifted move carries the anchor, so the current
// cell stays where the range began. SetSelection places both corners freely.
//
// Keys reach the hooks the way the dialogs expect: onKeyDown sees every key
// pressed in the grid or its editor first, then onKeyPress may discard a typed
// character (digits, letters, Backspace) before the grid or the editor uses it.
// Keys as in a spreadsheet: in a grid that takes input (not a lines-only one)
// Enter commits the cell and moves down (Shift+Enter up), never reaching the
// dialog's default button; Esc in an editor whose text was changed puts the
// cell's text back (the change is reported through onSetEditText like any
// other) and only a second Esc goes to the dialog. Tab is left to the dialog.
// Clipboard shortcuts go to the window's actions when it has them.

#include <QAbstractScrollArea>
#include <QFlags>
#include <QString>

#include <functional>
#include <vector>

class QFrame;
class QLineEdit;

namespace veloquin {

enum class GridOption
{
    FixedVertLine = 0x01,
    FixedHorzLine = 0x02,
    VertLine = 0x04,
    HorzLine = 0x08,
    RangeSelect = 0x10,
    DrawFocusSelected = 0x20,
    Editing = 0x40,
    AlwaysShowEditor = 0x80,
};
Q_DECLARE_FLAGS(GridOptions, GridOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(GridOptions)

// Lines, range selection and the focused cell drawn as selected: the set in
// which the user drags out a range to copy or cut.
GridOptions GridBrowseSet();
// The browse set plus editing.
GridOptions GridEditSet();
// The four kinds of lines only: a grid that shows values and takes nothing.
GridOptions GridLinesOnly();

struct GridCoord
{
    int Col = 0;
    int Row = 0;
    bool operator==(const GridCoord& other) const { return Col == other.Col && Row == other.Row; }
    bool operator!=(const GridCoord& other) const { return !(*this == other); }
};

// An inclusive cell range; empty when Left > Right or Top > Bottom.
struct GridRect
{
    int Left = 0;
    int Top = 0;
    int Right = -1;
    int Bottom = -1;

    static GridRect Spanning(const GridCoord& a, const GridCoord& b);
    bool IsEmpty() const { return Left > Right || Top > Bottom; }
    bool Contains(int col, int row) const { return col >= Left && col <= Right && row >= Top && row <= Bottom; }
    bool operator==(const GridRect& o) const
    {
        return Left == o.Left && Top == o.Top && Right == o.Right && Bottom == o.Bottom;
    }
};

class StringGrid : public QAbstractScrollArea
{
    Q_OBJECT

public:
    static constexpr int kDefaultRowHeightPx = 16;
    static constexpr int kDefaultColWidthPx = 64;
    static constexpr int kLineWidthPx = 1;
    // The grid's whole extent is bounded so that no count read from anywhere can
    // make it allocate without limit.
    static constexpr int kMaxCount = 10000;
    // A cell holds a number or a short label: longer texts are refused where
    // they come in (typing stops there; a paste is refused with a message),
    // so that no cell can make painting or a message crawl.
    static constexpr int kMaxCellChars = 256;

    explicit StringGrid(QWidget* parent = nullptr);
    ~StringGrid() override;

    // A grid filling a new lowered panel (1 px bevel) at panelRect in parent; the
    // panel is named objectName + "Panel" and is what Panel() returns.
    static StringGrid* InLoweredPanel(QWidget* parent, const QRect& panelRect, const QString& objectName);
    QFrame* Panel() const;

    // --- Extent ---
    int ColCount() const { return m_colCount; }
    int RowCount() const { return m_rowCount; }
    int FixedCols() const { return m_fixedCols; }
    int FixedRows() const { return m_fixedRows; }
    // Cells outside the new extent are dropped; the current cell and the
    // selection stay inside it.
    void SetColCount(int count);
    void SetRowCount(int count);
    // At most one less than the count, so that one column (row) stays selectable.
    void SetFixedCols(int count);
    void SetFixedRows(int count);

    int DefaultColWidth() const { return m_defaultColWidthPx; }
    void SetDefaultColWidth(int px);
    int ColWidth(int col) const;
    void SetColWidth(int col, int px);
    int DefaultRowHeight() const { return m_rowHeightPx; }
    void SetDefaultRowHeight(int px);

    // --- Cells ---
    // An empty text outside the grid.
    QString Cells(int col, int row) const;
    // Ignored outside the grid. Never fires onSetEditText; an open editor on the
    // cell shows the new text.
    void SetCell(int col, int row, const QString& text);

    // --- Current cell, selection ---
    int Col() const { return m_current.Col; }
    int Row() const { return m_current.Row; }
    GridCoord Current() const { return m_current; }
    GridCoord Anchor() const { return m_anchor; }
    // Moves the current cell (kept off the header cells) and collapses the
    // selection onto it, scrolling it into view.
    void FocusCell(int col, int row);
    void SetCol(int col) { FocusCell(col, m_current.Row); }
    void SetRow(int row) { FocusCell(m_current.Col, row); }
    GridRect Selection() const { return GridRect::Spanning(m_anchor, m_current); }
    // Both corners are kept inside the grid; the current cell also off the headers.
    void SetSelection(const GridCoord& anchor, const GridCoord& current);

    // --- Options and the in-place editor ---
    GridOptions Options() const { return m_options; }
    // Taking editing away closes the editor; AlwaysShowEditor opens it when the grid has the focus.
    void SetOptions(GridOptions options);
    bool EditorMode() const;
    // Opens the editor on the current cell with its text selected (editing only).
    void ShowEditor();
    void HideEditor();
    QLineEdit* InplaceEditor() const;
    // The editor is open with a text other than the cell held when it opened.
    bool EditPending() const;
    // The widget is the in-place editor of a grid with an edit pending (a dialog
    // that sees keys first leaves Esc to that grid then).
    static bool IsEditorWithPendingEdit(const QWidget* widget);

    // --- Geometry ---
    int TopRow() const { return m_topRow; }
    int LeftCol() const { return m_leftCol; }
    // The cell's rectangle on the viewport without its lines; empty when the
    // cell is scrolled out of view.
    QRect CellRect(int col, int row) const;
    // The cell under a viewport point, or (-1, -1).
    GridCoord CellAt(const QPoint& point) const;

    // --- Hooks (the dialogs' event handlers) ---
    std::function<void(int col, int row, const QString& text)> onSetEditText;
    std::function<void(QKeyEvent& event)> onKeyDown;
    // A typed character; set it to QChar() to discard it.
    std::function<void(QChar& key)> onKeyPress;
    std::function<void(QMouseEvent& event)> onMouseMove;
    // The editor is being prepared for the cell (each time it opens or moves).
    std::function<void(int col, int row)> onGetEditMask;
    // After a cell was drawn; focused is true for the current cell.
    std::function<void(QPainter& painter, int col, int row, const QRect& rect, bool focused)> onDrawCell;
    // The keyboard focus came into the grid (or its editor) from outside, or left it.
    std::function<void()> onEnter;
    std::function<void()> onExit;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int Index(int col, int row) const { return row * m_colCount + col; }
    bool InGrid(int col, int row) const { return col >= 0 && col < m_colCount && row >= 0 && row < m_rowCount; }
    bool HasSelectableCells() const { return m_fixedCols < m_colCount && m_fixedRows < m_rowCount; }
    bool RangeSelecting() const;
    void Resize(int colCount, int rowCount);
    GridCoord ClampToSelectable(GridCoord coord) const;
    GridCoord ClampToGrid(GridCoord coord) const;
    void MoveCurrent(GridCoord coord);
    void MoveAnchor(GridCoord coord);
    // Keyboard navigation from the current cell (or the anchor when extending); true when handled.
    bool Navigate(const QKeyEvent& event);
    // A key in the grid itself; the editor hands over keys its hooks took the editor away from.
    void GridKey(QKeyEvent& event, bool keyDownSeen);
    // A key in the open editor: true when it is spent.
    bool EditorKey(QKeyEvent& event);
    bool WindowActionTakes(const QKeyEvent& event) const;
    // A grid the user types or selects in (not a lines-only display).
    bool TakesInput() const;
    // Enter: the cell is committed already (the editor writes through); the
    // current cell moves down (up with Shift).
    void EnterKey(const QKeyEvent& event);
    // Esc with an edit pending: the cell's text as it was when the editor opened.
    void AbandonEdit();
    // The character a key press types for onKeyPress, or QChar() when it types none.
    static QChar TypedChar(const QKeyEvent& event);
    void OpenEditor();
    // Follows the cell after a scroll or resize; closes the editor when the cell left the view.
    void RepositionEditor();
    void OnEditorTextEdited(const QString& text);
    void OnFocusChanged(QWidget* old, QWidget* now);
    bool OwnsWidget(const QWidget* widget) const;
    // The grid or its editor is the focus widget of its window (active or not).
    bool HoldsFocus() const;

    // Scrolling: which non-fixed row and column come first after the headers.
    int FixedWidth() const;
    int FixedHeight() const;
    int MaxTopRow() const;
    int MaxLeftCol() const;
    void ScrollTo(int topRow, int leftCol);
    void ClampInView(GridCoord coord);
    void UpdateScrollBars();
    // After a change of sizes: scroll position, scroll bars and editor follow.
    void Relayout();
    int ColLeft(int col) const;
    int RowTop(int row) const;

    void DrawCell(QPainter& painter, int col, int row, const QRect& rect) const;

    int m_colCount = 0;
    int m_rowCount = 0;
    int m_fixedCols = 0;
    int m_fixedRows = 0;
    int m_defaultColWidthPx = kDefaultColWidthPx;
    int m_rowHeightPx = kDefaultRowHeightPx;
    std::vector<int> m_colWidthsPx;
    std::vector<QString> m_cells;

    GridCoord m_current;
    GridCoord m_anchor;
    GridOptions m_options;
    int m_topRow = 0;
    int m_leftCol = 0;
    bool m_selecting = false;
    bool m_inEditNotification = false;
    bool m_syncingScrollBars = false;

    QLineEdit* m_editor = nullptr;
    GridCoord m_editorCell;
    QString m_editorOpenText;
    bool m_forwardingKey = false;
    bool m_closingEditor = false;
};

} // namespace veloquin
