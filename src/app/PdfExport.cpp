#include "PdfExport.h"

#include "AppContext.h"

#include <QDir>
#include <QFileInfo>

namespace veloquin {

QString SuggestedPdfName(const AppContext& context)
{
    const QFileInfo tank(context.currentFileName);
    QString base = tank.completeBaseName();
    if (base.isEmpty())
        base = QStringLiteral("Veloquin");
    const QString name = base + QStringLiteral(".pdf");
    return tank.path() == QStringLiteral(".") ? name : tank.dir().filePath(name);
}

} // namespace veloquin
