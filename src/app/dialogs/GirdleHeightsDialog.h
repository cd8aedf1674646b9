#pragma once
// The heights of the girdles: outer height and the signed overlaps at the lower
// and upper edge of each girdle, with the internal height the tank derives from
// them. What is typed or pasted goes into the dialog's own copy of the tank,
// which gives the internal heights as the user types; only OK writes the tank:
// it converts every cell first (a cell that is not a number is reported and
// selected, the dialog stays open and nothing is written). Esc leaves the tank
// as it was. Column 4 is computed; a key pressed there switches editing off.

#include "TankClasses.h"

#include <QDialog>

#include <vector>

class QKeyEvent;

namespace veloquin {

class StringGrid;
class TypedInputReader;
struct GridClipboardActions;

class GirdleHeightsDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kClientWidthPx = 474;
    static constexpr int kClientHeightPx = 335;
    static constexpr int kComputedCol = 4;

    GirdleHeightsDialog(QWidget* parent, const TSteelVertCylTank& tank);
    ~GirdleHeightsDialog() override;

    void FormCreate();
    void FormShow();
    void sgHeightsGirSetEditText(int col, int row, const QString& text);
    void sgHeightsGirKeyPress(QChar& key);
    void sgHeightsGirKeyDown(QKeyEvent& key);
    void sgHeightsGirMouseMove();
    // After a paste: every girdle's three typed columns into the copy, all
    // converted first (a cell that is not a number writes nothing).
    void acPasteExecute();
    bool FormKeyDown(QKeyEvent& key);
    // What OK read, girdle by girdle, with the internal heights derived from it.
    void ApplyToTank(TSteelVertCylTank& tank) const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The overlap as the grid shows it: "+" before a positive value.
    static QString OverlapText(double mm);
    void ShowInnerHeight(int girdle);
    // Every girdle's row as the copy holds it.
    void ShowTankValues();
    struct GirdleInput
    {
        double outerMm, bottomMm, topMm;
    };
    // Converts the three typed columns of every girdle; throws ConvertError at the first that is not a number.
    std::vector<GirdleInput> ReadGrid(TypedInputReader& in);

    const TSteelVertCylTank& m_tank;
    // The tank as typed so far, for the internal heights shown while typing.
    TSteelVertCylTank m_work;
    StringGrid* m_grid = nullptr;
    // What the last OK read; empty until then.
    std::vector<GirdleInput> m_input;
};

} // namespace veloquin
