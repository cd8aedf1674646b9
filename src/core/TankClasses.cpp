#include "TankClasses.h"

#include "ErrorReport.h"

#include <algorithm>
#include <cstdlib>

namespace veloquin {

namespace TankMessages {
const char* const GirdleIndex = "Номер пояса за пределами диапазона!";
const char* const PlumbRow = "Номер точки за пределами диапазона!";
const char* const PlumbColumn = "Номер образующей за пределами диапазона!";
const char* const WeldCorrectionIndex = "Номер поправки за пределами диапазона!";
const char* const DetailIndex = "Номер внутренней детали за пределами диапазона!";
const char* const SheetIndex = "Номер страницы за пределами допустимого диапазона!";
const char* const BottomReadingIndex =
    "Индекс точки, отсчета по рейке на днище резервуара, за пределами допустимого диапазона!";
const char* const DeadCavityAboveLevel = "Уровень мертвой полости выше высоты заполнения резервуара!";
const char* const SheetCaption = "Градуировочная таблица";
} // namespace TankMessages

// ---------------------------------------------------------------------------
// Sheet records and text slots

bool SheetSettings::operator==(const SheetSettings& o) const
{
    return FrameStyle == o.FrameStyle && Org1 == o.Org1 && Org2 == o.Org2 && Date == o.Date && Object == o.Object &&
           Sheet == o.Sheet && TitleLines == o.TitleLines && Title == o.Title && Title_2 == o.Title_2 &&
           Worker == o.Worker && NameWorker == o.NameWorker;
}

std::string& SheetText(SheetSettings& sheet, SheetField field)
{
    switch (field) {
    case SheetField::Org1: return sheet.Org1;
    case SheetField::Org2: return sheet.Org2;
    case SheetField::Date: return sheet.Date;
    case SheetField::Object: return sheet.Object;
    case SheetField::Sheet: return sheet.Sheet;
    case SheetField::Title: return sheet.Title;
    case SheetField::Title_2: return sheet.Title_2;
    case SheetField::Worker: return sheet.Worker;
    case SheetField::NameWorker: break;
    }
    return sheet.NameWorker;
}

const std::string& SheetText(const SheetSettings& sheet, SheetField field)
{
    return SheetText(const_cast<SheetSettings&>(sheet), field);
}

const char* SheetFieldName(SheetField field)
{
    static const char* const names[kSheetFieldCount] = {"Org1",  "Org2",    "Date",   "Object",    "Sheet",
                                                        "Title", "Title_2", "Worker", "NameWorker"};
    return names[static_cast<int>(field)];
}

const char* ProtocolTextName(ProtocolTextId id)
{
    static const char* const names[kProtocolTextCount] = {
        "RegNumber",   "OsnovIzmer",      "Chislo",       "Month",         "Year",
        "MestoIzmer",  "TypeRez",         "NumberRez",    "Pogreshn",      "SredstvaIzmer",
        "Temperatura", "TemperaturaGidk", "SkorostVetra", "Zagazovannost", "Dolgnost_1",
        "Dolgnost_2",  "Dolgnost_3",      "Dolgnost_4",   "Familia_1",     "Familia_2",
        "Familia_3",   "Familia_4",       "Add_1",        "Add_2",         "Add_3"};
    return names[static_cast<int>(id)];
}

// ---------------------------------------------------------------------------
// TTank

void TTank::SetName(const std::string& name)
{
    Assign(m_name, name);
}

void TTank::Report(const char* message) const
{
    ReportError(m_name, message);
}

// ---------------------------------------------------------------------------
// Construction and list sizes

TSteelVertCylTank::TSteelVertCylTank()
{
    // The defaults are the outcome of this exact sequence through the setters, so
    // that clamps and derived values are those of any tank typed in by hand.
    SetModified(false);
    SetName("Резервуар1");

    SetGirdleCount(8);
    SetGeneratrixCount(12);
    ResizeTankArrays();

    for (int i = 1; i <= m_girdleCount; ++i)
        SetSheetThickness(i, 6);

    SetDesignCapacity(200);
    SetWeldCorrectionCount(-1);
    SetPaintThickness(1);
    SetCalibrationDensity(1000);
    SetCalibrationFillHeight(2000);

    for (int i = 1; i <= m_girdleCount; ++i) {
        SetGirdleHeightOuter(i, 800);
        SetOverlapBottom(i, 0);
        SetOverlapTop(i, 0);
        UpdateGirdleHeight(i);
    }

    SetExtCircumferenceMeasurements(20000, 20000);
    SetDeadCavityHeight(200);
    SetGivenLevel(500);
    SetDesignFillHeight(6000);
    SetStoredDensity(960);
}

int TSteelVertCylTank::ProtocolSheetCountFor(int generatrixCount)
{
    // Trunc(count / 12.1) + 6, in integers: 6 up to 12 generatrices, 7 up to 24, 8 beyond.
    return (generatrixCount * 10) / 121 + 6;
}

void TSteelVertCylTank::ResizeTankArrays()
{
    const auto n = static_cast<std::size_t>(m_girdleCount);
    const auto girdlesBefore = static_cast<int>(m_girdleHeightOuter.size());
    for (auto* list : {&m_sheetThickness, &m_intCircumference, &m_meanPlumbDistance, &m_meanRadialDeviation,
                       &m_girdleHeightOuter, &m_overlapBottom, &m_overlapTop, &m_girdleHeight})
        list->resize(n, 0.0);

    m_plumbDistance.resize(static_cast<std::size_t>(PlumbRowCount()));
    for (auto& row : m_plumbDistance)
        row.resize(static_cast<std::size_t>(m_generatrixCount), 0.0);

    m_girdleCapacity.resize(n, 0.0);

    // Thicknesses are divisors and heights must be positive for the geometry. A
    // girdle added on top is most likely built as the one below it: it starts
    // with that girdle's height and thickness (1 mm where there is none).
    for (int i = 1; i <= m_girdleCount; ++i) {
        const auto k = static_cast<std::size_t>(i - 1);
        const bool added = i > girdlesBefore && i > 1;
        if (m_sheetThickness[k] == 0)
            m_sheetThickness[k] = added && m_sheetThickness[k - 1] > 0 ? m_sheetThickness[k - 1] : 1;
        if (m_girdleHeightOuter[k] == 0) {
            m_girdleHeightOuter[k] = added && m_girdleHeightOuter[k - 1] > 0 ? m_girdleHeightOuter[k - 1] : 1;
            UpdateGirdleHeight(i);
        }
    }

    m_calibrationSheets.resize(n);
    m_protocolSheets.resize(static_cast<std::size_t>(ProtocolSheetCountFor(m_generatrixCount)));
}

bool TSteelVertCylTank::CheckGirdle(int girdle) const
{
    if (girdle >= 1 && girdle <= m_girdleCount)
        return true;
    Report(TankMessages::GirdleIndex);
    return false;
}

bool TSteelVertCylTank::CheckDetail(int i) const
{
    if (i >= 1 && i <= DetailCount())
        return true;
    Report(TankMessages::DetailIndex);
    return false;
}

template <class T> void TSteelVertCylTank::SetListValue(std::vector<T>& list, int girdle, const T& value)
{
    if (!CheckGirdle(girdle))
        return;
    Assign(list[static_cast<std::size_t>(girdle - 1)], value);
}

void TSteelVertCylTank::UpdateAll()
{
    for (int i = 1; i <= m_girdleCount; ++i)
        UpdateMeanPlumbDistance(i);
    SetGivenLevel(m_givenLevel);
}

// ---------------------------------------------------------------------------
// Scalar and per-girdle setters

void TSteelVertCylTank::SetDesignCapacity(std::int32_t capacityM3)
{
    NoteRequest(m_designCapacity, capacityM3);
    m_designCapacity = std::clamp(capacityM3, kMinDesignCapacity, kMaxDesignCapacity);
    UpdateExtCircumference();
}

void TSteelVertCylTank::SetWeldCorrectionCount(std::int32_t count)
{
    Assign(m_weldCorrectionCount, count);
    // The list keeps its entries when the count flips to -1 (table) and back.
    const long long size = std::llabs(static_cast<long long>(count));
    m_weldCorrection.resize(static_cast<std::size_t>(size), 0.0);
    UpdateExtCircumference();
}

double TSteelVertCylTank::WeldCorrection(int i) const
{
    if (i >= 1 && i <= static_cast<int>(m_weldCorrection.size()))
        return m_weldCorrection[static_cast<std::size_t>(i - 1)];
    Report(TankMessages::WeldCorrectionIndex);
    return 0;
}

void TSteelVertCylTank::SetWeldCorrection(int i, double correctionMm)
{
    if (i < 1 || i > static_cast<int>(m_weldCorrection.size())) {
        Report(TankMessages::WeldCorrectionIndex);
        return;
    }
    Assign(m_weldCorrection[static_cast<std::size_t>(i - 1)], correctionMm);
}

void TSteelVertCylTank::SetExtCircumferenceMeasured1(double mm)
{
    Assign(m_extMeasured1, mm);
}

void TSteelVertCylTank::SetExtCircumferenceMeasured2(double mm)
{
    Assign(m_extMeasured2, mm);
}

void TSteelVertCylTank::SetExtCircumferenceMeasurements(double measured1Mm, double measured2Mm)
{
    SetExtCircumferenceMeasured1(measured1Mm);
    SetExtCircumferenceMeasured2(measured2Mm);
    UpdateExtCircumference();
}

void TSteelVertCylTank::SetGirdleCount(int count)
{
    NoteRequest(m_girdleCount, count);
    m_girdleCount = std::clamp(count, kMinGirdles, kMaxGirdles);
    ResizeTankArrays();
    SetDesignFillHeight(m_designFillHeight);
}

void TSteelVertCylTank::SetGeneratrixCount(int count)
{
    NoteRequest(m_generatrixCount, count);
    m_generatrixCount = std::clamp(count, kMinGeneratrices, kMaxGeneratrices);
    ResizeTankArrays();
}

double TSteelVertCylTank::SheetThickness(int girdle) const
{
    return CheckGirdle(girdle) ? m_sheetThickness[static_cast<std::size_t>(girdle - 1)] : 0;
}

void TSteelVertCylTank::SetSheetThickness(int girdle, double mm)
{
    SetListValue(m_sheetThickness, girdle, mm);
}

void TSteelVertCylTank::SetSheetThicknesses(const std::vector<double>& thicknessesMm)
{
    for (std::size_t k = 0; k < thicknessesMm.size(); ++k)
        SetSheetThickness(static_cast<int>(k) + 1, thicknessesMm[k]);
    UpdateAllIntCircumferences();
}

void TSteelVertCylTank::SetPaintThickness(double mm)
{
    Assign(m_paintThickness, mm);
    UpdateAllIntCircumferences();
}

double TSteelVertCylTank::GirdleHeightOuter(int girdle) const
{
    return CheckGirdle(girdle) ? m_girdleHeightOuter[static_cast<std::size_t>(girdle - 1)] : 0;
}

void TSteelVertCylTank::SetGirdleHeightOuter(int girdle, double mm)
{
    SetListValue(m_girdleHeightOuter, girdle, mm);
}

double TSteelVertCylTank::OverlapBottom(int girdle) const
{
    return CheckGirdle(girdle) ? m_overlapBottom[static_cast<std::size_t>(girdle - 1)] : 0;
}

void TSteelVertCylTank::SetOverlapBottom(int girdle, double mm)
{
    SetListValue(m_overlapBottom, girdle, mm);
}

double TSteelVertCylTank::OverlapTop(int girdle) const
{
    return CheckGirdle(girdle) ? m_overlapTop[static_cast<std::size_t>(girdle - 1)] : 0;
}

void TSteelVertCylTank::SetOverlapTop(int girdle, double mm)
{
    SetListValue(m_overlapTop, girdle, mm);
}

double TSteelVertCylTank::GirdleHeight(int girdle) const
{
    return CheckGirdle(girdle) ? m_girdleHeight[static_cast<std::size_t>(girdle - 1)] : 0;
}

void TSteelVertCylTank::UpdateGirdleHeight(int girdle)
{
    if (!CheckGirdle(girdle))
        return;
    const auto k = static_cast<std::size_t>(girdle - 1);
    m_girdleHeight[k] = m_girdleHeightOuter[k] + m_overlapBottom[k] + m_overlapTop[k];
    UpdateAllIntCircumferences();
    UpdateGirdleCapacity(girdle);
    SetDesignFillHeight(m_designFillHeight);
}

double TSteelVertCylTank::IntCircumference(int girdle) const
{
    return CheckGirdle(girdle) ? m_intCircumference[static_cast<std::size_t>(girdle - 1)] : 0;
}

double TSteelVertCylTank::GirdleCapacity(int girdle) const
{
    return CheckGirdle(girdle) ? m_girdleCapacity[static_cast<std::size_t>(girdle - 1)] : 0;
}

void TSteelVertCylTank::SetCalibrationDensity(double kgPerM3)
{
    Assign(m_calibrationDensity, kgPerM3);
    UpdateAllIntCircumferences();
}

void TSteelVertCylTank::SetCalibrationFillHeight(double mm)
{
    Assign(m_calibrationFillHeight, mm);
    UpdateAllIntCircumferences();
}

// ---------------------------------------------------------------------------
// Plumb-line table

double TSteelVertCylTank::PlumbDistance(int row, int generatrix) const
{
    if (row < 1 || row > PlumbRowCount()) {
        Report(TankMessages::PlumbRow);
        return 0;
    }
    if (generatrix < 1 || generatrix > m_generatrixCount) {
        Report(TankMessages::PlumbColumn);
        return 0;
    }
    return m_plumbDistance[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(generatrix - 1)];
}

void TSteelVertCylTank::SetPlumbDistance(int row, int generatrix, double mm)
{
    if (row < 1 || row > PlumbRowCount()) {
        Report(TankMessages::PlumbRow);
        return;
    }
    if (generatrix < 1 || generatrix > m_generatrixCount) {
        Report(TankMessages::PlumbColumn);
        return;
    }
    double& cell = m_plumbDistance[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(generatrix - 1)];
    Assign(cell, mm);
    UpdateMeanPlumbDistance(GirdleOfPlumbRow(row));
}

void TSteelVertCylTank::SetPlumbDistances(const PlumbGrid& grid)
{
    const std::size_t rows = std::min(grid.size(), m_plumbDistance.size());
    for (std::size_t r = 0; r < rows; ++r) {
        std::vector<double>& row = m_plumbDistance[r];
        const std::size_t cells = std::min(grid[r].size(), row.size());
        for (std::size_t c = 0; c < cells; ++c)
            Assign(row[c], grid[r][c]);
    }
    // Girdle 1 first: its mean is every other girdle's reference.
    for (int i = 1; i <= m_girdleCount; ++i)
        UpdateMeanPlumbDistance(i);
}

void TSteelVertCylTank::LiftCircumferenceRounding(std::vector<double> addedMm)
{
    m_roundingLifted = true;
    m_roundingAddedMm = std::move(addedMm);
}

void TSteelVertCylTank::RestoreCircumferenceRounding()
{
    m_roundingLifted = false;
    m_roundingAddedMm.clear();
}

int TSteelVertCylTank::GirdleOfPlumbRow(int row) const
{
    // Girdle 1 has one row (at three quarters of its height), the top girdle two
    // (bottom, middle), every other girdle three (bottom, middle, top).
    const int n = m_girdleCount;
    if (row == 1)
        return 1;
    if (row == 3 * n - 4 || row == 3 * n - 3)
        return n;
    return (row + 4) / 3;
}

double TSteelVertCylTank::MeanPlumbDistance(int girdle) const
{
    return CheckGirdle(girdle) ? m_meanPlumbDistance[static_cast<std::size_t>(girdle - 1)] : 0;
}

double TSteelVertCylTank::MeanRadialDeviation(int girdle) const
{
    return CheckGirdle(girdle) ? m_meanRadialDeviation[static_cast<std::size_t>(girdle - 1)] : 0;
}

// ---------------------------------------------------------------------------
// Bottom readings

double TSteelVertCylTank::BottomReading(int circle, int radius) const
{
    if (circle < 1 || circle > kBottomCircles || radius < 1 || radius > kBottomRadii) {
        Report(TankMessages::BottomReadingIndex);
        return 0;
    }
    return m_bottomReadings[circle - 1][radius - 1];
}

void TSteelVertCylTank::SetBottomReading(int circle, int radius, double mm)
{
    if (circle < 1 || circle > kBottomCircles || radius < 1 || radius > kBottomRadii) {
        Report(TankMessages::BottomReadingIndex);
        return;
    }
    Assign(m_bottomReadings[circle - 1][radius - 1], mm);
    UpdateBottomCorrection();
    UpdateTouchPointHeight();
}

void TSteelVertCylTank::SetBottomReadings(const BottomGrid& readings, double centerMm, double pointPlumbMm)
{
    for (int c = 0; c < kBottomCircles; ++c)
        for (int r = 0; r < kBottomRadii; ++r)
            Assign(m_bottomReadings[c][r], readings[c][r]);
    Assign(m_bottomCenter, centerMm);
    Assign(m_pointPlumb, pointPlumbMm);
    UpdateBottomCorrection();
    UpdateTouchPointHeight();
}

void TSteelVertCylTank::SetBottomCenter(double mm)
{
    Assign(m_bottomCenter, mm);
    UpdateBottomCorrection();
}

void TSteelVertCylTank::SetPointPlumb(double mm)
{
    Assign(m_pointPlumb, mm);
    UpdateTouchPointHeight();
}

void TSteelVertCylTank::UpdateTouchPointHeight()
{
    m_touchPointHeight = m_bottomReadings[kBottomCircles - 1][0] - m_pointPlumb;
    SetDeadCavityHeight(m_deadCavityHeight);
}

// ---------------------------------------------------------------------------
// Internal details: access and list maintenance

const InternalDetail& TSteelVertCylTank::Detail(int i) const
{
    static const InternalDetail none;
    return CheckDetail(i) ? m_details[static_cast<std::size_t>(i - 1)] : none;
}

bool TSteelVertCylTank::DetailIsArbitrary(int i) const
{
    return Detail(i).IsArbitrary;
}
double TSteelVertCylTank::DetailVolume(int i) const
{
    return Detail(i).Volume;
}
double TSteelVertCylTank::DetailBottom(int i) const
{
    return Detail(i).Bottom;
}
double TSteelVertCylTank::DetailTop(int i) const
{
    return Detail(i).Top;
}
double TSteelVertCylTank::DetailDiameter(int i) const
{
    return Detail(i).Diameter;
}
double TSteelVertCylTank::DetailLength(int i) const
{
    return Detail(i).Length;
}

void TSteelVertCylTank::SetDetailIsArbitrary(int i, bool isArbitrary)
{
    if (CheckDetail(i))
        Assign(m_details[static_cast<std::size_t>(i - 1)].IsArbitrary, isArbitrary);
}

void TSteelVertCylTank::SetDetailVolume(int i, double m3)
{
    if (CheckDetail(i))
        Assign(m_details[static_cast<std::size_t>(i - 1)].Volume, m3);
}

void TSteelVertCylTank::SetDetailBottom(int i, double mm)
{
    if (CheckDetail(i))
        Assign(m_details[static_cast<std::size_t>(i - 1)].Bottom, mm);
}

void TSteelVertCylTank::SetDetailTop(int i, double mm)
{
    if (CheckDetail(i))
        Assign(m_details[static_cast<std::size_t>(i - 1)].Top, mm);
}

void TSteelVertCylTank::SetDetailDiameter(int i, double mm)
{
    if (CheckDetail(i))
        Assign(m_details[static_cast<std::size_t>(i - 1)].Diameter, mm);
}

void TSteelVertCylTank::SetDetailLength(int i, double mm)
{
    if (CheckDetail(i))
        Assign(m_details[static_cast<std::size_t>(i - 1)].Length, mm);
}

void TSteelVertCylTank::DeleteDetail(int i)
{
    RaiseModified();
    if (!CheckDetail(i))
        return;
    m_details.erase(m_details.begin() + (i - 1));
    UpdateInternalDetailsVolume();
}

// ---------------------------------------------------------------------------
// Stored density, base height

void TSteelVertCylTank::SetStoredDensity(double kgPerM3)
{
    Assign(m_storedDensity, kgPerM3);
}

void TSteelVertCylTank::SetBaseHeightMeas1(double mm)
{
    NoteRequest(m_baseHeightMeas1, mm);
    m_baseHeightMeas1 = mm > m_designFillHeight ? mm : m_designFillHeight;
}

void TSteelVertCylTank::SetBaseHeightMeas2(double mm)
{
    NoteRequest(m_baseHeightMeas2, mm);
    m_baseHeightMeas2 = mm > m_designFillHeight ? mm : m_designFillHeight;
}

void TSteelVertCylTank::UpdateBaseHeight()
{
    SetBaseHeightMeas1(m_baseHeightMeas1);
    SetBaseHeightMeas2(m_baseHeightMeas2);
    m_baseHeight = (m_baseHeightMeas1 + m_baseHeightMeas2) / 2;
}

// ---------------------------------------------------------------------------
// Printed sheets and texts

int TSteelVertCylTank::SheetCount(SheetKind kind) const
{
    switch (kind) {
    case SheetKind::Outline: return 1;
    case SheetKind::Calibration: return CalibrationSheetCount();
    case SheetKind::Protocol: break;
    }
    return ProtocolSheetCount();
}

const SheetSettings* TSteelVertCylTank::SheetAt(SheetKind kind, int page) const
{
    if (kind == SheetKind::Outline)
        return &m_outlineSheet;
    const auto& list = kind == SheetKind::Calibration ? m_calibrationSheets : m_protocolSheets;
    if (page >= 1 && page <= static_cast<int>(list.size()))
        return &list[static_cast<std::size_t>(page - 1)];
    ReportError(TankMessages::SheetCaption, TankMessages::SheetIndex);
    return nullptr;
}

SheetSettings* TSteelVertCylTank::SheetAt(SheetKind kind, int page)
{
    return const_cast<SheetSettings*>(static_cast<const TSteelVertCylTank*>(this)->SheetAt(kind, page));
}

SheetSettings TSteelVertCylTank::Sheet(SheetKind kind, int page) const
{
    if (const SheetSettings* sheet = SheetAt(kind, page))
        return *sheet;
    SheetSettings bad;
    bad.FrameStyle = 10;
    return bad;
}

std::uint8_t TSteelVertCylTank::SheetFrameStyle(SheetKind kind, int page) const
{
    const SheetSettings* sheet = SheetAt(kind, page);
    return sheet ? sheet->FrameStyle : 10;
}

std::uint8_t TSteelVertCylTank::SheetTitleLines(SheetKind kind, int page) const
{
    const SheetSettings* sheet = SheetAt(kind, page);
    return sheet ? sheet->TitleLines : 0;
}

std::string TSteelVertCylTank::SheetTextOf(SheetKind kind, int page, SheetField field) const
{
    const SheetSettings* sheet = SheetAt(kind, page);
    return sheet ? SheetText(*sheet, field) : std::string();
}

void TSteelVertCylTank::SetSheetFrameStyle(SheetKind kind, int page, std::uint8_t style)
{
    if (SheetSettings* sheet = SheetAt(kind, page)) {
        Assign(sheet->FrameStyle, style);
    }
}

void TSteelVertCylTank::SetSheetTitleLines(SheetKind kind, int page, std::uint8_t lines)
{
    if (SheetSettings* sheet = SheetAt(kind, page)) {
        Assign(sheet->TitleLines, lines);
    }
}

void TSteelVertCylTank::SetSheetText(SheetKind kind, int page, SheetField field, const std::string& text)
{
    if (SheetSettings* sheet = SheetAt(kind, page)) {
        std::string& slot = SheetText(*sheet, field);
        Assign(slot, text);
    }
}

void TSteelVertCylTank::SetSheet(SheetKind kind, int page, const SheetSettings& value)
{
    if (SheetSettings* sheet = SheetAt(kind, page)) {
        Assign(*sheet, value);
    }
}

void TSteelVertCylTank::SetTopCaptionShown(bool shown)
{
    Assign(m_topCaptionShown, shown);
}

void TSteelVertCylTank::SetTopCaption(const std::string& text)
{
    Assign(m_topCaption, text);
}

void TSteelVertCylTank::SetBottomCaptionShown(bool shown)
{
    Assign(m_bottomCaptionShown, shown);
}

void TSteelVertCylTank::SetBottomCaption(const std::string& text)
{
    Assign(m_bottomCaption, text);
}

void TSteelVertCylTank::SetPredsCom(const std::string& text)
{
    Assign(m_predsCom, text);
}

void TSteelVertCylTank::SetPredsComLine2(const std::string& text)
{
    Assign(m_predsComLine2, text);
}

void TSteelVertCylTank::SetPredsComLine3(const std::string& text)
{
    Assign(m_predsComLine3, text);
}

const std::string& TSteelVertCylTank::ProtocolText(ProtocolTextId id) const
{
    return m_protocolTexts[static_cast<int>(id)];
}

void TSteelVertCylTank::SetProtocolText(ProtocolTextId id, const std::string& text)
{
    std::string& slot = m_protocolTexts[static_cast<int>(id)];
    Assign(slot, text);
}

} // namespace veloquin
