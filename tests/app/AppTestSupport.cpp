#include "AppTestSupport.h"

#include "FileDialog.h"
#include "GFunc.h"
#include "MainUnit.h"
#include "MessageBox.h"
#include "TankInspector.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QTest>

namespace veloquin::test {

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

void TypeText(QWidget* widget, const QString& text)
{
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
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
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

bool Activate(QWidget& window)
{
    window.activateWindow();
    return QTest::qWaitFor([&window] {
        if (QApplication::activeWindow() != &window)
            window.activateWindow();
        return QApplication::activeWindow() == &window;
    });
}

} // namespace veloquin::test
