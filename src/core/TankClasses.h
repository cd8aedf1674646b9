#pragma once
// The one tank the program works on: every measured input of a vertical steel
// cylindrical tank, the texts of its printed sheets, and every value derived from
// them by the geometric method (circumferences, capacities, the volume at a level).
//
// Lists are 1-based, as the metrologist counts them: girdle 1 is the lowest one.
// Inputs change only through the setters; each setter raises Modified when the
// requested value differs from the stored one (before clamping), clamps, stores and
// recomputes the derived values along a fixed chain. The chain deliberately leaves
// some values stale (other girdles' capacities after a height change, the volume
// at the level after most changes); UpdateAll() brings everything up to date.
//
// A bad index never throws: the message goes to the installed error reporter
// (ErrorReport.h) with the tank's Name as caption, and the access returns 0 or
// changes nothing.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace veloquin {

// Frame style and title-block texts of one printed sheet.
struct SheetSettings
{
    std::uint8_t FrameStyle = 0; // 0 no frame, 1 simple frame, 2 company frame
    std::string Org1, Org2, Date, Object, Sheet;
    std::uint8_t TitleLines = 0; // 1 or 2 title lines, 0 while never chosen
    std::string Title, Title_2, Worker, NameWorker;

    bool operator==(const SheetSettings& other) const;
    bool operator!=(const SheetSettings& other) const { return !(*this == other); }
};

// The text slots of a SheetSettings record, in stored order.
enum class SheetField
{
    Org1,
    Org2,
    Date,
    Object,
    Sheet,
    Title,
    Title_2,
    Worker,
    NameWorker
};
constexpr int kSheetFieldCount = 9;
std::string& SheetText(SheetSettings& sheet, SheetField field);
const std::string& SheetText(const SheetSettings& sheet, SheetField field);
const char* SheetFieldName(SheetField field);

// Which sheet list a sheet belongs to; the outline has exactly one sheet.
enum class SheetKind
{
    Outline,
    Calibration,
    Protocol
};

// The 25 texts of the measurement protocol and its title page, in stored order.
enum class ProtocolTextId
{
    RegNumber,
    OsnovIzmer,
    Chislo,
    Month,
    Year,
    MestoIzmer,
    TypeRez,
    NumberRez,
    Pogreshn,
    SredstvaIzmer,
    Temperatura,
    TemperaturaGidk,
    SkorostVetra,
    Zagazovannost,
    Dolgnost_1,
    Dolgnost_2,
    Dolgnost_3,
    Dolgnost_4,
    Familia_1,
    Familia_2,
    Familia_3,
    Familia_4,
    Add_1,
    Add_2,
    Add_3
};
constexpr int kProtocolTextCount = 25;
const char* ProtocolTextName(ProtocolTextId id);

// One body inside the tank; its volume counts as spread evenly over Bottom..Top.
struct InternalDetail
{
    bool IsArbitrary = false; // true: given volume; false: cylinder of Diameter x Length
    double Volume = 0;        // m3
    double Bottom = 0;        // mm above the bottom at the wall
    double Top = 0;           // mm
    double Diameter = 0;      // mm, 0 for an arbitrary detail
    double Length = 0;        // mm, 0 for an arbitrary detail
};

// Messages of bad indexes, shown with the tank's Name (sheets: kSheetCaption) as caption.
namespace TankMessages {
extern const char* const GirdleIndex;
extern const char* const PlumbRow;
extern const char* const PlumbColumn;
extern const char* const WeldCorrectionIndex;
extern const char* const DetailIndex;
extern const char* const SheetIndex;
extern const char* const BottomReadingIndex;
extern const char* const DeadCavityAboveLevel;
extern const char* const SheetCaption;
} // namespace TankMessages

// Base of every tank kind: its name, design capacity and the modified flag.
class TTank
{
public:
    virtual ~TTank() = default;

    const std::string& Name() const { return m_name; }
    void SetName(const std::string& name);

    std::int32_t DesignCapacity() const { return m_designCapacity; }

    // Raised by the setters; cleared only from outside (start-up, save, open).
    bool Modified() const { return m_modified; }
    void SetModified(bool modified) { m_modified = modified; }

protected:
    TTank() = default;

    // Every setter passes its request through here before clamping.
    template <class T> void NoteRequest(const T& stored, const T& requested)
    {
        if (!(stored == requested))
            m_modified = true;
    }
    // The one way a setter stores a value as asked: raise Modified if it differs.
    template <class T> void Assign(T& slot, const T& value)
    {
        NoteRequest(slot, value);
        slot = value;
    }
    void RaiseModified() { m_modified = true; }
    void Report(const char* message) const;

