#include "SteelVertCylTankUnit.h"

#include "Cp1251.h"
#include "GFunc.h"
#include "TankInspector.h"
#include "TankClasses.h"

namespace veloquin {
namespace {

const char* const kCaptions[TankInspectorRows::kRowCount] = {
    "Название",
    "Вместимость (проектная), м3",
    "Длина внешней окружности первого пояса, мм",
    "Число поясов",
    "Толщины листов стали по поясам, мм",
    "Толщина слоя покраски, мм",
    "Высоты поясов, мм",
    "Высота заполнения резервуара при градуировке, мм",
    "Плотность жидкости при градуировке, кг/м3",
    "Плотность хранимой жидкости, кг/м3",
    "Число образующих",
    "Расстояние от стенки до нити отвеса, мм",
    "Длины внутренних окружностей поясов, мм",
    "Внутренние детали, м3",
    "Поправка на неровность днища, м3",
    "Высота мертвой полости (от днища), мм",
    "Вместимость мертвой полости, м3",
    "Вместимость поясов, м3",
    "Проектная высота заполнения, мм",
    "Объем при заданном уровне заполнения, м3",
    "Базовая высота, мм",
};

// Decimals of a fixed-decimal text; kGeneral means the general text form.
constexpr int kGeneral = -1;

QString General(double value)
{
    return QString::fromStdString(FloatToStr(value));
}

QString Fixed(int decimals, double value)
{
    return QString::fromStdString(FormatDecimals(static_cast<std::int8_t>(decimals), value));
}

QString Bracketed(const QString& text)
{
    return QLatin1Char('[') + text + QLatin1Char(']');
}

// A typed number that shows exactly as the stored one is the stored one: passing
// the stored value (rather than the text read back with 15 digits) keeps the
// setters' clamps while never nudging a value or raising Modified because the
// user merely moved through the row.
double TypedFloat(const QString& text, double stored)
{
    if (text == General(stored))
        return stored;
    return StrToFloat(text.toStdString());
}

} // namespace

TankInspectorRows::TankInspectorRows(TSteelVertCylTank& tank, TInspectorForm& inspector)
    : m_tank(tank), m_inspector(inspector)
{
}

QString TankInspectorRows::Caption(int row)
{
    if (row < 1 || row > kRowCount)
        return {};
    return QString::fromUtf8(kCaptions[row - 1]);
}

bool TankInspectorRows::IsDialogRow(int row)
{
    switch (row) {
    case 3:
    case 5:
    case 7:
    case 12:
    case 13:
    case 14:
    case 15:
    case 18:
    case 20:
    case 21: return true;
    default: return false;
    }
}

QString TankInspectorRows::GirdleList(double (TSteelVertCylTank::*value)(int) const, int decimals) const
{
    QStringList items;
    for (int girdle = 1; girdle <= m_tank.GirdleCount(); ++girdle) {
        const double v = (m_tank.*value)(girdle);
        items.append(decimals == kGeneral ? General(v) : Fixed(decimals, v));
    }
    return Bracketed(items.join(QStringLiteral(", ")));
}

QString TankInspectorRows::ValueText(int row) const
{
    const TSteelVertCylTank& t = m_tank;
    switch (row) {
    case 1: return QString::fromStdString(t.Name());
    case 2: return QString::number(t.DesignCapacity());
    case 3: return Bracketed(Fixed(1, t.ExtCircumference()));
    case 4: return QString::number(t.GirdleCount());
    case 5: return GirdleList(&TSteelVertCylTank::SheetThickness, kGeneral);
    case 6: return General(t.PaintThickness());
    case 7: return GirdleList(&TSteelVertCylTank::GirdleHeight, kGeneral);
    case 8: return General(t.CalibrationFillHeight());
    case 9: return General(t.CalibrationDensity());
    case 10: return General(t.StoredDensity());
    case 11: return QString::number(t.GeneratrixCount());
    case 12: return QStringLiteral("[...]");
    case 13: return GirdleList(&TSteelVertCylTank::IntCircumference, kGeneral);
    case 14: return Bracketed(Fixed(3, t.InternalDetailsVolume()));
    case 15: return Bracketed(Fixed(3, t.BottomCorrection()));
    case 16: return General(t.DeadCavityHeight());
    case 17: return Fixed(3, t.DeadCavityCapacity());
    case 18: return GirdleList(&TSteelVertCylTank::GirdleCapacity, 3);
    case 19: return General(t.DesignFillHeight());
    case 20:
        return Bracketed(Fixed(3, t.VolumeAtLevel()) + QStringLiteral(" при h = ") +
                         Fixed(1, t.GivenLevel() - t.TouchPointHeight()));
    case 21: return Bracketed(Fixed(1, t.BaseHeight()));
    default: return {};
    }
}

void TankInspectorRows::FillInspectorCaptions()
{
    m_inspector.SetRowCount(kRowCount);
    for (int row = 1; row <= kRowCount; ++row)
        m_inspector.SetCell(0, row, Caption(row));
}

void TankInspectorRows::RefreshInspectorValues()
{
    for (int row = 1; row <= kRowCount; ++row) {
        // Two rows bring the values they depend on up to date first; together
        // they make the full refresh of the tank.
        if (row == 12) {
            for (int girdle = 1; girdle <= m_tank.GirdleCount(); ++girdle)
                m_tank.UpdateMeanPlumbDistance(girdle);
        } else if (row == 20) {
            m_tank.SetGivenLevel(m_tank.GivenLevel());
        }
        m_inspector.SetCell(1, row, ValueText(row));
    }
    m_inspector.RepaintColumns();
}

QString TankInspectorRows::RowEditText(int row)
{
    return ValueText(row);
}

QString TankInspectorRows::RowDisplayText(int row)
{
    if (row == 12) {
        for (int girdle = 1; girdle <= m_tank.GirdleCount(); ++girdle)
            m_tank.UpdateMeanPlumbDistance(girdle);
    }
    return ValueText(row);
}

void TankInspectorRows::PlaceRowEditor(const QRect& rect)
{
    if (IsDialogRow(m_inspector.SelectedRow()))
        m_inspector.ShowDialogPanel(rect);
    else
        m_inspector.ShowInPlaceEdit(rect);
}

void TankInspectorRows::CommitRowText(const QString& text)
{
    TSteelVertCylTank& t = m_tank;
    const std::string typed = text.toStdString();
    switch (m_inspector.SelectedRow()) {
    case 1: {
        const std::string lost = FirstCharNotInCp1251(typed);
        if (!lost.empty())
            throw RowTextRefused(Cp1251RefusalMessage(lost));
        t.SetName(typed);
        break;
    }
    case 2: t.SetDesignCapacity(StrToInt(typed)); break;
    case 4: t.SetGirdleCount(StrToInt(typed)); break;
    case 6: t.SetPaintThickness(TypedFloat(text, t.PaintThickness())); break;
    case 8: t.SetCalibrationFillHeight(TypedFloat(text, t.CalibrationFillHeight())); break;
    case 9: t.SetCalibrationDensity(TypedFloat(text, t.CalibrationDensity())); break;
    case 10: t.SetStoredDensity(TypedFloat(text, t.StoredDensity())); break;
    case 11: t.SetGeneratrixCount(StrToInt(typed)); break;
    case 16: t.SetDeadCavityHeight(TypedFloat(text, t.DeadCavityHeight())); break;
    case 19: t.SetDesignFillHeight(TypedFloat(text, t.DesignFillHeight())); break;
    default:
        // Dialog rows and the computed dead-cavity capacity take nothing typed.
        break;
    }
    RefreshInspectorValues();
}

void TankInspectorRows::OpenRowDialog()
{
    // The measurement dialogs plug in here, one case per dialog row; until they
    // exist the button of a dialog row does nothing.
    switch (m_inspector.SelectedRow()) {
    case 3:  // TLengthExtCirDlg; on OK: corrections, both measurements, panel text
    case 5:  // TThicknessSheetsDlg; on OK: SetSheetThicknesses, panel text
    case 7:  // THeightsGirdlesDlg; afterwards: panel text, full refresh
    case 12: // TWall_PlumbDlg; on OK: every plumb distance
    case 13: // TLengthIntCirGirdleDlg; display only
    case 14: // TIntDetailsDlg; afterwards: panel text, full refresh
    case 15: // TBottomProminenceDlg; afterwards: panel text, full refresh
    case 18: // TCapacityGirdleDlg; display only
    case 20: // TVolumeInfillDlg; afterwards: panel text
    case 21: // TBaseHeightDlg; afterwards: panel text, full refresh
    default: break;
    }
}

void TankInspectorRows::RefreshAfterLoad()
{
    RefreshInspectorValues();
    const int row = m_inspector.SelectedRow();
    if (m_inspector.InPlaceEditPlaced())
        m_inspector.SetInPlaceEditText(RowEditText(row));
    else
        m_inspector.SetDialogPanelText(RowDisplayText(row));
}

} // namespace veloquin
