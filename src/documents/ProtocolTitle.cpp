// The protocol's first two pages: the title page that presents the calibration
// table, and the general data with the first girdle's circumference.

#include "ProtocolPageParts.h"
#include "ProtocolPages.h"
#include "CalibrationSheets.h"
#include "GFunc.h"

namespace veloquin {
namespace {

constexpr double kTitleLabelXMm = 30;
// A value starts this far right of its label's start plus the label's width.
constexpr double kTitleValueXMm = 35;

// The value's place runs from its start to the frame; `field` names its box
// when the user typed it.
void DrawLabelled(PagePainter& painter, double yMm, const std::string& label, const std::string& value,
                  const std::string& field = {})
{
    painter.Text(kTitleLabelXMm, yMm, label);
    if (value.empty())
        return;
    Canvas& canvas = painter.canvas();
    const int x = RoundToEven(static_cast<double>(painter.MmToX(kTitleValueXMm)) +
                              canvas.TextWidth(QString::fromStdString(label)));
    canvas.TextOut(x, painter.MmToY(yMm), QString::fromStdString(value));
    if (!field.empty())
        painter.CheckPlace(field, x, yMm, QString::fromStdString(value), kTitleLabelXMm, kFrameRightMm);
}

std::string NotUsedBelowLine(const TSteelVertCylTank& tank, PurposeItem purpose)
{
    const std::string h = OneDecimal(tank.DeadCavityHeight() - tank.TouchPointHeight());
    const char* const use =
        purpose == PurposeItem::OperationalControl ? "оперативного контроля" : "учетно-расчетных операций";
    return "Участок ниже h = " + h + " мм для " + use + " не используется";
}

void DrawCircumferenceSection(PagePainter& painter, const TSteelVertCylTank& tank)
{
    DrawSectionTitle(painter, 220, "2. Длина окружности первого пояса");
    painter.SetPen(kTableHeavyPenMm);
    painter.BoxPath(30, 230, 195, 257);
    painter.SetPen(kThinPenMm);
    DrawRules(painter, {{30, 240, 195, 240}, {30, 250, 195, 250}, {75, 230, 75, 250}, {135, 230, 135, 250}});

    SetTableFont(painter);
    DrawCells(painter, {{30, 75, 233, "Номер измерения"},
                        {75, 135, 233, "Длина окружности, мм"},
                        {135, 195, 233, "Поправка на обход накладок, мм"},
                        {30, 75, 241, "1"},
                        {30, 75, 245, "2"}});
    painter.TextCentred(75, 135, 241, OneDecimal(tank.ExtCircumferenceMeasured1()));
    painter.TextCentred(75, 135, 245, OneDecimal(tank.ExtCircumferenceMeasured2()));
    const double correctionMm =
        tank.ExtCircumference() - (tank.ExtCircumferenceMeasured1() + tank.ExtCircumferenceMeasured2()) / 2;
    painter.TextCentred(135, 195, 241, OneDecimal(correctionMm));
    painter.TextCentred(135, 195, 245, OneDecimal(correctionMm));
    painter.Text(32, 251.5,
                 "Среднее значение длины внешней окружности первого пояса с учетом поправки:  " +
                     OneDecimal(tank.ExtCircumference()) + " мм");
}

} // namespace

void DrawProtocolTitlePage(PagePainter& painter, const TSteelVertCylTank& tank, const PageOptions& options)
{
    painter.SetFont(PageFonts::Arial, 4.5, FontStyle::Bold);
    painter.Text(110, 25, "Утверждаю:");
    painter.OptionText("edYtvDolgnoct_1", 110, 35, kFrameRightMm, options.edYtvDolgnoct_1);
    painter.OptionText("edYtvDolgnoct_2", 110, 41, kFrameRightMm, options.edYtvDolgnoct_2);
    painter.SetPen(kThinPenMm);
    painter.Line(110, 55, 145, 55);
    painter.Line(110, 65, 145, 65);
    painter.OptionText("edYtvFamilia", 150, 50, kFrameRightMm, options.edYtvFamilia);
    painter.OptionText("edYtvDate", 150, 60, kFrameRightMm, options.edYtvDate);

    painter.SetFont(PageFonts::TimesNewRoman, 6, FontStyle::Bold);
    painter.TextCentred(25, 200, 90, "Градуировочная   таблица");

    // As SetGivenLevel(DesignFillHeight) would leave VolumeAtLevel: clamped, and 0
    // under a dead cavity above the level.
    const TSteelVertCylTank::LevelVolume atFill = tank.VolumeAt(tank.ClampedLevel(tank.DesignFillHeight()));
    const double volumeAtFillM3 = atFill.deadCavityAbove || tank.GirdleCount() < 1 ? 0 : atFill.volumeM3;
    ReportDeadCavityAboveFillHeight(tank);
    const double uncertaintyM3 = CapacityUncertaintyM3(tank.DesignCapacity(), volumeAtFillM3);
    painter.SetFont(PageFonts::TimesNewRoman, 4.5, FontStyle::Bold);
    painter.OptionText("edNazvanRez", kTitleLabelXMm, 105, kFrameRightMm, options.edNazvanRez);
    DrawLabelled(painter, 120, "Организация:", options.edOrg, "edOrg");
    DrawLabelled(painter, 130, "Вместимость резервуара:", FormatDecimals(0, tank.DesignCapacity()) + " м куб.");
    DrawLabelled(painter, 140, "Погрешность определения вместимости:", "±" + ThreeDecimals(uncertaintyM3) + " м куб.");
    painter.Text(kTitleLabelXMm, 150, NotUsedBelowLine(tank, options.rgPredn));
    DrawLabelled(painter, 160, "Срок очередной градуировки:", options.edSrok, "edSrok");

    painter.SetFont(PageFonts::Arial, 4.5, FontStyle::Bold);
    painter.Text(110, 185, "Председатель комиссии:");
    painter.OptionText("edPrKom_Dolgn", 110, 195, kFrameRightMm, options.edPrKom_Dolgn);
    painter.OptionText("edPrKom_Famil", 110, 205, kFrameRightMm, options.edPrKom_Famil);
    const std::pair<ProtocolTextId, double> addedLines[] = {
        {ProtocolTextId::Add_1, 240}, {ProtocolTextId::Add_2, 250}, {ProtocolTextId::Add_3, 260}};
    for (const auto& [id, yMm] : addedLines)
        painter.OptionText(OptionBoxName(id), 30, yMm, kFrameRightMm, options.Protocol(id));
}

void DrawProtocolGeneralData(PagePainter& painter, const TSteelVertCylTank& tank, const PageOptions& options)
{
    const auto cell = [&painter, &options](double leftMm, double rightMm, double yMm, ProtocolTextId id) {
        painter.OptionTextCentred(OptionBoxName(id), leftMm, rightMm, yMm, options.Protocol(id));
    };
    DrawSectionTitle(painter, 55, "1. Общие данные");

    painter.SetPen(kTableHeavyPenMm);
    painter.BoxPath(30, 65, 195, 85);
    painter.BoxPath(30, 95, 195, 115);
    painter.BoxPath(30, 125, 195, 145);
    painter.BoxPath(30, 155, 195, 175);
    painter.BoxPath(30, 185, 195, 212);
    painter.SetPen(kThinPenMm);
    DrawRules(painter, {// A: registration, date, grounds
                        {30, 75, 195, 75},
                        {63, 65, 63, 85},
                        {162, 65, 162, 85},
                        {96, 70, 96, 85},
                        {129, 70, 129, 85},
                        {63, 70, 162, 70},
                        // B: place; C: tank type, number, uncertainty; D: means
                        {30, 105, 195, 105},
                        {30, 135, 195, 135},
                        {85, 125, 85, 145},
                        {140, 125, 140, 145},
                        {30, 165, 195, 165},
                        // E: conditions
                        {30, 192, 195, 192},
                        {30, 202, 195, 202},
                        {75, 192, 75, 212},
                        {125, 192, 125, 212},
                        {160, 192, 160, 212}});

    SetTableFont(painter);
    DrawCells(painter, {{30, 63, 66, "Регистрационный"},
                        {30, 63, 70, "номер"},
                        {63, 162, 65.5, "Дата проведения измерений"},
                        {63, 96, 70.5, "Число"},
                        {96, 129, 70.5, "Месяц"},
                        {129, 162, 70.5, "Год"},
                        {162, 195, 66, "Основание для"},
                        {162, 195, 70, "измерений"},
                        {30, 195, 98, "Место проведения измерений"},
                        {30, 85, 128, "Тип резервуара"},
                        {85, 140, 128, "Номер резервуара"},
                        {140, 195, 126, "Погрешность определения"},
                        {140, 195, 130, "вместимости резервуара"},
                        {30, 195, 158, "Средства проведения измерений"},
                        {30, 195, 186.5, "Условия проведения измерений"},
                        {30, 75, 195, "Температура воздуха, °С"},
                        {75, 125, 193, "Температура жидкости при"},
                        {75, 125, 197, "объемном методе, °С"},
                        {125, 160, 193, "Скорость ветра,"},
                        {125, 160, 197, "м/с"},
                        {160, 195, 195, "Загазованность"}});
    cell(30, 63, 78, ProtocolTextId::RegNumber);
    cell(63, 96, 78, ProtocolTextId::Chislo);
    cell(96, 129, 78, ProtocolTextId::Month);
    cell(129, 162, 78, ProtocolTextId::Year);
    cell(162, 195, 78, ProtocolTextId::OsnovIzmer);
    cell(30, 195, 108, ProtocolTextId::MestoIzmer);
    cell(30, 85, 138, ProtocolTextId::TypeRez);
    cell(85, 140, 138, ProtocolTextId::NumberRez);
    cell(140, 195, 138, ProtocolTextId::Pogreshn);
    cell(30, 195, 168, ProtocolTextId::SredstvaIzmer);
    cell(30, 75, 205, ProtocolTextId::Temperatura);
    cell(75, 125, 205, ProtocolTextId::TemperaturaGidk);
    cell(125, 160, 205, ProtocolTextId::SkorostVetra);
    cell(160, 195, 205, ProtocolTextId::Zagazovannost);

    DrawCircumferenceSection(painter, tank);
}

} // namespace veloquin
