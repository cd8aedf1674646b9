#include "TankJson.h"

#include "JsonWriter.h"

#include <cstdlib>
#include <functional>

namespace veloquin::cli {
namespace {

using Tank = TSteelVertCylTank;

void NumberList(JsonWriter& json, const char* key, int count, const std::function<double(int)>& value)
{
    json.Key(key);
    json.BeginArray();
    for (int i = 1; i <= count; ++i)
        json.Number(value(i));
    json.EndArray();
}

void PerGirdle(JsonWriter& json, const Tank& tank, const char* key, double (Tank::*getter)(int) const)
{
    NumberList(json, key, tank.GirdleCount(), [&](int i) { return (tank.*getter)(i); });
}

void Sheet(JsonWriter& json, const SheetSettings& sheet)
{
    json.BeginObject();
    json.Key("FrameStyle");
    json.Integer(sheet.FrameStyle);
    for (SheetField field :
         {SheetField::Org1, SheetField::Org2, SheetField::Date, SheetField::Object, SheetField::Sheet}) {
        json.Key(SheetFieldName(field));
        json.String(SheetText(sheet, field));
    }
    json.Key("TitleLines");
    json.Integer(sheet.TitleLines);
    for (SheetField field : {SheetField::Title, SheetField::Title_2, SheetField::Worker, SheetField::NameWorker}) {
        json.Key(SheetFieldName(field));
        json.String(SheetText(sheet, field));
    }
    json.EndObject();
}

void SheetList(JsonWriter& json, const Tank& tank, const char* key, SheetKind kind)
{
    json.Key(key);
    json.BeginArray();
    for (int p = 1; p <= tank.SheetCount(kind); ++p)
        Sheet(json, tank.Sheet(kind, p));
    json.EndArray();
}

void Scalar(JsonWriter& json, const char* key, double value)
{
    json.Key(key);
    json.Number(value);
}

void Text(JsonWriter& json, const char* key, const std::string& value)
{
    json.Key(key);
    json.String(value);
}

void Integer(JsonWriter& json, const char* key, long long value)
{
    json.Key(key);
    json.Integer(value);
}

void Flag(JsonWriter& json, const char* key, bool value)
{
    json.Key(key);
    json.Bool(value);
}

void Details(JsonWriter& json, const Tank& tank)
{
    json.Key("Details");
    json.BeginArray();
    for (int d = 1; d <= tank.DetailCount(); ++d) {
        const InternalDetail& detail = tank.Detail(d);
        json.BeginObject();
        Scalar(json, "DetailBottom", detail.Bottom);
        Scalar(json, "DetailTop", detail.Top);
        Flag(json, "DetailIsArbitrary", detail.IsArbitrary);
        Scalar(json, "DetailVolume", detail.Volume);
        Scalar(json, "DetailDiameter", detail.Diameter);
        Scalar(json, "DetailLength", detail.Length);
        json.EndObject();
    }
    json.EndArray();
}

void Table(JsonWriter& json, const char* key, int rows, int columns, const std::function<double(int, int)>& value)
{
    json.Key(key);
    json.BeginArray();
    for (int r = 1; r <= rows; ++r) {
        json.BeginArray();
        for (int c = 1; c <= columns; ++c)
            json.Number(value(r, c));
        json.EndArray();
    }
    json.EndArray();
}

} // namespace

std::string TankToJson(const LoadedTank& loaded)
{
    const Tank& tank = loaded.tank;
    JsonWriter json;
    json.BeginObject();
    Text(json, "Name", tank.Name());
    Integer(json, "DesignCapacity", tank.DesignCapacity());
    Flag(json, "Modified", tank.Modified());
    Integer(json, "WeldCorrectionCount", tank.WeldCorrectionCount());
    Scalar(json, "ExtCircumferenceMeasured1", tank.ExtCircumferenceMeasured1());
    Scalar(json, "ExtCircumferenceMeasured2", tank.ExtCircumferenceMeasured2());
    // The list holds as many entries as the count's absolute value, -1 included.
    NumberList(json, "WeldCorrection", static_cast<int>(std::llabs(tank.WeldCorrectionCount())),
               [&](int i) { return tank.WeldCorrection(i); });
    Scalar(json, "ExtCircumference", tank.ExtCircumference());
    Integer(json, "GirdleCount", tank.GirdleCount());
    PerGirdle(json, tank, "SheetThickness", &Tank::SheetThickness);
    Scalar(json, "PaintThickness", tank.PaintThickness());
    PerGirdle(json, tank, "IntCircumference", &Tank::IntCircumference);
    Table(json, "PlumbDistance", tank.PlumbRowCount(), tank.GeneratrixCount(),
          [&](int row, int g) { return tank.PlumbDistance(row, g); });
    PerGirdle(json, tank, "MeanPlumbDistance", &Tank::MeanPlumbDistance);
    PerGirdle(json, tank, "MeanRadialDeviation", &Tank::MeanRadialDeviation);
    PerGirdle(json, tank, "GirdleHeightOuter", &Tank::GirdleHeightOuter);
    PerGirdle(json, tank, "OverlapBottom", &Tank::OverlapBottom);
    PerGirdle(json, tank, "OverlapTop", &Tank::OverlapTop);
    PerGirdle(json, tank, "GirdleHeight", &Tank::GirdleHeight);
    Scalar(json, "CalibrationDensity", tank.CalibrationDensity());
    Scalar(json, "CalibrationFillHeight", tank.CalibrationFillHeight());
    Integer(json, "GeneratrixCount", tank.GeneratrixCount());
    Scalar(json, "DeadCavityHeight", tank.DeadCavityHeight());
    Scalar(json, "DeadCavityCapacity", tank.DeadCavityCapacity());
    Scalar(json, "InternalDetailsVolume", tank.InternalDetailsVolume());
    Scalar(json, "BottomCorrection", tank.BottomCorrection());
    PerGirdle(json, tank, "GirdleCapacity", &Tank::GirdleCapacity);
    Scalar(json, "GivenLevel", tank.GivenLevel());
    Scalar(json, "VolumeAtLevel", tank.VolumeAtLevel());
    Scalar(json, "HydrostaticCorrectionAtLevel", tank.HydrostaticCorrectionAtLevel());
    Scalar(json, "DesignFillHeight", tank.DesignFillHeight());
    Scalar(json, "StoredDensity", tank.StoredDensity());
    Integer(json, "DetailCount", tank.DetailCount());
    Details(json, tank);
    Scalar(json, "BaseHeightMeas1", tank.BaseHeightMeas1());
    Scalar(json, "BaseHeightMeas2", tank.BaseHeightMeas2());
    Scalar(json, "BaseHeight", tank.BaseHeight());
    Table(json, "BottomReadings", Tank::kBottomCircles, Tank::kBottomRadii,
          [&](int circle, int radius) { return tank.BottomReading(circle, radius); });
    Scalar(json, "BottomCenter", tank.BottomCenter());
    Scalar(json, "PointPlumb", tank.PointPlumb());
    Scalar(json, "TouchPointHeight", tank.TouchPointHeight());
    json.Key("OutlineSheet");
    Sheet(json, tank.Sheet(SheetKind::Outline, 1));
    Flag(json, "TopCaptionShown", tank.TopCaptionShown());
    Text(json, "TopCaption", tank.TopCaption());
    Flag(json, "BottomCaptionShown", tank.BottomCaptionShown());
    Text(json, "BottomCaption", tank.BottomCaption());
    SheetList(json, tank, "CalibrationSheets", SheetKind::Calibration);
    Text(json, "PredsCom", tank.PredsCom());
    Text(json, "PredsComLine2", tank.PredsComLine2());
    Text(json, "PredsComLine3", tank.PredsComLine3());
    SheetList(json, tank, "ProtocolSheets", SheetKind::Protocol);
    for (int t = 0; t < kProtocolTextCount; ++t) {
        const auto id = static_cast<ProtocolTextId>(t);
        Text(json, ProtocolTextName(id), tank.ProtocolText(id));
    }
    Integer(json, "TankFileVersion", loaded.version);
    Integer(json, "ProtocolSheetCount", tank.ProtocolSheetCount());
    json.EndObject();
    return json.Text() + "\n";
}

} // namespace veloquin::cli
