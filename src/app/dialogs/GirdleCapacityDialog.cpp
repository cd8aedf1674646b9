#include "GirdleCapacityDialog.h"

#include "DialogSupport.h"
#include "NumberTexts.h"
#include "RowDialogOpeners.h"
#include "editing/RowDialogStep.h"
#include "TankInspectorRows.h"
#include "TankClasses.h"

namespace veloquin {

// Both columns and the dead cavity with twelve girdles fit without scrolling.
GirdleCapacityDialog::GirdleCapacityDialog(QWidget* parent, const TSteelVertCylTank& tank)
    : GirdleTableDialog(parent, tank,
                      {"CapacityGirdleDlg",
                       "Вместимость поясов",
                       QSize(kClientWidthPx, kClientHeightPx),
                       "sgCapacityGirdle",
                       {68, 120},
                       {"", "Вместимость пояса"},
                       281,
                       QRect(210, 315, 75, 25)})
{
}

std::vector<QStringList> GirdleCapacityDialog::Rows(const TSteelVertCylTank& tank) const
{
    std::vector<QStringList> rows{{QStringLiteral("Мертв. пол."), FixedText(3, tank.DeadCavityCapacity())}};
    for (int n = 1; n <= tank.GirdleCount(); ++n)
        rows.push_back({QStringLiteral("Пояс №") + QString::number(n), FixedText(3, tank.GirdleCapacity(n))});
    return rows;
}

void OpenCapacityGirdleDlg(TankInspectorRows& rows)
{
    RunRowDialog(rows, TankRow::GirdleCapacities, rows.RowDialog<GirdleCapacityDialog>(TankRow::GirdleCapacities));
}

} // namespace veloquin
