#include "FileNames.h"

#include "AppContext.h"
#include "GFunc.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <dirent.h>
#include <sys/stat.h>

#include <vector>

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
    QString title = ShownPath(QFileInfo(filePath).fileName());
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
        // Joined as text, so that a byte carried as a surrogate stays as it is.
        if (QDir::isAbsolutePath(argument))
            return QDir::cleanPath(argument);
        return QDir::cleanPath(QDir::currentPath() + QLatin1Char('/') + argument);
    }
    return QString();
}

namespace {

constexpr char16_t kEscapedByteBase = 0xDC00;

std::size_t Utf8SequenceLength(std::string_view bytes, std::size_t i)
{
    const auto lead = static_cast<unsigned char>(bytes[i]);
    const std::size_t length = lead < 0x80         ? 1
                               : (lead >> 5) == 6  ? 2
                               : (lead >> 4) == 14 ? 3
                               : (lead >> 3) == 30 ? 4
                                                   : 0;
    if (length == 0 || i + length > bytes.size())
        return 0;
    for (std::size_t k = 1; k < length; ++k)
        if ((static_cast<unsigned char>(bytes[i + k]) >> 6) != 2)
            return 0;
    // Overlong forms and encoded surrogates are no UTF-8 either.
    const QString decoded = QString::fromUtf8(bytes.data() + i, static_cast<qsizetype>(length));
    if (decoded.contains(QChar(QChar::ReplacementCharacter)) && bytes.substr(i, length) != "\xEF\xBF\xBD")
        return 0;
    return length;
}

bool IsEscapedByte(QChar c)
{
    return c.unicode() >= kEscapedByteBase + 0x80 && c.unicode() <= kEscapedByteBase + 0xFF;
}

} // namespace

QString PathFromNative(std::string_view bytes)
{
    QString path;
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t length = Utf8SequenceLength(bytes, i);
        if (length == 0) {
            path += QChar(static_cast<char16_t>(kEscapedByteBase + static_cast<unsigned char>(bytes[i])));
            ++i;
        } else {
            path += QString::fromUtf8(bytes.data() + i, static_cast<qsizetype>(length));
            i += length;
        }
    }
    return path;
}

std::string NativePath(const QString& path)
{
    std::string bytes;
    qsizetype runStart = 0;
    const auto flush = [&](qsizetype end) { bytes += path.mid(runStart, end - runStart).toStdString(); };
    for (qsizetype i = 0; i < path.size(); ++i) {
        if (!IsEscapedByte(path.at(i)))
            continue;
        flush(i);
        bytes += static_cast<char>(path.at(i).unicode() - kEscapedByteBase);
        runStart = i + 1;
    }
    flush(path.size());
    return bytes;
}

QStringList ArgumentsFromNative(int argc, const char* const* argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << PathFromNative(argv[i]);
    return arguments;
}

QString PathFromFileUrl(const QUrl& url)
{
    if (!url.isLocalFile())
        return {};
    const QByteArray bytes = QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
    return PathFromNative(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

namespace {

bool BytesExist(const std::string& path)
{
    struct stat entry;
    return ::lstat(path.c_str(), &entry) == 0;
}

// The entries of a folder whose names Qt decodes to name.
std::vector<std::string> EntriesDecodedAs(const std::string& folder, const QString& name)
{
    std::vector<std::string> matches;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return matches;
    while (const dirent* entry = ::readdir(dir))
        if (QFile::decodeName(QByteArray(entry->d_name)) == name)
            matches.emplace_back(entry->d_name);
    ::closedir(dir);
    return matches;
}

} // namespace

std::optional<QString> PathFromDialog(const QString& chosen)
{
    const QChar replacement(QChar::ReplacementCharacter);
    if (!chosen.startsWith(QLatin1Char('/')) || !chosen.contains(replacement) || PathExists(chosen))
        return chosen;
    std::string bytes;
    for (const QString& part : chosen.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        const std::string folder = bytes.empty() ? std::string("/") : bytes;
        const std::string asGiven = bytes + '/' + NativePath(part);
        if (!part.contains(replacement) || BytesExist(asGiven)) {
            bytes = asGiven;
            continue;
        }
        const std::vector<std::string> matches = EntriesDecodedAs(folder, part);
        if (matches.size() != 1)
            return std::nullopt;
        bytes += '/' + matches.front();
    }
    return PathFromNative(bytes);
}

bool PathExists(const QString& path)
{
    return BytesExist(NativePath(path));
}

QString ShownPath(const QString& path)
{
    QString shown = QDir::toNativeSeparators(path);
    for (QChar& c : shown)
        if (IsEscapedByte(c) || c.isSurrogate())
            c = QChar(QChar::ReplacementCharacter);
    return shown;
}

QString QuotedPath(const QString& path)
{
    return QString::fromStdString(QuotedPath(NativePath(QDir::toNativeSeparators(path))));
}

bool HasTankFileSuffix(const QString& path)
{
    return QFileInfo(path).suffix().compare(QLatin1String("vlq"), Qt::CaseInsensitive) == 0;
}

} // namespace veloquin
