#pragma once
// Shared pieces of the widget tests: a program started in a temporary directory
// with every message box and file dialog answered by the test, and typing of
// texts that QTest::keyClicks cannot send (it stops at non-Latin-1 characters).

#include "Program.h"

#include <QString>
#include <QTemporaryDir>

#include <functional>
#include <memory>

class QDialog;
class QWidget;

namespace veloquin {
class TStringGrid;
}

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
// Types into a grid as a user would: the first character opens the in-place
// editor, the rest go to whichever of the grid and its editor takes keys then.
void TypeIntoGrid(TStringGrid& grid, const QString& text);
// A key press to the grid, or to its editor while that is open.
void PressGridKey(TStringGrid& grid, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// Runs whileOpen on the modal dialog that the next call opens, then closes it
// (reject) if whileOpen left it open. Call it right before the call that opens
// the dialog; whileOpen must only record what it sees, the test checks after
// the dialog returned. opened tells whether a modal dialog was found at all.
void WhileModal(std::function<void(QDialog&)> whileOpen, bool* opened = nullptr);

// Texts of the message boxes shown so far.
QStringList ShownMessages();
// Copies a sample tank file into dir and returns the copy's path.
QString CopySample(const QString& name, const QString& dir);

} // namespace veloquin::test
