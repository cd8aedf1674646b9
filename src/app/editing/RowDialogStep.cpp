#include "RowDialogStep.h"

#include "DialogSupport.h"
#include "TankInspectorRows.h"
#include "TankEditing.h"

#include <QDialog>

namespace veloquin {

void RunRowDialog(TankInspectorRows& rows, TankRow row, QDialog& dialog, const std::function<void()>& applyOnOk)
{
    const TankEditing::Session step(rows.Editing(), dialog.windowTitle(), TankInspectorRows::ClampedSetBy(row));
    if (ShowModalCentred(dialog) == QDialog::Accepted && applyOnOk)
        applyOnOk();
}

} // namespace veloquin
