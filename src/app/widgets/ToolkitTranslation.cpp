#include "ToolkitTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <cstring>

namespace veloquin {
namespace {

// Texts Qt's catalogue leaves English: the file dialog's type of a folder
// moved to a context of its own, which the catalogue does not know yet.
struct MissingText
{
    const char* context;
    const char* source;
    const char* russian;
};
constexpr MissingText kMissingTexts[] = {
    {"QAbstractFileIconProvider", "Folder", "Папка"},
    {"QAbstractFileIconProvider", "Drive", "Диск"},
    {"QAbstractFileIconProvider", "Unknown", "Неизвестный"},
};

class ToolkitTranslator : public QTranslator
{
public:
    QString translate(const char* context, const char* sourceText, const char* disambiguation, int n) const override
    {
        QString text = QTranslator::translate(context, sourceText, disambiguation, n);
        if (!text.isEmpty() || !context || !sourceText)
            return text;
        for (const MissingText& missing : kMissingTexts)
            if (std::strcmp(context, missing.context) == 0 && std::strcmp(sourceText, missing.source) == 0)
                return QString::fromUtf8(missing.russian);
        return text;
    }
};

} // namespace

QString ToolkitTranslationsPath()
{
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

std::unique_ptr<QTranslator> InstallToolkitTranslation()
{
    auto translator = std::make_unique<ToolkitTranslator>();
    if (!translator->load(QStringLiteral("qtbase_ru"), ToolkitTranslationsPath()))
        return nullptr;
    if (!QCoreApplication::installTranslator(translator.get()))
        return nullptr;
    return translator;
}

} // namespace veloquin
