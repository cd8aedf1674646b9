#pragma once
// The capacities the tank derives: the dead cavity's and every girdle's, shown
// read-only (GirdleTableDlg.h). Nothing is written back.

#include "entry/GirdleTableDlg.h"

namespace veloquin {

class TCapacityGirdleDlg : public TGirdleTableDlg
{
    Q_OBJECT

public:
    static constexpr int kClientWidthPx = 293;
    static constexpr int kClientHeightPx = 348;

    TCapacityGirdleDlg(QWidget* parent, TSteelVertCylTank& tank);

protected:
    std::vector<QStringList> Rows(const TSteelVertCylTank& tank) const override;
};

} // namespace veloquin
