#pragma once
// The application's general error report: the end of every command that failed
// (a typed text that does not convert, a tank file that cannot be read or
// written, a refused settings write). A modal box with the application title as
// caption, the error icon and the error's text.

#include <QString>

#include <exception>

class QWidget;

namespace veloquin {

// The text as the report shows it: a full stop is appended when the last
// character sorts after "." ("Read beyond end of file" -> "Read beyond end of
// file.", while "...!" and "..." stay as they are).
QString WithFullStop(const QString& text);

void ReportGeneralError(QWidget* parent, const QString& text);
// The same with the text of the error that ended the command, as UserText says it.
void ReportGeneralError(QWidget* parent, const std::exception& error);

// What the user reads of a typed text that is not a number: "Значение «25OO» не
// принято — это не число" ("… не целое число" when an integer was asked for),
// the text quoted short.
QString NotANumberText(const QString& typed, bool integerWanted);
// An error's text in the program's words: a text that does not convert names
// it (NotANumberText), the system's file errors ("File access denied"...) are
// said in Russian; the program's own texts stay as they are.
QString UserText(const std::exception& error);
// A file that could not be read or written: "<failed> «path»:\n<reason>.", for
// example "Не удалось записать файл «/tmp/t.pdf»:\nНет доступа к файлу.".
QString FileErrorText(const QString& failed, const QString& path, const std::exception& error);
void ReportFileError(QWidget* parent, const QString& failed, const QString& path, const std::exception& error);

// Routes the engine's own messages (a bad list index and the like, with the
// engine's caption) to a modal error box.
void InstallMessageBoxErrorReporter();

} // namespace veloquin
