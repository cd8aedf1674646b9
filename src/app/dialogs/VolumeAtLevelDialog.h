#pragma once
// The volume of liquid at a level the user types, with the part of it due to
// the hydrostatic pressure on the wall. The level is shown and typed above the
// tape's touch point; the tank keeps it from the bottom, clamped to the dead
// cavity and the design fill height. A level that is not a number is named
// under the box (Enter, leaving the box) and refused with a message on OK; the
// results stay those of the stored level. The level typed is tried on the
// dialog's own copy of the tank; OK writes it into the tank, Esc leaves the
// level as it was.

#include "TankClasses.h"

#include <QDialog>

class QKeyEvent;
class QLabel;
class QLineEdit;

namespace veloquin {

class VolumeAtLevelDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kClientWidthPx = 433;
    static constexpr int kClientHeightPx = 217;

    VolumeAtLevelDialog(QWidget* parent, const TSteelVertCylTank& tank);

    void FormShow();
    // Applies the typed level to the copy (or restores the stored one) and shows the results.
    void edDepthEnter();
    // The level OK took.
    void ApplyToTank(TSteelVertCylTank& tank) const;
    void edDepthKeyDown(const QKeyEvent& key);
    bool FormKeyDown(QKeyEvent& key);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The stored level as the box shows it: above the touch point.
    double ShownLevel() const;

    const TSteelVertCylTank& m_tank;
    TSteelVertCylTank m_work;
    QLineEdit* m_edDepth = nullptr;
    QLabel* m_lbVolume = nullptr;
    QLabel* m_lbCorrection = nullptr;
    QLabel* m_stNotTaken = nullptr;
};

} // namespace veloquin
