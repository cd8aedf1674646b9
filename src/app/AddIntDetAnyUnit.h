#pragma once
// Input of one internal detail of arbitrary shape: its volume as measured and
// the levels of its lower and upper bound. The boxes keep what was typed last
// time; the details dialog reads them.

#include <QDialog>

class QLineEdit;

namespace veloquin {

class TAddIntDetAnyDlg : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kClientWidthPx = 377;
    static constexpr int kClientHeightPx = 225;

    explicit TAddIntDetAnyDlg(QWidget* parent);

    struct Input
    {
        double volumeM3 = 0;
        double bottomMm = 0;
        double topMm = 0;
    };
    // Volume, bottom, top, in this order; throws ConvertError at the first text
    // that is not a number.
    Input ReadInput() const;

private:
    QLineEdit* m_edVolume = nullptr;
    QLineEdit* m_edBottom = nullptr;
    QLineEdit* m_edTop = nullptr;
};

} // namespace veloquin
