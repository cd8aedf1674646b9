#pragma once
// Shared pieces of the widget tests: a program started in a temporary directory
// with every message box and file dialog answered by the test, and typing of
// texts that QTest::keyClicks cannot send (it stops at non-Latin-1 characters).

#include "Program.h"

#include <QString>
#include <QTemporaryDir>

#include <memory>

class QWidget;

namespace veloquin::test {

// A started program whose settings file lives in a fresh directory. Message
// boxes and file dialogs are recorded, never shown; the decimal separator is ",".
class StartedProgram
{
public:
    StartedProgram();
    ~StartedProgram();

    Program& operator*() { return *m_program; }
    Program* operator->() { return m_program.get(); }
    QString Dir() const { return m_dir.path(); }
    QString PathIn(const QString& name) const { return m_dir.filePath(name); }
    // Shows the main window (and with it the inspector) and waits until both are exposed.
    void Show();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<Program> m_program;
};

// One key press per character, so that Cyrillic text reaches the widget too.
void TypeText(QWidget* widget, const QString& text);
// A single key press and release.
void PressKey(QWidget* widget, Qt::Key key);
// Texts of the message boxes shown so far.
QStringList ShownMessages();
// Copies a sample tank file into dir and returns the copy's path.
QString CopySample(const QString& name, const QString& dir);
// Makes the window the active one and waits until it is. (A tool window counts
// as active while its owner is, so waiting on the window alone proves nothing.)
bool Activate(QWidget& window);

} // namespace veloquin::test
