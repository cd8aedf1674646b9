#pragma once
// The capacities the tank derives: the dead cavity's and every girdle's, shown
// read-only. Nothing is written back.

#include <QDialog>

class QKeyEvent;

namespace veloquin {

class TSteelVertCylTank;
class TStringGrid;

class TCapacityGirdleDlg : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kClientWidthPx = 293;
    static constexpr int kClientHeightPx = 348;

    TCapacityGirdleDlg(QWidget* parent, TSteelVertCylTank& tank);

    void FormCreate();
    void FormShow();
    bool FormKeyDown(QKeyEvent& key);

protected:
    void showEvent(QShowEvent* event) override;

private:
    TSteelVertCylTank& m_tank;
    TStringGrid* m_grid = nullptr;
};

} // namespace veloquin
