#pragma once
// Shared pieces of the widget tests: a program started in a temporary directory
// with every message box and file dialog answered by the test, and typing of
// texts that QTest::keyClicks cannot send (it stops at non-Latin-1 characters).

#include "Program.h"

#include <QImage>
#include <QString>
#include <QTemporaryDir>
#include <QWidget>

#include <functional>
#include <memory>

namespace veloquin {
class StringGrid;
class TSteelVertCylTank;
struct AppContext;
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
void TypeIntoGrid(StringGrid& grid, const QString& text);
// A key press to the grid, or to its editor while that is open.
void PressGridKey(StringGrid& grid, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// Texts of the message boxes shown so far.
QStringList ShownMessages();
// Copies a sample tank file into dir and returns the copy's path.
QString CopySample(const QString& name, const QString& dir);
// Makes the window the active one and waits until it is. (A tool window counts
// as active while its owner is, so waiting on the window alone proves nothing.)
bool Activate(QWidget& window);
// Makes the window the active one and waits until the keyboard focus is inside it.
bool WaitForFocusIn(QWidget& window, int timeoutMs = 10000);

// Waits for the main window's status timer to tick once (at most `timeoutMs`),
// so that a check of what it shows does not depend on the machine's load.
bool WaitForStatusTick(QWidget& mainForm, int timeoutMs = 5000);

// Runs `open`, which shows a modal window and returns when it closes. Once the
// window is up, `inspect` is called with it, then the window is closed if
// `inspect` left it open (with any modal window opened above it; a modal
// window that was already up before the call is left alone). `inspect` must only act and capture what it sees:
// a failed check inside the nested event loop cannot end the test, so check
// after RunWhileModal returns. Returns false when no modal window appeared
// within `timeoutMs` (then `inspect` never ran).
bool RunWhileModal(const std::function<void()>& open, const std::function<void(QWidget&)>& inspect,
                   int timeoutMs = 5000);

// Selects an inspector row and presses its dialog button: RunWhileModal on the
// row's dialog, inspect running once the dialog is the active window. False when
// the row could not be selected or no dialog came up.
bool OpenRowDialog(StartedProgram& program, int row, const std::function<void(QWidget&)>& inspect);

// How many colours a picture shows (every third pixel each way): a drawn
// picture has many, an empty box a few.
int DistinctColours(const QImage& image);

// The open tank for a test to arrange before it drives the windows: written
// behind the editing, as a file read would leave it (no step, no signal). What a
// test checks is never written here; the program writes only through the editing.
TSteelVertCylTank& TankToArrange(AppContext& context);

// A control of a window by its object name, or null.
template <class T> T* Find(QWidget& window, const char* objectName)
{
    return window.findChild<T*>(QString::fromLatin1(objectName));
}

} // namespace veloquin::test

namespace veloquin::test {

// Every widget test class is one of the classes of a single test program, run
// one class per process (`veloquin_app_tests CLASS [QtTest options]`), so that a
// change in the engine relinks one program, not one per class.
using TestClassFactory = std::unique_ptr<QObject> (*)();
bool RegisterTestClass(const char* name, TestClassFactory factory);

} // namespace veloquin::test

#define VELOQUIN_APP_TEST(Class)                                                                                    \
    static const bool Class##Registered = ::veloquin::test::RegisterTestClass(                                     \
        #Class, []() -> std::unique_ptr<QObject> { return std::make_unique<Class>(); });
