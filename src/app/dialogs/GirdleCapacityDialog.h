#pragma once
// The capacities the tank derives: the dead cavity's and every girdle's, shown
// read-only (GirdleTableDialog.h). Nothing is written back.

#include "entry/GirdleTableDialog.h"

namespace veloquin {

class GirdleCapacityDialog : public GirdleTableDialog
{
    Q_OBJECT

public:
    static constexpr int kClientWidthPx = 293;
    static constexpr int kClientHeightPx = 348;

    GirdleCapacityDialog(QWidget* parent, const TSteelVertCylTank& tank);

protected:
    std::vector<QStringList> Rows(const TSteelVertCylTank& tank) const override;
};

} // namespace veloquin
