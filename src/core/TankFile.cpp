#include "TankFile.h"

#include "BinaryIo.h"
#include "ErrorReport.h"
#include "FileIo.h"
#include "GFunc.h"

#include <vector>

namespace veloquin {
namespace {

constexpr std::size_t kDetailBytes = 1 + 5 * 8;
// A girdle has at most a few dozen vertical seams; a list this long costs 8 KB.
constexpr std::int32_t kMaxUnusedWeldCorrections = 1000;
constexpr SheetField kSheetTextsBeforeTitleLines[] = {SheetField::Org1, SheetField::Org2, SheetField::Date,
                                                      SheetField::Object, SheetField::Sheet};
constexpr SheetField kSheetTextsAfterTitleLines[] = {SheetField::Title, SheetField::Title_2, SheetField::Worker,
                                                     SheetField::NameWorker};

SheetSettings ReadSheet(ByteReader& in)
{
    SheetSettings sheet;
    sheet.FrameStyle = in.ReadByte();
    for (SheetField field : kSheetTextsBeforeTitleLines)
        SheetText(sheet, field) = in.ReadString();
    sheet.TitleLines = in.ReadByte();
    for (SheetField field : kSheetTextsAfterTitleLines)
        SheetText(sheet, field) = in.ReadString();
    return sheet;
}

void WriteSheet(ByteWriter& out, const SheetSettings& sheet)
{
    out.WriteByte(sheet.FrameStyle);
    for (SheetField field : kSheetTextsBeforeTitleLines)
        out.WriteString(SheetText(sheet, field));
    out.WriteByte(sheet.TitleLines);
    for (SheetField field : kSheetTextsAfterTitleLines)
        out.WriteString(SheetText(sheet, field));
}

// The stored details, as the tank's add operations take them: an arbitrary
// detail's diameter and length and a cylindrical one's volume are read and left
// for the tank to set.
std::vector<InternalDetail> ReadDetails(ByteReader& in)
{
    const std::int32_t count = in.ReadInt32();
    // A count beyond the file's end marks the file as damaged; only one the file
    // really holds is named.
    in.RequireItems(count, kDetailBytes);
    if (count > kMaxInternalDetails)
        throw TankFileError("Число внутренних деталей в файле — " + FormatDecimals(0, count) +
                            ", допускается не более " + FormatDecimals(0, kMaxInternalDetails) + ".");
    std::vector<InternalDetail> details(count > 0 ? static_cast<std::size_t>(count) : 0);
    for (InternalDetail& d : details) {
        d.IsArbitrary = in.ReadByte() != 0;
        d.Volume = in.ReadFloat64();
        d.Bottom = in.ReadFloat64();
        d.Top = in.ReadFloat64();
        d.Diameter = in.ReadFloat64();
        d.Length = in.ReadFloat64();
    }
    return details;
}

// Hands every value to the tank's setters in file order. Counts that govern later
// fields are taken from the tank after their setters ran, so a stored girdle count
// of 20 reads 12 girdles, as the tank holds them.
void ReadFields(ByteReader& in, TSteelVertCylTank& tank)
{
    tank.SetName(in.ReadString());
    tank.SetDesignCapacity(in.ReadInt32());

    // The tank sizes its correction list by the count's absolute value, even for a
    // negative count (no correction), after which no values follow. A positive count
    // must fit in the rest of the file; a negative one beyond any real tank marks the
    // file as damaged. The bound does not depend on the file's length, so a file
    // written from whatever was read can always be read again.
    const std::int32_t weldCount = in.ReadInt32();
    if (weldCount > 0)
        in.RequireItems(weldCount, 8);
    else if (weldCount < -kMaxUnusedWeldCorrections)
        throw TankFileError("Read beyond end of file");
    tank.SetWeldCorrectionCount(weldCount);
    const double measured1 = in.ReadFloat64();
    tank.SetExtCircumferenceMeasured1(measured1);
    const double measured2 = in.ReadFloat64();
    tank.SetExtCircumferenceMeasured2(measured2);
    for (int i = 1; i <= tank.WeldCorrectionCount(); ++i)
        tank.SetWeldCorrection(i, in.ReadFloat64());
    tank.SetExtCircumferenceMeasurements(measured1, measured2);

    tank.SetGirdleCount(in.ReadInt32());
    const int girdles = tank.GirdleCount();
    for (int i = 1; i <= girdles; ++i)
        tank.SetSheetThickness(i, in.ReadFloat64());
    tank.SetPaintThickness(in.ReadFloat64());

    tank.SetGeneratrixCount(in.ReadInt32());
    for (int row = 1; row <= tank.PlumbRowCount(); ++row)
        for (int g = 1; g <= tank.GeneratrixCount(); ++g)
            tank.SetPlumbDistance(row, g, in.ReadFloat64());

    for (int i = 1; i <= girdles; ++i)
        tank.SetGirdleHeightOuter(i, in.ReadFloat64());
    for (int i = 1; i <= girdles; ++i)
        tank.SetOverlapBottom(i, in.ReadFloat64());
    for (int i = 1; i <= girdles; ++i)
        tank.SetOverlapTop(i, in.ReadFloat64());
    for (int i = 1; i <= girdles; ++i)
        tank.UpdateGirdleHeight(i);

    tank.SetCalibrationDensity(in.ReadFloat64());
    tank.SetStoredDensity(in.ReadFloat64());
    tank.SetCalibrationFillHeight(in.ReadFloat64());
    const double deadCavityHeight = in.ReadFloat64();
    tank.SetDeadCavityHeight(deadCavityHeight);
    tank.SetDesignFillHeight(in.ReadFloat64());
    // Applied once the dead cavity is final (below): clamped against a passing one,
    // the level would change at every save.
    const double givenLevel = in.ReadFloat64();

    for (int i = tank.DetailCount(); i >= 1; --i)
        tank.DeleteDetail(i);
    const std::vector<InternalDetail> details = ReadDetails(in);

    tank.SetBaseHeightMeas1(in.ReadFloat64());
    tank.SetBaseHeightMeas2(in.ReadFloat64());
    tank.UpdateBaseHeight();

    for (int c = 1; c <= TSteelVertCylTank::kBottomCircles; ++c)
        for (int r = 1; r <= TSteelVertCylTank::kBottomRadii; ++r)
            tank.SetBottomReading(c, r, in.ReadFloat64());
    tank.SetBottomCenter(in.ReadFloat64());
    tank.SetPointPlumb(in.ReadFloat64());
    // Every bottom reading re-clamped the dead cavity against a touch point made of
    // half the file's readings (on a levelling staff, about 1400 mm at the wall):
    // clamp the stored height once more, against the file's own touch point.
    tank.SetDeadCavityHeight(deadCavityHeight);
    tank.SetGivenLevel(givenLevel);

    // The details join the tank only now. No clamp depends on them, and every
    // bottom reading above recomputes the capacities that do, once per detail:
    // added earlier, a file of many details would take seconds where it now takes
    // milliseconds, for the same values.
    tank.AddDetails(details);

    tank.SetSheet(SheetKind::Outline, 1, ReadSheet(in));
    tank.SetTopCaptionShown(in.ReadByte() != 0);
    tank.SetTopCaption(in.ReadString());
    tank.SetBottomCaptionShown(in.ReadByte() != 0);
    tank.SetBottomCaption(in.ReadString());
    for (int p = 1; p <= tank.CalibrationSheetCount(); ++p)
        tank.SetSheet(SheetKind::Calibration, p, ReadSheet(in));
    tank.SetPredsCom(in.ReadString());
    tank.SetPredsComLine2(in.ReadString());
    tank.SetPredsComLine3(in.ReadString());
    for (int p = 1; p <= tank.ProtocolSheetCount(); ++p)
        tank.SetSheet(SheetKind::Protocol, p, ReadSheet(in));
    for (int t = 0; t < kProtocolTextCount; ++t)
        tank.SetProtocolText(static_cast<ProtocolTextId>(t), in.ReadString());
}

} // namespace

LoadedTank ReadTank(std::string_view bytes)
{
    // What the setters report on the way (a dead cavity above the design fill
    // height, at every level set) is the tank's state, not news: whoever opens
    // the tank says once what is wrong with its table (CalibrationTableFault).
    const ScopedErrorReporter quiet([](const std::string&, const std::string&) {});
    ByteReader in(bytes);
    LoadedTank loaded;
    loaded.version = in.ReadInt32();
    ReadFields(in, loaded.tank);
    loaded.tank.UpdateAll();
    loaded.tank.SetModified(false);
    return loaded;
}

LoadedTank LoadTankFile(const std::string& path)
{
    return ReadTank(ReadFileBytes(path));
}

std::string WriteTank(const TSteelVertCylTank& tank, std::int32_t version)
{
    ByteWriter out;
    out.Reserve(8192);
    out.WriteInt32(version);
    out.WriteString(tank.Name());
    out.WriteInt32(tank.DesignCapacity());
    out.WriteInt32(tank.WeldCorrectionCount());
    out.WriteFloat64(tank.ExtCircumferenceMeasured1());
    out.WriteFloat64(tank.ExtCircumferenceMeasured2());
    for (int i = 1; i <= tank.WeldCorrectionCount(); ++i)
        out.WriteFloat64(tank.WeldCorrection(i));

    const int girdles = tank.GirdleCount();
    out.WriteInt32(girdles);
    for (int i = 1; i <= girdles; ++i)
        out.WriteFloat64(tank.SheetThickness(i));
    out.WriteFloat64(tank.PaintThickness());
    out.WriteInt32(tank.GeneratrixCount());
    for (int row = 1; row <= tank.PlumbRowCount(); ++row)
        for (int g = 1; g <= tank.GeneratrixCount(); ++g)
            out.WriteFloat64(tank.PlumbDistance(row, g));
    for (int i = 1; i <= girdles; ++i)
        out.WriteFloat64(tank.GirdleHeightOuter(i));
    for (int i = 1; i <= girdles; ++i)
        out.WriteFloat64(tank.OverlapBottom(i));
    for (int i = 1; i <= girdles; ++i)
        out.WriteFloat64(tank.OverlapTop(i));

    out.WriteFloat64(tank.CalibrationDensity());
    out.WriteFloat64(tank.StoredDensity());
    out.WriteFloat64(tank.CalibrationFillHeight());
    out.WriteFloat64(tank.DeadCavityHeight());
    out.WriteFloat64(tank.DesignFillHeight());
    out.WriteFloat64(tank.GivenLevel());

    out.WriteInt32(tank.DetailCount());
    for (int d = 1; d <= tank.DetailCount(); ++d) {
        const InternalDetail& detail = tank.Detail(d);
        out.WriteByte(detail.IsArbitrary ? 1 : 0);
        out.WriteFloat64(detail.Volume);
        out.WriteFloat64(detail.Bottom);
        out.WriteFloat64(detail.Top);
        out.WriteFloat64(detail.Diameter);
        out.WriteFloat64(detail.Length);
    }

    out.WriteFloat64(tank.BaseHeightMeas1());
    out.WriteFloat64(tank.BaseHeightMeas2());
    for (int c = 1; c <= TSteelVertCylTank::kBottomCircles; ++c)
        for (int r = 1; r <= TSteelVertCylTank::kBottomRadii; ++r)
            out.WriteFloat64(tank.BottomReading(c, r));
    out.WriteFloat64(tank.BottomCenter());
    out.WriteFloat64(tank.PointPlumb());

    WriteSheet(out, tank.Sheet(SheetKind::Outline, 1));
    out.WriteByte(tank.TopCaptionShown() ? 1 : 0);
    out.WriteString(tank.TopCaption());
    out.WriteByte(tank.BottomCaptionShown() ? 1 : 0);
    out.WriteString(tank.BottomCaption());
    for (int p = 1; p <= tank.CalibrationSheetCount(); ++p)
        WriteSheet(out, tank.Sheet(SheetKind::Calibration, p));
    out.WriteString(tank.PredsCom());
    out.WriteString(tank.PredsComLine2());
    out.WriteString(tank.PredsComLine3());
    for (int p = 1; p <= tank.ProtocolSheetCount(); ++p)
        WriteSheet(out, tank.Sheet(SheetKind::Protocol, p));
    for (int t = 0; t < kProtocolTextCount; ++t)
        out.WriteString(tank.ProtocolText(static_cast<ProtocolTextId>(t)));
    return out.TakeBytes();
}

void StoreTankFile(const std::string& path, const TSteelVertCylTank& tank, std::int32_t version, FileWriter& writer)
{
    ReplaceFile(path, WriteTank(tank, version), writer);
}

void StoreTankFile(const std::string& path, const TSteelVertCylTank& tank, std::int32_t version)
{
    FileWriter writer;
    StoreTankFile(path, tank, version, writer);
}

} // namespace veloquin
