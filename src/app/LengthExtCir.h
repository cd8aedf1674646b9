#pragma once
// The external circumference of girdle 1: the two tape measurements and the
// correction for going round the vertical weld seams, either from the tank's
// table ("по таблице") or typed in the correction grid ("вручную"). Each
// showing sets the choice from the tank and, for typed corrections, fills the
// grid with exactly the stored list; with the table chosen the grid keeps what
// the user left in it.
//
// After OK the opener applies the dialog (ApplyToTank). Every text is converted
// before anything is stored: a text that is not a number changes nothing in the
// tank, so it never holds a correction count whose corrections were not read.

#include <QDialog>

#include <vector>

class QLineEdit;
class QRadioButton;

namespace veloquin {

class TSteelVertCylTank;
class TStringGrid;

class TLengthExtCirDlg : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kClientWidthPx = 433;
    static constexpr int kClientHeightPx = 302;
    // The header row "Поправка, мм" and 99 corrections.
    static constexpr int kCorrectionGridRows = 100;

    TLengthExtCirDlg(QWidget* parent, TSteelVertCylTank& tank);

    // What the controls hold, every text converted.
    struct Input
    {
        bool tableCorrection = true;
        std::vector<double> corrections;
        double measured1Mm = 0;
        double measured2Mm = 0;
    };
    // Throws ConvertError at the first text that is not a number. The manual
    // list ends at the first empty cell; all 99 when none is empty.
    Input ReadInput() const;
    // ReadInput, then the corrections and both measurements into the tank.
    void ApplyToTank();

    void FormShow();
    void rbTableCorrClick();
    void rbMeasuredCorrClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    TSteelVertCylTank& m_tank;
    QLineEdit* m_edMeas1 = nullptr;
    QLineEdit* m_edMeas2 = nullptr;
    QRadioButton* m_rbTableCorr = nullptr;
    QRadioButton* m_rbMeasuredCorr = nullptr;
    TStringGrid* m_grid = nullptr;
};

} // namespace veloquin
