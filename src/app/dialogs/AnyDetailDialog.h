#pragma once
// Input of one internal detail of arbitrary shape: its volume as measured and
// the levels of its lower and upper bound. The boxes keep what was typed last
// successful time (DetailInputDialog.h); the details dialog takes what OK read.

#include "DetailInputDialog.h"

class QLineEdit;

namespace veloquin {

class AnyDetailDialog : public DetailInputDialog
{
    Q_OBJECT

public:
    static constexpr int kClientWidthPx = 377;
    static constexpr int kClientHeightPx = 225;

    explicit AnyDetailDialog(QWidget* parent);

    struct Input
    {
        double volumeM3 = 0;
        double bottomMm = 0;
        double topMm = 0;
    };
    // What the last OK read (every box converted).
    const Input& ReadInput() const { return m_input; }

protected:
    void ReadFields(TypedInputReader& in) override;

private:
    Input m_input;
    QLineEdit* m_edVolume = nullptr;
    QLineEdit* m_edBottom = nullptr;
    QLineEdit* m_edTop = nullptr;
};

} // namespace veloquin
