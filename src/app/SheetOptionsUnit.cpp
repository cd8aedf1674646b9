#include "SheetOptionsUnit.h"

#include "AppFont.h"

namespace veloquin {

TSheetOptionsDlg::TSheetOptionsDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Параметры страницы"));
    setFont(UiFont());
}

} // namespace veloquin
