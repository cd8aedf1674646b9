#pragma once
// The levelling-rod readings on the bottom: 8 radii (rows) by 8 circles
// (columns, at 0.35 R to 1.00 R), the centre and the tape's touch point, with
// the bottom correction and the touch point's height shown as they would be.
// The controls are a scratch copy: the results are worked out on a copy of the
// tank whenever the user moves on (another cell, Enter, the focus leaving a
// box, a paste); only OK writes the readings into the tank, after every text
// converted. A text that is not a number is named under the grid while typing;
// on OK it is reported and selected, the dialog stays open and nothing is
// written. Esc and closing leave the tank as it was.

#include <QDialog>
#include <QStringList>

#include <optional>
#include <vector>

class QKeyEvent;
class QLabel;
class QLineEdit;
class QPainter;

namespace veloquin {

class TSteelVertCylTank;
class StringGrid;
class TypedInputReader;

class BottomReadingsDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kClientWidthPx = 529;
    static constexpr int kClientHeightPx = 381;
    static constexpr int kColWidthPx = 50;

    BottomReadingsDialog(QWidget* parent, const TSteelVertCylTank& tank);

    // Controls from the tank.
    void LoadBottomReadings();
    // Both results as the controls would make them, on a copy of the tank; a
    // text that is not a number is named instead (the results stay as they were).
    void ApplyBottomReadings();
    // What the last OK read, into the tank.
    void ApplyToTank(TSteelVertCylTank& tank) const;

    void FormCreate();
    void FormShow();
    bool FormKeyDown(QKeyEvent& key);
    void sgBottomProminenceExit();
    void edBottomCenterKeyDown(const QKeyEvent& key);
    void sgBottomProminenceDrawCell(bool focused);
    void sgBottomProminenceMouseMove();
    void sgBottomProminenceKeyDown(QKeyEvent& key);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Readings
    {
        double center = 0;
        double pointPlumb = 0;
        // Circle by circle, radius by radius (c - 1) * 8 + (r - 1).
        std::vector<double> cells;
    };
    // Converts every text; throws ConvertError at the first that is not a number.
    Readings ReadInputs(TypedInputReader& in) const;
    static void WriteInto(TSteelVertCylTank& tank, const Readings& readings);
    // Results again once no cell is being typed in (the editor's text may be no number yet).
    void ApplyWhenSettled();

    const TSteelVertCylTank& m_tank;
    StringGrid* m_grid = nullptr;
    QLineEdit* m_edBottomCenter = nullptr;
    QLineEdit* m_edPointPlumb = nullptr;
    QLabel* m_lbCorrOnBottom = nullptr;
    QLabel* m_lbHeightBottom = nullptr;
    QLabel* m_stNotTaken = nullptr;
    // The texts the results on show were worked out from.
    QStringList m_shownFrom;
    // What the last OK read; unset until then.
    std::optional<Readings> m_input;
};

} // namespace veloquin
