#include "GeneralErrorReport.h"

#include "AppFont.h"
#include "ErrorReport.h"
#include "GFunc.h"
#include "MessageBox.h"

#include <QApplication>

#include <iterator>
#include <string>
#include <string_view>

namespace veloquin {
namespace {

// The system's file errors as the engine words them, and as the user reads them.
struct SystemErrorWords
{
    const char* engine;
    const char* russian;
};
constexpr SystemErrorWords kSystemErrors[] = {
    {"File not found", "Файл не найден"},
    {"Path not found", "Папка не найдена"},
    {"File access denied", "Нет доступа к файлу"},
    {"Disk full", "На диске нет места"},
    {"Too many open files", "Открыто слишком много файлов"},
    {"Invalid filename", "Недопустимое имя файла"},
    {"Read beyond end of file", "Файл короче, чем должен быть"},
};
constexpr char kIoErrorPrefix[] = "I/O error ";
// The runtime's conversion errors: "'TEXT' is not a valid floating point value".
constexpr char kNotAFloatEnd[] = "' is not a valid floating point value";
constexpr char kNotAnIntegerEnd[] = "' is not a valid integer value";

bool EndsWith(const std::string& text, std::string_view end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The typed text a conversion error quotes (already cut short), and whether an
// integer was asked for; false for any other text.
bool TypedTextOf(const std::string& message, QString& typed, bool& integerWanted)
{
    integerWanted = EndsWith(message, kNotAnIntegerEnd);
    const std::string_view end = integerWanted ? kNotAnIntegerEnd : kNotAFloatEnd;
    if (message.empty() || message.front() != '\'' || !EndsWith(message, end))
        return false;
    typed = QString::fromStdString(message.substr(1, message.size() - 1 - end.size()));
    return true;
}
constexpr char kUnableToWritePrefix[] = "Unable to write to ";

} // namespace

QString NotANumberText(const QString& typed, bool integerWanted)
{
    return QStringLiteral("Значение «%1» не принято — это не %2")
        .arg(QString::fromStdString(QuotedInput(typed.toStdString())),
             integerWanted ? QStringLiteral("целое число") : QStringLiteral("число"));
}

QString UserText(const std::exception& error)
{
    if (dynamic_cast<const ConvertError*>(&error)) {
        QString typed;
        bool integerWanted = false;
        if (TypedTextOf(error.what(), typed, integerWanted))
            return NotANumberText(typed, integerWanted);
    }
    const std::string text = error.what();
    for (const SystemErrorWords& words : kSystemErrors)
        if (text == words.engine)
            return QString::fromUtf8(words.russian);
    if (text.rfind(kIoErrorPrefix, 0) == 0)
        return QStringLiteral("Ошибка ввода-вывода ") +
               QString::fromStdString(text.substr(std::size(kIoErrorPrefix) - 1));
    if (text.rfind(kUnableToWritePrefix, 0) == 0)
        return QStringLiteral("Не удалось записать файл ") +
               QuotedFileName(QString::fromStdString(text.substr(std::size(kUnableToWritePrefix) - 1)));
    return QString::fromStdString(text);
}

QString FileErrorText(const QString& failed, const QString& path, const std::exception& error)
{
    return WithFullStop(QStringLiteral("%1 %2:\n%3").arg(failed, QuotedFileName(path), UserText(error)));
}

void ReportFileError(QWidget* parent, const QString& failed, const QString& path, const std::exception& error)
{
    ReportGeneralError(parent, FileErrorText(failed, path, error));
}

QString WithFullStop(const QString& text)
{
    if (!text.isEmpty() && text.back() > QLatin1Char('.'))
        return text + QLatin1Char('.');
    return text;
}

void ReportGeneralError(QWidget* parent, const QString& text)
{
    MessageBox::Tell(parent, ApplicationTitle(), WithFullStop(text), MessageBox::Icon::Critical);
}

void ReportGeneralError(QWidget* parent, const std::exception& error)
{
    ReportGeneralError(parent, UserText(error));
}

void InstallMessageBoxErrorReporter()
{
    InstallErrorReporter([](const std::string& caption, const std::string& text) {
        MessageBox::Tell(QApplication::activeWindow(), QString::fromStdString(caption), QString::fromStdString(text),
                         MessageBox::Icon::Critical);
    });
}

} // namespace veloquin
