#include "CylinderDetailDialog.h"

#include "entry/TypedInput.h"

#include <QLineEdit>

namespace veloquin {

CylinderDetailDialog::CylinderDetailDialog(QWidget* parent)
    : DetailInputDialog(parent, QStringLiteral("Внутренняя деталь цилиндрической формы"),
                      QSize(kClientWidthPx, kClientHeightPx),
                      {{"edDiameter", "Диаметр внутренней детали, мм"},
                       {"edLength", "Длина внутренней детали, мм"},
                       {"edBottom", "Низ внутренней детали, мм"},
                       {"edTop", "Верх внутренней детали, мм"}})
{
    setObjectName(QStringLiteral("AddIntDetCylDlg"));
    m_edDiameter = Field(0);
    m_edLength = Field(1);
    m_edBottom = Field(2);
    m_edTop = Field(3);
}

void CylinderDetailDialog::ReadFields(TypedInputReader& in)
{
    Input input;
    input.diameterMm = in.Edit(*m_edDiameter);
    input.lengthMm = in.Edit(*m_edLength);
    input.bottomMm = in.Edit(*m_edBottom);
    input.topMm = in.Edit(*m_edTop);
    m_input = input;
}

} // namespace veloquin
