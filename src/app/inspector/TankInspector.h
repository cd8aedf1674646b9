#pragma once
// The property inspector: a tool window with a two-column list of rows, captions
// on the left and values on the right, painted by the window itself, with a
// movable splitter between the columns. The selected row carries its editor:
// an in-place edit box for values typed directly, or a read-only panel with a
// small button for values edited in a dialog. Which rows exist, what they show
// and what an edit does come from a RowBinding, called by row number.
//
// Committing: Enter and focus changes inside the window apply the typed text;
// when the text does not convert, the box shows the stored value again and the
// status bar says so ("Значение «25OO» не принято — это не число") while the
// row flashes, without a box in the way. A row change by mouse or keyboard
// reports the conversion error in a box and keeps the row.

#include "RowBinding.h"
#include "Settings.h"

#include <QColor>
#include <QWidget>

#include <functional>
#include <map>
#include <utility>

class QLineEdit;
class QScrollArea;
class QStatusBar;
class QToolButton;
class QFrame;
class QHelpEvent;
class QTimer;

namespace veloquin {

class ConvertError;
class OuterBounds;
class RowPaintBox;

class TankInspector : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kRowHeightPx = 16;
    static constexpr int kEditorHeightPx = 15;
    static constexpr int kSplitterWidthPx = 2;
    static constexpr int kDialogButtonWidthPx = 16;
    static constexpr int kMinColWidthPx = 20;
    static constexpr int kValueColumnReservePx = 22;
    // The smallest outer size restored from the settings: a few rows stay visible.
    static constexpr int kMinOuterWidthPx = 150;
    static constexpr int kMinOuterHeightPx = 100;
    // A row whose typed value was not taken is lit this many times.
    static constexpr int kRowFlashes = 3;
    static constexpr int kRowFlashHalfPeriodMs = 200;

    explicit TankInspector(QWidget* parent);

    void SetBinding(RowBinding* binding) { m_binding = binding; }
    // Where the geometry is read at every showing and written at every hiding.
    // The writer may throw; its error goes to the general error report.
    void SetGeometryStore(std::function<InspectorSettings()> read, std::function<void(const InspectorSettings&)> write);

    // --- Offered to the row binding ---
    void SetRowCount(int count);
    int RowCount() const { return m_rowCount; }
    void SetCell(int column, int row, const QString& text);
    QString GetCell(int column, int row) const;
    int SelectedRow() const { return m_selectedRow; }
    void ShowInPlaceEdit(const QRect& rect);
    void ShowDialogPanel(const QRect& rect);
    bool InPlaceEditPlaced() const;
    void SetInPlaceEditText(const QString& text);
    void SetDialogPanelText(const QString& text);
    QString DialogPanelText() const;
    // Repaints the three columns at once.
    void RepaintColumns();
    // The in-place edit box holds a text the user typed and has not committed.
    bool InPlaceEditTyping() const;

    // --- Marks ---
    // A row can carry marks of several sources (a value the program moved, a
    // finding of a check): the value cell is tinted with the colour of the
    // first, and the row's tool tip gives the texts of all. A mark to be looked
    // at goes when the user selects its row.
    struct RowMark
    {
        QString text;
        QColor colour;
        bool clearedWhenSelected = true;
    };
    void SetRowMark(int row, const QString& source, const RowMark& mark);
    void ClearRowMark(int row, const QString& source);
    void ClearRowMarks(const QString& source);
    bool HasRowMark(int row, const QString& source) const;
    // The texts of the row's marks, one a line; empty without marks.
    QString RowMarkText(int row) const;
    // A message in the window's status bar that stays until the next one.
    void ShowChangeMessage(const QString& text);
    QString StatusText() const;

