#include "AppTestSupport.h"

#include "AppContext.h"

#include "FileDialog.h"
#include "GFunc.h"
#include "MainWindow.h"
#include "MessageBox.h"
#include "StringGrid.h"
#include "TankInspector.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace veloquin::test {

TSteelVertCylTank& TankToArrange(AppContext& context)
{
    // The context's tank is no const object: only its view is.
    return const_cast<TSteelVertCylTank&>(context.Tank());
}

StartedProgram::StartedProgram()
{
    SetDecimalSeparator(',');
    MessageBox::SetTestMode(true);
    MessageBox::ClearShown();
    FileDialog::SetTestMode(true);
    FileDialog::ClearShown();
    QDir::setCurrent(m_dir.path());
    m_program = std::make_unique<Program>(m_dir.path().toStdString());
}

StartedProgram::~StartedProgram()
{
    m_program.reset();
    QDir::setCurrent(QDir::tempPath());
}

void StartedProgram::Show()
{
    m_program->MainForm().show();
    QVERIFY(QTest::qWaitForWindowExposed(&m_program->MainForm()));
    QVERIFY(QTest::qWaitForWindowExposed(&m_program->Inspector()));
}

namespace {

// A key sent to no widget would crash the test program; on a busy machine that
// is what happens when a test types before the focus it waits for has arrived.
bool RefuseNoWidget(const QWidget* widget, const char* what)
{
    if (widget != nullptr)
        return false;
    QTest::qFail(qPrintable(QStringLiteral("%1: no widget to send keys to (the focus has not arrived)")
                                .arg(QLatin1String(what))),
                 __FILE__, __LINE__);
    return true;
}

} // namespace

void TypeText(QWidget* widget, const QString& text)
{
    if (RefuseNoWidget(widget, "TypeText"))
        return;
    for (const QChar ch : text) {
        const int key = ch == QLatin1Char(' ') ? int(Qt::Key_Space) : int(ch.toUpper().unicode());
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &release);
    }
}

void PressKey(QWidget* widget, Qt::Key key)
{
    if (RefuseNoWidget(widget, "PressKey"))
        return;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

namespace {

QWidget* GridKeyTarget(StringGrid& grid)
{
    return grid.EditorMode() ? static_cast<QWidget*>(grid.InplaceEditor()) : static_cast<QWidget*>(&grid);
}

} // namespace

void TypeIntoGrid(StringGrid& grid, const QString& text)
{
    for (const QChar ch : text)
        TypeText(GridKeyTarget(grid), QString(ch));
}

void PressGridKey(StringGrid& grid, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QWidget* target = GridKeyTarget(grid);
    // Shortcuts reach only the active window, and on a loaded machine another
    // window's queued activation may still arrive: make sure it is this one.
    QWidget* window = grid.window();
    if (QApplication::activeWindow() != window) {
        window->activateWindow();
        if (!QTest::qWaitFor([window] { return QApplication::activeWindow() == window; }, 5000))
            qWarning("PressGridKey: the grid's window did not become active");
    }
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers);
    QApplication::sendEvent(target, &release);
}

QStringList ShownMessages()
{
    QStringList texts;
    for (const MessageBox::Record& record : MessageBox::Shown())
        texts.append(record.text);
    return texts;
}

QString CopySample(const QString& name, const QString& dir)
{
    const QString target = QDir(dir).filePath(name);
    QFile::remove(target);
    QFile::copy(QStringLiteral(VELOQUIN_SAMPLES_DIR "/") + name, target);
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    return target;
}

bool WaitForStatusTick(QWidget& mainForm, int timeoutMs)
{
    auto* timer = mainForm.findChild<QTimer*>(QStringLiteral("Timer1"));
    if (timer == nullptr)
        return false;
    // The window's own handler was connected first, so it has run for the tick the spy sees.
    QSignalSpy ticks(timer, &QTimer::timeout);
    return ticks.wait(timeoutMs);
}

bool RunWhileModal(const std::function<void()>& open, const std::function<void(QWidget&)>& inspect, int timeoutMs)
{
    bool seen = false;
    QWidget* const outer = QApplication::activeModalWidget(); // left alone: not ours to close
    QDeadlineTimer deadline(timeoutMs);
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!seen) {
            if (modal == nullptr || modal == outer || !modal->isVisible()) {
                if (deadline.hasExpired())
                    poll.stop();
                return;
            }
            seen = true;
            // A modal window is shown before it is active and before its first
            // box has the focus; a test that types at once types into nothing.
            if (!WaitForFocusIn(*modal))
                qWarning("RunWhileModal: the focus did not arrive in %s", qPrintable(modal->objectName()));
            inspect(*modal);
        }
        // Close whatever modal windows `inspect` left open, innermost first,
        // so that `open` always returns.
        if (QWidget* left = QApplication::activeModalWidget(); left != nullptr && left != outer) {
            if (auto* dialog = qobject_cast<QDialog*>(left))
                dialog->reject();
            else
                left->close();
            return;
        }
        poll.stop();
    });
    poll.start();
    open();
    poll.stop();
    return seen;
}

bool WaitForFocusIn(QWidget& window, int timeoutMs)
{
    const auto focusInside = [&window] {
        QWidget* focus = QApplication::focusWidget();
        return focus != nullptr && (focus == &window || window.isAncestorOf(focus));
    };
    if (focusInside())
        return true;
    return Activate(window) && QTest::qWaitFor(focusInside, timeoutMs);
}

bool Activate(QWidget& window)
{
    window.activateWindow();
    return QTest::qWaitFor([&window] {
        if (QApplication::activeWindow() != &window)
            window.activateWindow();
        return QApplication::activeWindow() == &window;
    });
}

bool OpenRowDialog(StartedProgram& program, int row, const std::function<void(QWidget&)>& inspect)
{
    TankInspector& inspector = program->Inspector();
    if (!inspector.SelectRow(row))
        return false;
    // Shortcuts and focus changes reach a window only once it is the active one.
    return RunWhileModal([&inspector] { inspector.DialogButton()->click(); },
                         [&inspect](QWidget& dialog) {
                             if (Activate(dialog))
                                 inspect(dialog);
                         });
}

int DistinctColours(const QImage& image)
{
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3)
            colours.insert(image.pixel(x, y));
    return colours.size();
}

} // namespace veloquin::test