    std::int32_t m_designCapacity = 0;

private:
    std::string m_name;
    bool m_modified = false;
};

// A vertical steel cylindrical tank calibrated by the geometric method.
class TSteelVertCylTank : public TTank
{
public:
    static constexpr int kMinGirdles = 3;
    static constexpr int kMaxGirdles = 12;
    static constexpr int kMinGeneratrices = 3;
    static constexpr int kMaxGeneratrices = 36;
    static constexpr int kMinDesignCapacity = 100;
    static constexpr int kMaxDesignCapacity = 50000;
    static constexpr int kBottomCircles = 8;
    static constexpr int kBottomRadii = 8;

    // A new tank with its defaults; it leaves construction with Modified set.
    TSteelVertCylTank();

    using BottomGrid = std::array<std::array<double, kBottomRadii>, kBottomCircles>;
    using PlumbGrid = std::vector<std::vector<double>>;

    // Brings every derived value up to date with the inputs.
    void UpdateAll();

    // --- Design capacity and external circumference of girdle 1 ---
    void SetDesignCapacity(std::int32_t capacityM3);
    std::int32_t WeldCorrectionCount() const { return m_weldCorrectionCount; }
    void SetWeldCorrectionCount(std::int32_t count);
    double WeldCorrection(int i) const;
    void SetWeldCorrection(int i, double correctionMm);
    double ExtCircumferenceMeasured1() const { return m_extMeasured1; }
    double ExtCircumferenceMeasured2() const { return m_extMeasured2; }
    void SetExtCircumferenceMeasured1(double mm);
    void SetExtCircumferenceMeasured2(double mm);
    void SetExtCircumferenceMeasurements(double measured1Mm, double measured2Mm);
    double ExtCircumference() const { return m_extCircumference; }
    void UpdateExtCircumference();

    // --- Girdles ---
    int GirdleCount() const { return m_girdleCount; }
    void SetGirdleCount(int count);
    double SheetThickness(int girdle) const;
    void SetSheetThickness(int girdle, double mm);
    void SetSheetThicknesses(const std::vector<double>& thicknessesMm);
    double PaintThickness() const { return m_paintThickness; }
    void SetPaintThickness(double mm);
    double GirdleHeightOuter(int girdle) const;
    void SetGirdleHeightOuter(int girdle, double mm);
    double OverlapBottom(int girdle) const;
    void SetOverlapBottom(int girdle, double mm);
    double OverlapTop(int girdle) const;
    void SetOverlapTop(int girdle, double mm);
    double GirdleHeight(int girdle) const;
    void UpdateGirdleHeight(int girdle);
    double IntCircumference(int girdle) const;
    void UpdateIntCircumference(int girdle);
    double GirdleCapacity(int girdle) const;
    void UpdateGirdleCapacity(int girdle);

    // --- Conditions during the measurement ---
    double CalibrationDensity() const { return m_calibrationDensity; }
    void SetCalibrationDensity(double kgPerM3);
    double CalibrationFillHeight() const { return m_calibrationFillHeight; }
    void SetCalibrationFillHeight(double mm);

    // --- Plumb-line distances: rows 1..3*GirdleCount-3, columns 1..GeneratrixCount ---
    int GeneratrixCount() const { return m_generatrixCount; }
    void SetGeneratrixCount(int count);
    int PlumbRowCount() const { return 3 * m_girdleCount - 3; }
    double PlumbDistance(int row, int generatrix) const;
    void SetPlumbDistance(int row, int generatrix, double mm);
    int GirdleOfPlumbRow(int row) const;
    double MeanPlumbDistance(int girdle) const;
    void UpdateMeanPlumbDistance(int girdle);
    double MeanRadialDeviation(int girdle) const;
    void UpdateRadialDeviation(int girdle);
    // Every cell at once (rows of the current size; a row or cell beyond it is
    // ignored), then every girdle's mean: what the setters cell by cell give,
    // without recomputing the tank after each cell.
    PlumbGrid PlumbDistances() const { return m_plumbDistance; }
    void SetPlumbDistances(const PlumbGrid& grid);

