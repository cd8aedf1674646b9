#pragma once
// The tank's internal details as a list, with commands to add a cylindrical
// detail, add one of arbitrary shape and delete the selected one. Every change
// goes to the dialog's own copy of the tank, whose list is shown again after
// each; OK writes the list into the tank, Esc leaves the tank as it was.

#include "TankClasses.h"

#include <QDialog>
#include <QIcon>

class QKeyEvent;
class QPushButton;
class QTreeWidget;

namespace veloquin {

class CylinderDetailDialog;
class AnyDetailDialog;

// The list's small pictures: 0 a cylindrical detail, 1 one of arbitrary shape.
QIcon DetailKindIcon(bool isArbitrary);

class InternalDetailsDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kClientWidthPx = 473;
    static constexpr int kClientHeightPx = 372;

    InternalDetailsDialog(QWidget* parent, const TSteelVertCylTank& tank);

    void FormShow();
    // Empties the list and fills it from the copy; the last detail is selected.
    void FillList();
    // The details as the dialog closed with them, when any was added or deleted.
    void ApplyToTank(TSteelVertCylTank& tank) const;
    void bbAddCylClick();
    void bbAddAnyClick();
    void bbDeleteClick();
    bool FormKeyDown(QKeyEvent& key);

    // The add dialogs created so far, or null (for tests and screenshots).
    CylinderDetailDialog* AddCylDialog() const { return m_addCyl; }
    AnyDetailDialog* AddAnyDialog() const { return m_addAny; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    const TSteelVertCylTank& m_tank;
    TSteelVertCylTank m_work;
    bool m_detailsChanged = false;
    QTreeWidget* m_list = nullptr;
    QPushButton* m_bbDelete = nullptr;
    CylinderDetailDialog* m_addCyl = nullptr;
    AnyDetailDialog* m_addAny = nullptr;
};

} // namespace veloquin
