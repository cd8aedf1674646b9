#pragma once
// The sheet thickness of every girdle, one grid row per girdle (girdle 1 first).
// OKBtnClick reads the whole grid into the unit's list of values, every text
// converted before the list is replaced; a text that is not a number is
// reported and selected, and the dialog stays open: the tank never gets
// thicknesses taken over from an earlier showing.

#include <QDialog>

#include <vector>

namespace veloquin {

class TSteelVertCylTank;
class StringGrid;

class SheetThicknessesDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kClientWidthPx = 315;
    static constexpr int kClientHeightPx = 235;

    SheetThicknessesDialog(QWidget* parent, const TSteelVertCylTank& tank);

    void FormShow();
    // Reads the grid into Thicknesses(); true when every cell converted
    // (otherwise the cell that did not is reported and selected).
    bool OKBtnClick();
    // The values read by the last OK, girdle 1 first; empty after a failed read.
    const std::vector<double>& Thicknesses() const { return m_thicknessesMm; }
    // The grid has a row for every girdle, so a read that succeeded is never empty.
    bool ThicknessesRead() const { return !m_thicknessesMm.empty(); }
    // The thicknesses the last OK read.
    void ApplyToTank(TSteelVertCylTank& tank) const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    const TSteelVertCylTank& m_tank;
    StringGrid* m_grid = nullptr;
    std::vector<double> m_thicknessesMm;
};

} // namespace veloquin
