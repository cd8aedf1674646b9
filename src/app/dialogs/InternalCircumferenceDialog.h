#pragma once
// The internal circumference of every girdle with the mean plumb distance and
// the mean radial deviation it was derived from; a display only (GirdleTableDialog.h).

#include "entry/GirdleTableDialog.h"

namespace veloquin {

class InternalCircumferenceDialog : public GirdleTableDialog
{
    Q_OBJECT

public:
    static constexpr int kClientWidthPx = 478;
    static constexpr int kClientHeightPx = 344;

    InternalCircumferenceDialog(QWidget* parent, const TSteelVertCylTank& tank);

protected:
    std::vector<QStringList> Rows(const TSteelVertCylTank& tank) const override;
};

} // namespace veloquin
