#pragma once
// The four printer calibration values: shifts and scale corrections in mm. The
// dialog only shows texts; the main window converts them after OK.

#include <QDialog>

class QLineEdit;

namespace veloquin {

class PrinterCalibrationDialog : public QDialog
{
    Q_OBJECT

public:
    explicit PrinterCalibrationDialog(QWidget* parent);

    // Shows the values in the general text form.
    void ShowValues(double dXCalibrMm, double dYCalibrMm, double dXScalMm, double dYScalMm);

    QLineEdit* edX() const { return m_edX; }
    QLineEdit* edY() const { return m_edY; }
    QLineEdit* edScalX() const { return m_edScalX; }
    QLineEdit* edScalY() const { return m_edScalY; }

private:
    QLineEdit* m_edX = nullptr;
    QLineEdit* m_edY = nullptr;
    QLineEdit* m_edScalX = nullptr;
    QLineEdit* m_edScalY = nullptr;
};

} // namespace veloquin
