#include "export/TableExportActions.h"

#include "AppContext.h"
#include "FieldChecks.h"
#include "compare/TableComparisonWindow.h"
#include "export/TableExportDialog.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>

namespace veloquin {

void AddTableExportCommands(QMainWindow& window, QMenu& menu, AppContext& context)
{
    auto* exportTable = new QAction(QStringLiteral("&Экспорт таблицы…"), &window);
    exportTable->setObjectName(QStringLiteral("acExportTable"));
    QObject::connect(exportTable, &QAction::triggered, &window, [&window, &context] {
        if (!ConfirmOutputDespiteErrors(&window))
            return;
        TableExportDialog dialog(&window, context);
        dialog.Run();
    });
    auto* compare = new QAction(QStringLiteral("С&равнить с…"), &window);
    compare->setObjectName(QStringLiteral("acCompareTable"));
    QObject::connect(compare, &QAction::triggered, &window, [&window, &context] { CompareWithPrevious(&window, context); });
    menu.addAction(exportTable);
    menu.addAction(compare);
}

} // namespace veloquin
