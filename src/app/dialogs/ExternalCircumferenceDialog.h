#pragma once
// The external circumference of girdle 1: the two tape measurements and the
// correction for going round the vertical weld seams, either from the tank's
// table ("по таблице") or typed in the correction grid ("вручную"). Each
// showing sets the choice from the tank and, for typed corrections, fills the
// grid with exactly the stored list; with the table chosen the grid shows what
// it held at the last OK (a typed list kept aside), never an abandoned attempt.
//
// OK converts every text first: a text that is not a number is reported and
// selected and the dialog stays open, so the tank never holds a correction
// count whose corrections were not read. After OK the opener applies what was
// read (ApplyToTank).

#include <QDialog>
#include <QStringList>

#include <vector>

class QLineEdit;
class QRadioButton;

namespace veloquin {

class TSteelVertCylTank;
class StringGrid;
class TypedInputReader;

class ExternalCircumferenceDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kClientWidthPx = 433;
    static constexpr int kClientHeightPx = 302;
    // The header row "Поправка, мм" and 99 corrections.
    static constexpr int kCorrectionGridRows = 100;

    ExternalCircumferenceDialog(QWidget* parent, const TSteelVertCylTank& tank);

    // What the controls hold, every text converted.
    struct Input
    {
        bool read = false;
        bool tableCorrection = true;
        std::vector<double> corrections;
        double measured1Mm = 0;
        double measured2Mm = 0;
    };
    // Throws ConvertError at the first text that is not a number. The manual
    // list ends at the first empty cell; all 99 when none is empty.
    Input ReadInput(TypedInputReader& in) const;
    // What the last OK read: the corrections, then both measurements, into the tank.
    void ApplyToTank(TSteelVertCylTank& tank) const;

    void FormShow();
    void rbTableCorrClick();
    void rbMeasuredCorrClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    const TSteelVertCylTank& m_tank;
    QLineEdit* m_edMeas1 = nullptr;
    QLineEdit* m_edMeas2 = nullptr;
    QRadioButton* m_rbTableCorr = nullptr;
    QRadioButton* m_rbMeasuredCorr = nullptr;
    StringGrid* m_grid = nullptr;
    Input m_input;
    // The correction column as the last OK left it.
    QStringList m_keptCorrections;
};

} // namespace veloquin