    // --- Bottom ---
    double BottomReading(int circle, int radius) const;
    void SetBottomReading(int circle, int radius, double mm);
    double BottomCenter() const { return m_bottomCenter; }
    void SetBottomCenter(double mm);
    double PointPlumb() const { return m_pointPlumb; }
    void SetPointPlumb(double mm);
    double BottomCorrection() const { return m_bottomCorrection; }
    void UpdateBottomCorrection();
    double TouchPointHeight() const { return m_touchPointHeight; }
    void UpdateTouchPointHeight();
    // Every staff reading at once, then the bottom correction and the touch point.
    const BottomGrid& BottomReadings() const { return m_bottomReadings; }
    void SetBottomReadings(const BottomGrid& readings, double centerMm, double pointPlumbMm);

    // The stored internal circumferences are rounded to 0.1 mm, as the method
    // prescribes. A sensitivity taken as a difference through that staircase
    // means nothing, so the uncertainty's estimate lifts the rounding and adds,
    // per girdle, an error that stands for the rounding's own (empty: none).
    // Neither stored in the file nor a change of the tank; UpdateAll() applies it.
    void LiftCircumferenceRounding(std::vector<double> addedMm);
    void RestoreCircumferenceRounding();
    bool CircumferenceRoundingLifted() const { return m_roundingLifted; }

    // --- Dead cavity ---
    double DeadCavityHeight() const { return m_deadCavityHeight; }
    void SetDeadCavityHeight(double mm);
    double DeadCavityCapacity() const { return m_deadCavityCapacity; }
    void UpdateDeadCavityCapacity();

    // --- Internal details: 1..DetailCount ---
    int DetailCount() const { return static_cast<int>(m_details.size()); }
    const InternalDetail& Detail(int i) const;
    bool DetailIsArbitrary(int i) const;
    double DetailVolume(int i) const;
    double DetailBottom(int i) const;
    double DetailTop(int i) const;
    double DetailDiameter(int i) const;
    double DetailLength(int i) const;
    void SetDetailIsArbitrary(int i, bool isArbitrary);
    void SetDetailVolume(int i, double m3);
    void SetDetailBottom(int i, double mm);
    void SetDetailTop(int i, double mm);
    void SetDetailDiameter(int i, double mm);
    void SetDetailLength(int i, double mm);
    void AddArbitraryDetail(double volumeM3, double bottomMm, double topMm);
    void AddCylindricalDetail(double bottomMm, double topMm, double diameterMm, double lengthMm);
    // The same as adding each detail in turn with AddArbitraryDetail (Volume,
    // Bottom, Top) or AddCylindricalDetail (Bottom, Top, Diameter, Length), by its
    // IsArbitrary, in linear rather than quadratic time.
    void AddDetails(const std::vector<InternalDetail>& details);
    // Every detail replaced by these, as if deleted and added with AddDetails.
    void ReplaceDetails(const std::vector<InternalDetail>& details);
    void DeleteDetail(int i);
    double InternalDetailsVolume() const { return m_internalDetailsVolume; }
    void UpdateInternalDetailsVolume();
    double DetailsVolumeInBand(double lowerMm, double upperMm) const;

    // --- Volume at a level, design fill height, base height ---
    double GivenLevel() const { return m_givenLevel; }
    void SetGivenLevel(double levelMm); // never raises Modified
    double VolumeAtLevel() const { return m_volumeAtLevel; }
    double HydrostaticCorrectionAtLevel() const { return m_hydrostaticCorrectionAtLevel; }
    void UpdateVolumeAtLevel();
    // What SetGivenLevel would store for levelMm.
    double ClampedLevel(double levelMm) const;
    // The volume at a level, computed without storing or reporting anything (a
    // page being painted must not open a message box). deadCavityAbove: the dead
    // cavity reaches above the level, the volume is then 0 and the hydrostatic
    // term not computed.
    struct LevelVolume
    {
        double volumeM3 = 0;
        double hydrostaticM3 = 0;
        bool deadCavityAbove = false;
    };
    LevelVolume VolumeAt(double levelMm) const;
    int GirdleAtLevel(double levelMm) const;
    double StoredDensity() const { return m_storedDensity; }
    void SetStoredDensity(double kgPerM3);
    double DesignFillHeight() const { return m_designFillHeight; }
    void SetDesignFillHeight(double mm);
    double BaseHeightMeas1() const { return m_baseHeightMeas1; }
    double BaseHeightMeas2() const { return m_baseHeightMeas2; }
    void SetBaseHeightMeas1(double mm);
    void SetBaseHeightMeas2(double mm);
    double BaseHeight() const { return m_baseHeight; }
    void UpdateBaseHeight();

