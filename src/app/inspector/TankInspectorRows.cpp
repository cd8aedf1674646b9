#include "TankInspectorRows.h"

#include "Cp1251.h"
#include "GFunc.h"
#include "NumberTexts.h"
#include "RowDialogOpeners.h"
#include "TankClasses.h"
#include "TankInspector.h"
#include "editing/TankEditing.h"

#include <QLineEdit>
#include <QPalette>
#include <QStringList>

namespace veloquin {
namespace {

using Tank = TSteelVertCylTank;

// The mark of a row whose value the program moved, until the user looks at it.
const QString kMovedValueMark = QStringLiteral("moved");

QColor MovedValueMarkColour()
{
    return QColor(255, 236, 160);
}

// "[" + every girdle's value + "]", joined by ", "; decimals < 0 is the general form.
QString GirdleList(const Tank& tank, double (Tank::*value)(int) const, int decimals)
{
    QStringList items;
    for (int girdle = 1; girdle <= tank.GirdleCount(); ++girdle) {
        const double v = (tank.*value)(girdle);
        items.append(decimals < 0 ? GeneralText(v) : FixedText(decimals, v));
    }
    return Bracketed(items.join(QStringLiteral(", ")));
}

int TypedInt(const QString& text)
{
    return StrToInt(text.toStdString());
}

// The tank file holds code page 1251: a name it cannot hold is refused as typed,
// rather than stored with "?" in place of the character.
void SetTypedName(Tank& tank, const std::string& typed)
{
    const std::string lost = FirstCharNotInCp1251(typed);
    if (!lost.empty())
        throw RowTextRefused(Cp1251RefusalMessage(lost));
    tank.SetName(typed);
}

constexpr auto InPlace = RowEditor::InPlace;
constexpr auto Dialog = RowEditor::Dialog;

// clang-format off
const TankRowDescriptor kRows[TankInspectorRows::kRowCount] = {
    {TankRow::Name, "Название", InPlace,
     [](const Tank& t) { return QString::fromStdString(t.Name()); },
     [](Tank& t, const QString& s) { SetTypedName(t, s.toStdString()); }, nullptr},
    {TankRow::DesignCapacity, "Вместимость (проектная), м3", InPlace,
     [](const Tank& t) { return QString::number(t.DesignCapacity()); },
     [](Tank& t, const QString& s) { t.SetDesignCapacity(TypedInt(s)); }, nullptr},
    {TankRow::ExtCircumference, "Длина внешней окружности первого пояса, мм", Dialog,
     [](const Tank& t) { return Bracketed(FixedText(1, t.ExtCircumference())); },
     nullptr, OpenLengthExtCirDlg},
    {TankRow::GirdleCount, "Число поясов", InPlace,
     [](const Tank& t) { return QString::number(t.GirdleCount()); },
     [](Tank& t, const QString& s) { t.SetGirdleCount(TypedInt(s)); }, nullptr},
    {TankRow::SheetThicknesses, "Толщины листов стали по поясам, мм", Dialog,
     [](const Tank& t) { return GirdleList(t, &Tank::SheetThickness, -1); },
     nullptr, OpenThicknessSheetsDlg},
    {TankRow::PaintThickness, "Толщина слоя покраски, мм", InPlace,
     [](const Tank& t) { return GeneralText(t.PaintThickness()); },
     [](Tank& t, const QString& s) { t.SetPaintThickness(TypedFloat(s, t.PaintThickness())); }, nullptr},
    {TankRow::GirdleHeights, "Высоты поясов, мм", Dialog,
     [](const Tank& t) { return GirdleList(t, &Tank::GirdleHeight, -1); },
     nullptr, OpenHeightsGirdlesDlg},
    {TankRow::CalibrationFillHeight, "Высота заполнения резервуара при градуировке, мм", InPlace,
     [](const Tank& t) { return GeneralText(t.CalibrationFillHeight()); },
     [](Tank& t, const QString& s) { t.SetCalibrationFillHeight(TypedFloat(s, t.CalibrationFillHeight())); },
     nullptr},
    {TankRow::CalibrationDensity, "Плотность жидкости при градуировке, кг/м3", InPlace,
     [](const Tank& t) { return GeneralText(t.CalibrationDensity()); },
     [](Tank& t, const QString& s) { t.SetCalibrationDensity(TypedFloat(s, t.CalibrationDensity())); },
     nullptr},
    {TankRow::StoredDensity, "Плотность хранимой жидкости, кг/м3", InPlace,
     [](const Tank& t) { return GeneralText(t.StoredDensity()); },
     [](Tank& t, const QString& s) { t.SetStoredDensity(TypedFloat(s, t.StoredDensity())); }, nullptr},
    {TankRow::GeneratrixCount, "Число образующих", InPlace,
     [](const Tank& t) { return QString::number(t.GeneratrixCount()); },
     [](Tank& t, const QString& s) { t.SetGeneratrixCount(TypedInt(s)); }, nullptr},
    {TankRow::PlumbDistances, "Расстояние от стенки до нити отвеса, мм", Dialog,
     [](const Tank&) { return QStringLiteral("[...]"); },
     nullptr, OpenWall_PlumbDlg},
    {TankRow::IntCircumferences, "Длины внутренних окружностей поясов, мм", Dialog,
     [](const Tank& t) { return GirdleList(t, &Tank::IntCircumference, -1); },
     nullptr, OpenLengthIntCirGirdleDlg},
    {TankRow::InternalDetails, "Внутренние детали, м3", Dialog,
     [](const Tank& t) { return Bracketed(FixedText(3, t.InternalDetailsVolume())); },
     nullptr, OpenIntDetailsDlg},
    {TankRow::BottomCorrection, "Поправка на неровность днища, м3", Dialog,
     [](const Tank& t) { return Bracketed(FixedText(3, t.BottomCorrection())); },
     nullptr, OpenBottomProminenceDlg},
    {TankRow::DeadCavityHeight, "Высота мертвой полости (от днища), мм", InPlace,
     [](const Tank& t) { return GeneralText(t.DeadCavityHeight()); },
     [](Tank& t, const QString& s) { t.SetDeadCavityHeight(TypedFloat(s, t.DeadCavityHeight())); },
     nullptr},
    // Computed: its box is read-only (PlaceRowEditor).
    {TankRow::DeadCavityCapacity, "Вместимость мертвой полости, м3", InPlace,
     [](const Tank& t) { return FixedText(3, t.DeadCavityCapacity()); },
     nullptr, nullptr},
    {TankRow::GirdleCapacities, "Вместимость поясов, м3", Dialog,
     [](const Tank& t) { return GirdleList(t, &Tank::GirdleCapacity, 3); },
     nullptr, OpenCapacityGirdleDlg},
    {TankRow::DesignFillHeight, "Проектная высота заполнения, мм", InPlace,
     [](const Tank& t) { return GeneralText(t.DesignFillHeight()); },
     [](Tank& t, const QString& s) { t.SetDesignFillHeight(TypedFloat(s, t.DesignFillHeight())); },
     nullptr},
    // The editing keeps the level within the dead cavity and the design fill
    // height and the volume there up to date (RefreshDerived).
    {TankRow::VolumeAtLevel, "Объем при заданном уровне заполнения, м3", Dialog,
     [](const Tank& t) {
         return Bracketed(FixedText(3, t.VolumeAtLevel()) + QStringLiteral(" при h = ") +
                          FixedText(1, t.GivenLevel() - t.TouchPointHeight()));
     },
     nullptr, OpenVolumeInfillDlg},
    {TankRow::BaseHeight, "Базовая высота, мм", Dialog,
     [](const Tank& t) { return Bracketed(FixedText(1, t.BaseHeight())); },
     nullptr, OpenBaseHeightDlg},
};
// clang-format on

} // namespace

QWidget* InspectorAsParent(TankInspector& inspector)
{
    return &inspector;
}

TankInspectorRows::TankInspectorRows(const TSteelVertCylTank& tank, TankInspector& inspector, TankEditing& editing)
    : m_tank(tank), m_inspector(inspector), m_editing(editing)
{
    m_changed = QObject::connect(&editing, &TankEditing::tankChanged, &inspector, [this] {
        m_freshChange = true;
        RefreshAfterChange();
    });
    m_replaced = QObject::connect(&editing, &TankEditing::tankReplaced, &inspector, [this] { RefreshAfterLoad(); });
    m_moved = QObject::connect(
        &editing, &TankEditing::valueMoved, &inspector, [this](ClampedValue value, const QString& message) {
            m_inspector.SetRowMark(static_cast<int>(RowOf(value)), kMovedValueMark,
                                   {message, MovedValueMarkColour(), true});
            Say(message);
        });
    m_said = QObject::connect(&editing, &TankEditing::changeSaid, &inspector, [this](const QString& message) {
        Say(message);
    });
}

TankInspectorRows::~TankInspectorRows()
{
    QObject::disconnect(m_changed);
    QObject::disconnect(m_replaced);
    QObject::disconnect(m_moved);
    QObject::disconnect(m_said);
}

void TankInspectorRows::Say(const QString& message)
{
    // Everything one change did is said together.
    const QString said = m_inspector.StatusText();
    m_inspector.ShowChangeMessage(m_freshChange ? message : said + QStringLiteral("; ") + message);
    m_freshChange = false;
}

ClampedValues TankInspectorRows::ClampedSetBy(TankRow row)
{
    switch (row) {
    case TankRow::DesignFillHeight: return Bit(ClampedValue::DesignFillHeight);
    case TankRow::BaseHeight: return Bit(ClampedValue::BaseHeight);
    case TankRow::DeadCavityHeight: return Bit(ClampedValue::DeadCavityHeight);
    case TankRow::VolumeAtLevel: return Bit(ClampedValue::GivenLevel);
    default: return 0;
    }
}

TankRow TankInspectorRows::RowOf(ClampedValue value)
{
    switch (value) {
    case ClampedValue::DesignFillHeight: return TankRow::DesignFillHeight;
    case ClampedValue::BaseHeight: return TankRow::BaseHeight;
    case ClampedValue::DeadCavityHeight: break;
    case ClampedValue::GivenLevel: return TankRow::VolumeAtLevel;
    }
    return TankRow::DeadCavityHeight;
}

const TankRowDescriptor& TankInspectorRows::Describe(TankRow row)
{
    return kRows[static_cast<int>(row) - 1];
}

const TankRowDescriptor* TankInspectorRows::Describe(int row)
{
    if (row < 1 || row > kRowCount)
        return nullptr;
    return &kRows[row - 1];
}

QString TankInspectorRows::Caption(int row)
{
    const TankRowDescriptor* d = Describe(row);
    return d ? QString::fromUtf8(d->caption) : QString();
}

bool TankInspectorRows::IsDialogRow(int row)
{
    const TankRowDescriptor* d = Describe(row);
    return d && d->editor == RowEditor::Dialog;
}

QString TankInspectorRows::ValueText(int row) const
{
    const TankRowDescriptor* d = Describe(row);
    return d ? d->valueText(m_tank) : QString();
}

QString TankInspectorRows::ValueText(TankRow row) const
{
    return Describe(row).valueText(m_tank);
}

void TankInspectorRows::FillInspectorCaptions()
{
    m_inspector.SetRowCount(kRowCount);
    for (int row = 1; row <= kRowCount; ++row)
        m_inspector.SetCell(0, row, Caption(row));
}

void TankInspectorRows::RefreshInspectorValues()
{
    // The rows only show the tank: the editing has brought its derived values up to date.
    for (const TankRowDescriptor& d : kRows)
        m_inspector.SetCell(1, static_cast<int>(d.row), d.valueText(m_tank));
    m_inspector.RepaintColumns();
}

QString TankInspectorRows::RowEditText(int row)
{
    return ValueText(row);
}

QString TankInspectorRows::RowDisplayText(int row)
{
    const TankRowDescriptor* d = Describe(row);
    if (!d)
        return {};
    return d->valueText(m_tank);
}

bool TankInspectorRows::RowTakesTyping(int row)
{
    const TankRowDescriptor* d = Describe(row);
    return d && d->editor == RowEditor::InPlace && d->applyText;
}

void TankInspectorRows::PlaceRowEditor(const QRect& rect)
{
    const int row = m_inspector.SelectedRow();
    if (IsDialogRow(row)) {
        m_inspector.ShowDialogPanel(rect);
        return;
    }
    m_inspector.ShowInPlaceEdit(rect);
    // A computed value (the dead cavity's capacity) takes nothing typed: its
    // box takes no keys and has the window's colour, as a label has.
    const TankRowDescriptor* d = Describe(row);
    const bool computed = d && !d->applyText;
    QLineEdit& box = *m_inspector.InsEdit();
    box.setReadOnly(computed);
    QPalette palette = m_inspector.palette();
    if (computed)
        palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    box.setPalette(palette);
    box.setToolTip(computed ? QStringLiteral("Вычисляется программой, не вводится") : QString());
}

void TankInspectorRows::CommitRowText(const QString& text)
{
    // Dialog rows and the computed dead-cavity capacity take nothing typed.
    const TankRowDescriptor* d = Describe(m_inspector.SelectedRow());
    if (!d || d->editor != RowEditor::InPlace || !d->applyText) {
        RefreshInspectorValues();
        return;
    }
    m_editing.Change(
        QString::fromUtf8(d->caption), [&](TSteelVertCylTank& tank) { d->applyText(tank, text); }, ClampedSetBy(d->row));
    SayIfLimited(*d, text);
}

void TankInspectorRows::SayIfLimited(const TankRowDescriptor& row, const QString& typed)
{
    // A number the tank's limits changed is not taken as typed: the user hears
    // of it, together with what the same change moved elsewhere.
    if (row.row == TankRow::Name)
        return;
    const QString taken = row.valueText(m_tank);
    try {
        if (TextToFloat(typed) == TextToFloat(taken))
            return;
    } catch (const ConvertError&) {
        return;
    }
    const QString said = QString::fromUtf8(row.caption) + QStringLiteral(": введено ") + typed.trimmed() +
                         QStringLiteral(", принято ") + taken;
    m_inspector.ShowChangeMessage(m_freshChange ? said : said + QStringLiteral("; ") + m_inspector.StatusText());
}

void TankInspectorRows::OpenRowDialog()
{
    const TankRowDescriptor* d = Describe(m_inspector.SelectedRow());
    if (d && d->openDialog)
        d->openDialog(*this);
}

void TankInspectorRows::SetPanelTextOf(TankRow row)
{
    m_inspector.SetDialogPanelText(ValueText(row));
}

QDialog* TankInspectorRows::CreatedDialog(TankRow row) const
{
    return m_dialogs[static_cast<std::size_t>(static_cast<int>(row) - 1)].data();
}

void TankInspectorRows::RefreshAfterChange()
{
    RefreshInspectorValues();
    const int row = m_inspector.SelectedRow();
    if (!m_inspector.InPlaceEditPlaced())
        m_inspector.SetDialogPanelText(RowDisplayText(row));
    else if (!m_inspector.InPlaceEditTyping())
        m_inspector.SetInPlaceEditText(RowEditText(row));
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
