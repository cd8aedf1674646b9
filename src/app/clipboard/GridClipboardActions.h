#pragma once
// The four clipboard actions of a dialog with an editable measurement grid and
// the small flat tool bar bound to them: Select all, a gap, Copy, Cut, Paste.
//
// How a dialog uses it:
//     const GridClipboardActions actions = CreateGridClipboardActions(this);
//     actions.toolBar->move(0, 0);
//     connect(actions.acCopy, &QAction::triggered, this, &TMyDlg::acCopyExecute);
//     ... (acCut, acPaste, acSelAll)
// The shortcuts (Ctrl+A, Ctrl+C, Ctrl+X, Ctrl+V) work anywhere in the dialog,
// also while a grid's in-place editor is open.

#include <QIcon>
#include <QWidget>

class QAction;

namespace veloquin {

class GridToolBar;

struct GridClipboardActions
{
    QAction* acSelAll = nullptr;
    QAction* acCopy = nullptr;
    QAction* acCut = nullptr;
    QAction* acPaste = nullptr;
    GridToolBar* toolBar = nullptr;
};

// Creates the actions (owned by the dialog, shortcuts active in its window) and
// the tool bar (a child of the dialog at (0, 0)).
GridClipboardActions CreateGridClipboardActions(QWidget* dialog);

// Flat, 113 x 29 px, buttons 25 x 24 with 18 x 18 pictures, hints shown.
class GridToolBar : public QWidget
{
public:
    static constexpr int kWidthPx = 113;
    static constexpr int kHeightPx = 29;
    static constexpr int kButtonWidthPx = 25;
    static constexpr int kButtonHeightPx = 24;
    static constexpr int kImageSizePx = 18;
    static constexpr int kSeparatorWidthPx = 8;

    GridToolBar(QWidget* parent, const GridClipboardActions& actions);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The 18 x 18 pictures of the four commands, drawn by the program.
enum class GridCommand
{
    SelectAll,
    Copy,
    Cut,
    Paste
};
QIcon GridCommandIcon(GridCommand command);

} // namespace veloquin
