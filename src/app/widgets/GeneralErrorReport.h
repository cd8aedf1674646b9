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
// The same with the text of the error that ended the command.
void ReportGeneralError(QWidget* parent, const std::exception& error);

// Routes the engine's own messages (a bad list index and the like, with the
// engine's caption) to a modal error box.
void InstallMessageBoxErrorReporter();

} // namespace veloquin
