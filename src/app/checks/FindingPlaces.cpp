#include "FindingPlaces.h"

#include "StringGrid.h"

#include <QLineEdit>
#include <QTreeWidget>

namespace veloquin {
namespace {

struct PlaceDescriptor
{
    CheckedField field;
    TankRow row;
    FindingControl control;
    const char* editName;
    // Grid cell (col, row) of a finding's index; the grids have a caption column
    // and row unless said otherwise.
    void (*cell)(const FindingIndex& index, int& col, int& row);
};

void PlumbCell(const FindingIndex& i, int& col, int& row)
{
    col = i.second;
    row = i.first;
}
// The seam of girdles n-1 and n: the bottom row of girdle n, where its readings begin.
void SeamCell(const FindingIndex& i, int& col, int& row)
{
    col = 1;
    row = i.first <= 1 ? 1 : 3 * i.first - 4;
}
void BottomCell(const FindingIndex& i, int& col, int& row) // circles across, radii down
{
    col = i.first;
    row = i.second;
}
void ThicknessCell(const FindingIndex& i, int& col, int& row) // no caption row
{
    col = 1;
    row = i.first - 1;
}
template <int Column> void GirdleCell(const FindingIndex& i, int& col, int& row)
{
    col = Column;
    row = i.first;
}
void CorrectionCell(const FindingIndex& i, int& col, int& row) // no caption column
{
    col = 0;
    row = i.first;
}
void ItemOf(const FindingIndex& i, int& col, int& row)
{
    col = 0;
    row = i.first - 1;
}

constexpr PlaceDescriptor kPlaces[] = {
    {CheckedField::DesignCapacity, TankRow::DesignCapacity, FindingControl::InPlace, nullptr, nullptr},
    {CheckedField::ExtCircumferenceMeasured1, TankRow::ExtCircumference, FindingControl::Edit, "edMeas1", nullptr},
    {CheckedField::ExtCircumferenceMeasured2, TankRow::ExtCircumference, FindingControl::Edit, "edMeas2", nullptr},
    {CheckedField::WeldCorrection, TankRow::ExtCircumference, FindingControl::Grid, nullptr, CorrectionCell},
    {CheckedField::SheetThickness, TankRow::SheetThicknesses, FindingControl::Grid, nullptr, ThicknessCell},
    {CheckedField::PaintThickness, TankRow::PaintThickness, FindingControl::InPlace, nullptr, nullptr},
    {CheckedField::PlumbDistance, TankRow::PlumbDistances, FindingControl::Grid, nullptr, PlumbCell},
    {CheckedField::GirdleHeightOuter, TankRow::GirdleHeights, FindingControl::Grid, nullptr, GirdleCell<1>},
    {CheckedField::OverlapBottom, TankRow::GirdleHeights, FindingControl::Grid, nullptr, GirdleCell<2>},
    {CheckedField::OverlapTop, TankRow::GirdleHeights, FindingControl::Grid, nullptr, GirdleCell<3>},
    {CheckedField::GirdleCapacity, TankRow::PlumbDistances, FindingControl::Grid, nullptr, SeamCell},
    {CheckedField::CalibrationDensity, TankRow::CalibrationDensity, FindingControl::InPlace, nullptr, nullptr},
    {CheckedField::CalibrationFillHeight, TankRow::CalibrationFillHeight, FindingControl::InPlace, nullptr, nullptr},
    {CheckedField::VolumeAtLevel, TankRow::InternalDetails, FindingControl::Dialog, nullptr, nullptr},
    {CheckedField::StoredDensity, TankRow::StoredDensity, FindingControl::InPlace, nullptr, nullptr},
    {CheckedField::DetailBottom, TankRow::InternalDetails, FindingControl::List, nullptr, ItemOf},
    {CheckedField::DetailTop, TankRow::InternalDetails, FindingControl::List, nullptr, ItemOf},
    {CheckedField::DetailVolume, TankRow::InternalDetails, FindingControl::List, nullptr, ItemOf},
    {CheckedField::DetailDiameter, TankRow::InternalDetails, FindingControl::List, nullptr, ItemOf},
    {CheckedField::DetailLength, TankRow::InternalDetails, FindingControl::List, nullptr, ItemOf},
    {CheckedField::BaseHeightMeas1, TankRow::BaseHeight, FindingControl::Edit, "edBaseHeight_1", nullptr},
    {CheckedField::BaseHeightMeas2, TankRow::BaseHeight, FindingControl::Edit, "edBaseHeight_2", nullptr},
    {CheckedField::BottomReadings, TankRow::BottomCorrection, FindingControl::Grid, nullptr, BottomCell},
    {CheckedField::BottomCenter, TankRow::BottomCorrection, FindingControl::Edit, "edBottomCenter", nullptr},
    {CheckedField::PointPlumb, TankRow::BottomCorrection, FindingControl::Edit, "edPointPlumb", nullptr},
};

} // namespace

FindingPlace PlaceOf(const Finding& finding)
{
    for (const PlaceDescriptor& d : kPlaces)
        if (d.field == finding.field) {
            FindingPlace place{d.row, d.control, d.editName, 0, 0};
            if (d.cell)
                d.cell(finding.index, place.col, place.gridRow);
            return place;
        }
    return FindingPlace{TankRow::Name, FindingControl::Dialog, nullptr, 0, 0};
}

bool FocusFindingIn(QWidget& dialog, const Finding& finding)
{
    const FindingPlace place = PlaceOf(finding);
    switch (place.control) {
    case FindingControl::Grid: {
        auto* grid = dialog.findChild<StringGrid*>();
        if (!grid || place.col >= grid->ColCount() || place.gridRow >= grid->RowCount())
            return false;
        grid->setFocus();
        grid->FocusCell(place.col, place.gridRow);
        return true;
    }
    case FindingControl::Edit: {
        auto* edit = dialog.findChild<QLineEdit*>(QLatin1String(place.editName));
        if (!edit)
            return false;
        edit->setFocus();
        edit->selectAll();
        return true;
    }
    case FindingControl::List: {
        auto* list = dialog.findChild<QTreeWidget*>();
        if (!list || place.gridRow >= list->topLevelItemCount())
            return false;
        list->setFocus();
        list->setCurrentItem(list->topLevelItem(place.gridRow));
        return true;
    }
    case FindingControl::InPlace:
    case FindingControl::Dialog: break;
    }
    return false;
}

} // namespace veloquin
