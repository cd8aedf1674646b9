#include "AnyDetailDialog.h"

#include "entry/TypedInput.h"

#include <QLineEdit>

namespace veloquin {

AnyDetailDialog::AnyDetailDialog(QWidget* parent)
    : DetailInputDialog(parent, QStringLiteral("Внутренняя деталь произвольной формы"),
                      QSize(kClientWidthPx, kClientHeightPx),
                      {{"edVolume", "Объем внутренней детали, м3"},
                       {"edBottom", "Низ внутренней детали, мм"},
                       {"edTop", "Верх внутренней детали, мм"}})
{
    setObjectName(QStringLiteral("AddIntDetAnyDlg"));
    m_edVolume = Field(0);
    m_edBottom = Field(1);
    m_edTop = Field(2);
}

void AnyDetailDialog::ReadFields(TypedInputReader& in)
{
    Input input;
    input.volumeM3 = in.Edit(*m_edVolume);
    input.bottomMm = in.Edit(*m_edBottom);
    input.topMm = in.Edit(*m_edTop);
    m_input = input;
}

} // namespace veloquin