    // --- Printed sheets ---
    int CalibrationSheetCount() const { return static_cast<int>(m_calibrationSheets.size()); }
    int ProtocolSheetCount() const { return static_cast<int>(m_protocolSheets.size()); }
    static int ProtocolSheetCountFor(int generatrixCount);
    int SheetCount(SheetKind kind) const;
    // page is ignored for the outline. A bad page: message, a record with FrameStyle 10.
    SheetSettings Sheet(SheetKind kind, int page) const;
    std::uint8_t SheetFrameStyle(SheetKind kind, int page) const;
    std::uint8_t SheetTitleLines(SheetKind kind, int page) const;
    std::string SheetTextOf(SheetKind kind, int page, SheetField field) const;
    void SetSheetFrameStyle(SheetKind kind, int page, std::uint8_t style);
    void SetSheetTitleLines(SheetKind kind, int page, std::uint8_t lines);
    void SetSheetText(SheetKind kind, int page, SheetField field, const std::string& text);
    void SetSheet(SheetKind kind, int page, const SheetSettings& sheet);

    bool TopCaptionShown() const { return m_topCaptionShown; }
    void SetTopCaptionShown(bool shown);
    const std::string& TopCaption() const { return m_topCaption; }
    void SetTopCaption(const std::string& text);
    bool BottomCaptionShown() const { return m_bottomCaptionShown; }
    void SetBottomCaptionShown(bool shown);
    const std::string& BottomCaption() const { return m_bottomCaption; }
    void SetBottomCaption(const std::string& text);
    const std::string& PredsCom() const { return m_predsCom; }
    void SetPredsCom(const std::string& text);
    const std::string& PredsComLine2() const { return m_predsComLine2; }
    void SetPredsComLine2(const std::string& text);
    const std::string& PredsComLine3() const { return m_predsComLine3; }
    void SetPredsComLine3(const std::string& text);
    const std::string& ProtocolText(ProtocolTextId id) const;
    void SetProtocolText(ProtocolTextId id, const std::string& text);

private:
    void ResizeTankArrays();
    bool CheckGirdle(int girdle) const;
    bool CheckDetail(int i) const;
    // The sheet a (kind, page) names, or null after reporting a bad page.
    SheetSettings* SheetAt(SheetKind kind, int page);
    const SheetSettings* SheetAt(SheetKind kind, int page) const;
    void UpdateAllIntCircumferences();
    void UpdateAllGirdleCapacities();
    double WeldCorrectionFromTable() const;
    template <class T> void SetListValue(std::vector<T>& list, int girdle, const T& value);

    std::int32_t m_weldCorrectionCount = 0;
    double m_extMeasured1 = 0;
    double m_extMeasured2 = 0;
    std::vector<double> m_weldCorrection;
    double m_extCircumference = 0;

    int m_girdleCount = 0;
    std::vector<double> m_sheetThickness;
    double m_paintThickness = 0;
    std::vector<double> m_intCircumference;
    std::vector<std::vector<double>> m_plumbDistance;
    std::vector<double> m_meanPlumbDistance;
    std::vector<double> m_meanRadialDeviation;
    std::vector<double> m_girdleHeightOuter;
    std::vector<double> m_overlapBottom;
    std::vector<double> m_overlapTop;
    std::vector<double> m_girdleHeight;
    double m_calibrationDensity = 0;
    double m_calibrationFillHeight = 0;
    int m_generatrixCount = 0;

    double m_deadCavityHeight = 0;
    double m_deadCavityCapacity = 0;
    double m_internalDetailsVolume = 0;
    double m_bottomCorrection = 0;
    std::vector<double> m_girdleCapacity;
    double m_givenLevel = 0;
    double m_volumeAtLevel = 0;
    double m_hydrostaticCorrectionAtLevel = 0;
    double m_designFillHeight = 0;
    double m_storedDensity = 0;
    std::vector<InternalDetail> m_details;
    double m_baseHeightMeas1 = 0;
    double m_baseHeightMeas2 = 0;
    double m_baseHeight = 0;
    BottomGrid m_bottomReadings = {};
    double m_bottomCenter = 0;
    double m_pointPlumb = 0;
    double m_touchPointHeight = 0;
    bool m_roundingLifted = false;
    std::vector<double> m_roundingAddedMm;

    SheetSettings m_outlineSheet;
    bool m_topCaptionShown = false;
    std::string m_topCaption;
    bool m_bottomCaptionShown = false;
    std::string m_bottomCaption;
    std::vector<SheetSettings> m_calibrationSheets;
    std::string m_predsCom, m_predsComLine2, m_predsComLine3;
    std::vector<SheetSettings> m_protocolSheets;
    std::string m_protocolTexts[kProtocolTextCount];
};

} // namespace veloquin
