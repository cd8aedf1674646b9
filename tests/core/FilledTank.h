#pragma once
// By default the largest tank a file holds in practice: 12 girdles, 36
// generatrices, 20 internal details, hand-entered weld corrections, and every text
// and sheet slot filled with Cyrillic text. Shared by the file tests and the
// benchmarks.

#include "RealisticTank.h"
#include "TankClasses.h"

#include <string>

namespace veloquin::test {

inline TSteelVertCylTank MakeFilledTank(int girdles = 12, int generatrices = 36, int details = 20)
{
    RealisticTankShape shape;
    shape.girdles = girdles;
    shape.generatrices = generatrices;
    shape.details = details;
    TSteelVertCylTank tank = MakeRealisticTank(shape);

    tank.SetWeldCorrectionCount(3);
    tank.SetWeldCorrection(1, 0.5);
    tank.SetWeldCorrection(2, 1.5);
    tank.SetWeldCorrection(3, 2.25);
    tank.UpdateExtCircumference(); // corrections alone recompute nothing, as in the dialog

    int serial = 0;
    auto text = [&serial](const char* what) { return std::string(what) + " «№" + std::to_string(++serial) + "»"; };
    auto fill = [&](SheetKind kind, int page) {
        tank.SetSheetFrameStyle(kind, page, static_cast<std::uint8_t>(page % 3));
        tank.SetSheetTitleLines(kind, page, static_cast<std::uint8_t>(1 + page % 2));
        for (int f = 0; f < kSheetFieldCount; ++f)
            tank.SetSheetText(kind, page, static_cast<SheetField>(f), text("Поле листа"));
    };
    fill(SheetKind::Outline, 1);
    for (int p = 1; p <= tank.CalibrationSheetCount(); ++p)
        fill(SheetKind::Calibration, p);
    for (int p = 1; p <= tank.ProtocolSheetCount(); ++p)
        fill(SheetKind::Protocol, p);
    tank.SetTopCaptionShown(true);
    tank.SetTopCaption(text("Схема резервуара"));
    tank.SetBottomCaptionShown(true);
    tank.SetBottomCaption(text("Отметка днища — 0,000"));
    tank.SetPredsCom(text("Председатель комиссии"));
    tank.SetPredsComLine2(text("Инженер-метролог"));
    tank.SetPredsComLine3(text("Ёлкин Ж.Щ."));
    for (int t = 0; t < kProtocolTextCount; ++t)
        tank.SetProtocolText(static_cast<ProtocolTextId>(t), text("Текст протокола"));
    tank.UpdateAll();
    return tank;
}

} // namespace veloquin::test
