#include "FileNames.h"

#include "AppContext.h"

#include <QFileInfo>

namespace veloquin {
namespace {

// Enough for any tank name a protocol carries, well inside the 255 bytes of a
// file name even in Cyrillic UTF-8 (two bytes a letter).
constexpr int kMaxProposedNameChars = 100;

bool ForbiddenInFileName(QChar c)
{
    return c.unicode() < 0x20 || c.unicode() == 0x7f || QStringLiteral("/\\:*?\"<>|").contains(c);
}

} // namespace

QString WindowTitleFor(const QString& filePath, bool modified, const QString& caption)
{
    QString title = QFileInfo(filePath).fileName();
    if (modified)
        title += QLatin1Char('*');
    return title + QStringLiteral(" — ") + caption;
}

QString FileNameSafeText(const QString& text)
{
    QString name = text.left(kMaxProposedNameChars);
    for (QChar& c : name)
        if (ForbiddenInFileName(c))
            c = QLatin1Char('_');
    // Windows drops trailing dots and blanks, and a leading dot hides a file here.
    while (!name.isEmpty() && (name.back() == QLatin1Char('.') || name.back().isSpace()))
        name.chop(1);
    while (!name.isEmpty() && (name.front() == QLatin1Char('.') || name.front().isSpace()))
        name.remove(0, 1);
    return name;
}

QString ProposedSaveName(const QString& currentFileName, const QString& tankName)
{
    if (currentFileName != AppContext::NewFileName())
        return currentFileName;
    const QString name = FileNameSafeText(tankName);
    if (name.isEmpty())
        return currentFileName;
    return name + QStringLiteral(".vlq");
}

QString StartupTankFile(const QStringList& arguments)
{
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument.isEmpty() || argument.startsWith(QLatin1Char('-')))
            continue;
        return QFileInfo(argument).absoluteFilePath();
    }
    return QString();
}

bool HasTankFileSuffix(const QString& path)
{
    return QFileInfo(path).suffix().compare(QLatin1String("vlq"), Qt::CaseInsensitive) == 0;
}

} // namespace veloquin
