#include "InternalCircumferenceDialog.h"

#include "DialogSupport.h"
#include "NumberTexts.h"
#include "RowDialogOpeners.h"
#include "editing/RowDialogStep.h"
#include "TankInspectorRows.h"
#include "StringGrid.h"
#include "TankClasses.h"

namespace veloquin {
namespace {

constexpr int kGridWidthPx = 2 + (64 + 1) + (84 + 1) + (114 + 1) + (144 + 1);

} // namespace

InternalCircumferenceDialog::InternalCircumferenceDialog(QWidget* parent, const TSteelVertCylTank& tank)
    : GirdleTableDialog(parent, tank,
                      {"LengthIntCirGirdleDlg",
                       "Длины внутренних окружностей поясов",
                       QSize(kClientWidthPx, kClientHeightPx),
                       "sgLengthIntCirGirdle",
                       {64, 84, 114, 144},
                       {"", "Длина вн. окр.", "Ср. расст. до отвеса", "Ср. рад. откл. образующих"},
                       270,
                       QRect(8 + kGridWidthPx - 75, 310, 75, 25)})
{
}

std::vector<QStringList> InternalCircumferenceDialog::Rows(const TSteelVertCylTank& tank) const
{
    std::vector<QStringList> rows;
    for (int n = 1; n <= tank.GirdleCount(); ++n)
        rows.push_back({QStringLiteral("Пояс №") + QString::number(n), FixedText(1, tank.IntCircumference(n)),
                        FixedText(1, tank.MeanPlumbDistance(n)), FixedText(1, tank.MeanRadialDeviation(n))});
    return rows;
}

void OpenLengthIntCirGirdleDlg(TankInspectorRows& rows)
{
    RunRowDialog(rows, TankRow::IntCircumferences, rows.RowDialog<InternalCircumferenceDialog>(TankRow::IntCircumferences));
}

} // namespace veloquin
