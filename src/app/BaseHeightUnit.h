#pragma once
// The two measurements of the base height. OK writes them into the tank, the
// first before the second is read: a bad second text leaves the first applied
// (and the base height the mean of the first new and the second old one).
// The tank keeps each at least at the design fill height and their mean as the
// base height.

#include <QDialog>

class QLineEdit;

namespace veloquin {

class TSteelVertCylTank;

class TBaseHeightDlg : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kClientWidthPx = 372;
    static constexpr int kClientHeightPx = 175;

    TBaseHeightDlg(QWidget* parent, TSteelVertCylTank& tank);

    void FormShow();
    // Both measurements, then their mean. Throws ConvertError at the first text
    // that is not a number.
    void btnOkClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    TSteelVertCylTank& m_tank;
    QLineEdit* m_edBaseHeight1 = nullptr;
    QLineEdit* m_edBaseHeight2 = nullptr;
};

} // namespace veloquin
