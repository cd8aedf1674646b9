#pragma once
// The two measurements of the base height. OK converts both texts, then writes
// them into the tank; a text that is not a number is reported and selected, the
// dialog stays open and nothing is written. The tank keeps each at least at the
// design fill height and their mean as the base height. The dialog opens on the
// first measurement, its text selected.

#include <QDialog>

class QLineEdit;

namespace veloquin {

class TSteelVertCylTank;

class BaseHeightDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kClientWidthPx = 372;
    static constexpr int kClientHeightPx = 175;

    BaseHeightDialog(QWidget* parent, const TSteelVertCylTank& tank);

    void FormShow();
    // Both measurements OK converted, then their mean.
    void ApplyToTank(TSteelVertCylTank& tank) const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    const TSteelVertCylTank& m_tank;
    QLineEdit* m_edBaseHeight1 = nullptr;
    QLineEdit* m_edBaseHeight2 = nullptr;
    double m_meas1Mm = 0;
    double m_meas2Mm = 0;
};

} // namespace veloquin
