#include "AddIntDetAnyUnit.h"

#include "DetailInputForm.h"
#include "NumberTexts.h"

#include <QLineEdit>

namespace veloquin {

TAddIntDetAnyDlg::TAddIntDetAnyDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AddIntDetAnyDlg"));
    const std::vector<QLineEdit*> edits = BuildDetailInputForm(
        *this, QStringLiteral("Внутренняя деталь произвольной формы"), QSize(kClientWidthPx, kClientHeightPx),
        {{"edVolume", "Объем внутренней детали, м3"},
         {"edBottom", "Низ внутренней детали, мм"},
         {"edTop", "Верх внутренней детали, мм"}});
    m_edVolume = edits[0];
    m_edBottom = edits[1];
    m_edTop = edits[2];
}

TAddIntDetAnyDlg::Input TAddIntDetAnyDlg::ReadInput() const
{
    Input input;
    input.volumeM3 = TextToFloat(m_edVolume->text());
    input.bottomMm = TextToFloat(m_edBottom->text());
    input.topMm = TextToFloat(m_edTop->text());
    return input;
}

} // namespace veloquin
