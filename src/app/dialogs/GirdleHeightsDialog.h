#pragma once
// The heights of the girdles: outer height and the signed overlaps at the lower
// and upper edge of each girdle, with the internal height the tank derives from
// them. Values reach the tank while the user types (and after a paste), so the
// dialog has no cancel: Esc and OK both leave what was typed in the tank.
// Column 4 is computed; a key pressed there switches editing off.

#include <QDialog>

class QKeyEvent;

namespace veloquin {

class TSteelVertCylTank;
class StringGrid;
struct GridClipboardActions;

class GirdleHeightsDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kClientWidthPx = 474;
    static constexpr int kClientHeightPx = 335;
    static constexpr int kComputedCol = 4;

    GirdleHeightsDialog(QWidget* parent, TSteelVertCylTank& tank);
    ~GirdleHeightsDialog() override;

    void FormCreate();
    void FormShow();
    void sgHeightsGirSetEditText(int col, int row, const QString& text);
    void sgHeightsGirKeyPress(QChar& key);
    void sgHeightsGirKeyDown(QKeyEvent& key);
    void sgHeightsGirMouseMove();
    // After a paste: every girdle's three typed columns into the tank, all
    // converted first (a cell that is not a number writes nothing).
    void acPasteExecute();
    bool FormKeyDown(QKeyEvent& key);

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The overlap as the grid shows it: "+" before a positive value.
    static QString OverlapText(double mm);
    void ShowInnerHeight(int girdle);
    // Every girdle's row as the tank holds it.
    void ShowTankValues();

    TSteelVertCylTank& m_tank;
    StringGrid* m_grid = nullptr;
};

} // namespace veloquin
