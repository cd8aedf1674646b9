#pragma once
// The distances from the wall to the plumb line: one row per measuring point
// (girdle 1 at three quarters of its height; every middle girdle at its bottom,
// middle and top; the top girdle at its bottom and middle), one column per
// generatrix. The grid is a scratch copy: only OK writes it into the tank, so
// Cancel and Esc throw away what was typed, cut or pasted. OK converts every
// cell first: a cell that is not a number is reported and selected, the dialog
// stays open and nothing is written.

#include <QDialog>

#include <vector>

class QKeyEvent;

class QPushButton;

namespace veloquin {

class TSteelVertCylTank;
class StringGrid;
class TypedInputReader;

// The label of a measuring point (grid row, from 1): "1 пояс 3/4 h", then
// "2 пояс низ", "2 пояс сер.", "2 пояс верх", "3 пояс низ"...
QString PlumbRowLabel(int row);

class PlumbReadingsDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kClientWidthPx = 474;
    static constexpr int kClientHeightPx = 335;
    static constexpr int kHeaderColWidthPx = 80;

    PlumbReadingsDialog(QWidget* parent, const TSteelVertCylTank& tank);

    // The distances OK read into the tank, row by row in ascending order (so
    // that girdle 1's mean is current before the deviations of the others are
    // taken), each generatrix in order.
    void ApplyToTank(TSteelVertCylTank& tank) const;

    void FormCreate();
    void FormShow();
    void sgWall_PlumbMouseMove();
    void sgWall_PlumbKeyDown(QKeyEvent& key);
    // Widens the dialog so that every generatrix's column shows, within the screen.
    void FitWidthToColumns();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Converts every cell, row by row; throws ConvertError at the first that is not a number.
    void ReadGrid(TypedInputReader& in);

    const TSteelVertCylTank& m_tank;
    StringGrid* m_grid = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    // What the last OK read, row by row; empty until then.
    std::vector<double> m_distancesMm;
};

} // namespace veloquin