    // --- Selection and layout ---
    // Both commit the edit box first; when its text does not convert the error is
    // reported, the selection stays and false is returned.
    bool SelectRow(int row);
    bool SelectRowAt(int yPx);
    void PlaceEditor();
    // The caption column becomes widthPx wide, kept between 20 px and the client
    // width less 22 px; the splitter and the value column follow.
    void LayoutColumns(int widthPx);
    int ColWidth() const { return m_colWidthPx; }
    // Applies a text typed but not yet committed, as a focus change would (a bad
    // text is silently restored). Commands of other windows that store, replace
    // or show the tank call this first, so that what the box shows is what they get.
    void CommitPendingEdit();
    // Writes the geometry now (the window is being hidden or the program ends).
    void StoreGeometry();

    // --- Controls, for tests and screenshots ---
    QLineEdit* InsEdit() const { return m_insEdit; }
    QWidget* InsPanel() const { return m_insPanel; }
    QLineEdit* InsPanelEdit() const { return m_insPanelEdit; }
    QToolButton* DialogButton() const { return m_sbDlg; }
    QWidget* CaptionColumn() const;
    QWidget* SplitterColumn() const;
    QWidget* ValueColumn() const;
    QScrollArea* ScrollBox() const { return m_scrollBox; }
    QStatusBar* StatusBar() const { return m_statusBar; }
    // The row flashing now, or 0.
    int FlashingRow() const { return m_flashRow; }
    // The window's outer bounds, as the settings keep them.
    OuterBounds& Bounds() const { return *m_bounds; }

    // Showing fills the captions and applies the stored geometry before the
    // window appears, so that the columns are laid out once, at the right width.
    void setVisible(bool visible) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void BuildControls();
    // A navigation key or Space: true when it was handled (and must not reach the control).
    bool HandleKey(QKeyEvent& key, bool typesSpace);
    bool CommitForRowChange();
    void CommitSilently();
    // A typed text that did not convert: the status bar names it and the row flashes.
    void TellNotTaken(const QString& typed, const ConvertError& error);
    void FlashRow(int row);
    void ReportAndReturnFocus(const std::exception& error);
    bool ShowToolTip(QObject* watched, const QHelpEvent& help);
    void SetPaintBoxHeights();
    void ScrollIntoView(int topPx, int heightPx);
    int ClientWidth() const;
    int ScrollPosition() const;
    void PaintColumn(QPainter& painter, const QWidget& box, const QStringList& texts, bool captions) const;
    void PaintSplitter(QPainter& painter, const QWidget& box) const;
    void OnColumnPress(const QMouseEvent& event);
    bool CheckCell(int column, int row) const;
    const RowMark* FirstMark(int row) const;
    bool PassesEditKeyToWindow(const QKeyEvent& key) const;

    RowBinding* m_binding = nullptr;
    std::function<InspectorSettings()> m_readGeometry;
    std::function<void(const InspectorSettings&)> m_writeGeometry;

    int m_rowCount = 0;
    int m_selectedRow = 1;
    int m_colWidthPx = 120;
    QStringList m_captions;
    QStringList m_values;
    bool m_dragging = false;
    bool m_committing = false;
    // The row whose value the in-place edit box was last given (0: none).
    int m_editRow = 0;
    OuterBounds* m_bounds = nullptr;
    std::map<std::pair<int, QString>, RowMark> m_marks;

    QWidget* m_panel1 = nullptr;
    QFrame* m_panelWindow = nullptr;
    QScrollArea* m_scrollBox = nullptr;
    QWidget* m_content = nullptr;
    RowPaintBox* m_pbCaptions = nullptr;
    RowPaintBox* m_pbSplitter = nullptr;
    RowPaintBox* m_pbValues = nullptr;
    QLineEdit* m_insEdit = nullptr;
    QWidget* m_insPanel = nullptr;
    QLineEdit* m_insPanelEdit = nullptr;
    QToolButton* m_sbDlg = nullptr;
    QStatusBar* m_statusBar = nullptr;
    QString m_notTakenMessage;
    QTimer* m_flashTimer = nullptr;
    int m_flashRow = 0;
    int m_flashesLeft = 0;
};

} // namespace veloquin
