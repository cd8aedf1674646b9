#include "ToolkitTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace veloquin {

QString ToolkitTranslationsPath()
{
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

std::unique_ptr<QTranslator> InstallToolkitTranslation()
{
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral("qtbase_ru"), ToolkitTranslationsPath()))
        return nullptr;
    if (!QCoreApplication::installTranslator(translator.get()))
        return nullptr;
    return translator;
}

} // namespace veloquin
