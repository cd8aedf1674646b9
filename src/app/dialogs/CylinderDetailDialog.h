#pragma once
// Input of one cylindrical internal detail: its diameter and length (the tank
// computes its volume from them) and the levels of its lower and upper bound.
// The boxes keep what was typed last time; the details dialog reads them.

#include "DetailInputDialog.h"

class QLineEdit;

namespace veloquin {

class CylinderDetailDialog : public DetailInputDialog
{
    Q_OBJECT

public:
    static constexpr int kClientWidthPx = 377;
    static constexpr int kClientHeightPx = 274;

    explicit CylinderDetailDialog(QWidget* parent);

    struct Input
    {
        double bottomMm = 0;
        double topMm = 0;
        double diameterMm = 0;
        double lengthMm = 0;
    };
    // What the last OK read (every box converted).
    const Input& ReadInput() const { return m_input; }

protected:
    void ReadFields(TypedInputReader& in) override;

private:
    Input m_input;
    QLineEdit* m_edDiameter = nullptr;
    QLineEdit* m_edLength = nullptr;
    QLineEdit* m_edBottom = nullptr;
    QLineEdit* m_edTop = nullptr;
};

} // namespace veloquin
