#pragma once
// The internal circumference of every girdle with the mean plumb distance and
// the mean radial deviation it was derived from; a display only.

#include <QDialog>

class QKeyEvent;

namespace veloquin {

class TSteelVertCylTank;
class TStringGrid;

class TLengthIntCirGirdleDlg : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kClientWidthPx = 478;
    static constexpr int kClientHeightPx = 344;

    TLengthIntCirGirdleDlg(QWidget* parent, TSteelVertCylTank& tank);

    void FormShow();
    bool FormKeyDown(QKeyEvent& key);

protected:
    void showEvent(QShowEvent* event) override;

private:
    TSteelVertCylTank& m_tank;
    TStringGrid* m_grid = nullptr;
};

} // namespace veloquin
