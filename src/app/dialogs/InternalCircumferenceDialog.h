#pragma once
// The internal circumference of every girdle with the mean plumb distance and
// the mean radial deviation it was derived from; a display only (GirdleTableDlg.h).

#include "entry/GirdleTableDlg.h"

namespace veloquin {

class TLengthIntCirGirdleDlg : public TGirdleTableDlg
{
    Q_OBJECT

public:
    static constexpr int kClientWidthPx = 478;
    static constexpr int kClientHeightPx = 344;

    TLengthIntCirGirdleDlg(QWidget* parent, TSteelVertCylTank& tank);

protected:
    std::vector<QStringList> Rows(const TSteelVertCylTank& tank) const override;
};

} // namespace veloquin
