#include "RowDialogStep.h"

#include "DialogSupport.h"
#include "TankEditing.h"
#include "TankInspector.h"
#include "TankInspectorRows.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>

namespace veloquin {
namespace {

// The user goes on where the dialog was opened: in the inspector, on its row.
// Coming back is a window switch, which commits nothing.
void FocusRowEditor(TankInspector& inspector)
{
    if (!inspector.isVisible())
        return;
    inspector.raise();
    inspector.activateWindow();
    QLineEdit* editor = inspector.InPlaceEditPlaced() ? inspector.InsEdit() : inspector.InsPanelEdit();
    editor->setFocus(Qt::ActiveWindowFocusReason);
}

void ReturnToInspector(TankInspector& inspector)
{
    FocusRowEditor(inspector);
    // The window system may hand the activation to the dialog's owner once the
    // dialog is gone: take it back then.
    QTimer::singleShot(0, &inspector, [inspector = QPointer<TankInspector>(&inspector)] {
        if (inspector && QApplication::activeModalWidget() == nullptr && QApplication::activeWindow() != inspector)
            FocusRowEditor(*inspector);
    });
}

} // namespace

void RunRowDialog(TankInspectorRows& rows, TankRow row, QDialog& dialog,
                  const std::function<void(TSteelVertCylTank&)>& applyOnOk)
{
    {
        TankEditing::Session step(rows.Editing(), dialog.windowTitle(), TankInspectorRows::ClampedSetBy(row));
        if (ShowModalCentred(dialog) != QDialog::Accepted)
            step.Abandon();
        else if (applyOnOk)
            applyOnOk(step.Tank());
    }
    ReturnToInspector(rows.Inspector());
}

} // namespace veloquin
