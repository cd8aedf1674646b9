#include "AddIntDetCylUnit.h"

#include "DetailInputForm.h"
#include "NumberTexts.h"

#include <QLineEdit>

namespace veloquin {

TAddIntDetCylDlg::TAddIntDetCylDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AddIntDetCylDlg"));
    const std::vector<QLineEdit*> edits = BuildDetailInputForm(
        *this, QStringLiteral("Внутренняя деталь цилиндрической формы"), QSize(kClientWidthPx, kClientHeightPx),
        {{"edDiameter", "Диаметр внутренней детали, мм"},
         {"edLength", "Длина внутренней детали, мм"},
         {"edBottom", "Низ внутренней детали, мм"},
         {"edTop", "Верх внутренней детали, мм"}});
    m_edDiameter = edits[0];
    m_edLength = edits[1];
    m_edBottom = edits[2];
    m_edTop = edits[3];
}

TAddIntDetCylDlg::Input TAddIntDetCylDlg::ReadInput() const
{
    Input input;
    input.bottomMm = TextToFloat(m_edBottom->text());
    input.topMm = TextToFloat(m_edTop->text());
    input.diameterMm = TextToFloat(m_edDiameter->text());
    input.lengthMm = TextToFloat(m_edLength->text());
    return input;
}

} // namespace veloquin
