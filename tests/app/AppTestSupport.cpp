#include "AppTestSupport.h"

#include "FileDialog.h"
#include "GFunc.h"
#include "MainUnit.h"
#include "MessageBox.h"
#include "StringGrid.h"
#include "TankInspector.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QTimer>

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

namespace {

QWidget* GridKeyTarget(TStringGrid& grid)
{
    return grid.EditorMode() ? static_cast<QWidget*>(grid.InplaceEditor()) : static_cast<QWidget*>(&grid);
}

} // namespace

void TypeIntoGrid(TStringGrid& grid, const QString& text)
{
    for (const QChar ch : text)
        TypeText(GridKeyTarget(grid), QString(ch));
}

void PressGridKey(TStringGrid& grid, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QWidget* target = GridKeyTarget(grid);
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers);
    QApplication::sendEvent(target, &release);
}

void WhileModal(std::function<void(QDialog&)> whileOpen, bool* opened)
{
    if (opened)
        *opened = false;
    QTimer::singleShot(0, [whileOpen = std::move(whileOpen), opened] {
        QPointer<QDialog> dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        if (opened)
            *opened = true;
        whileOpen(*dialog);
        if (dialog && dialog->isVisible())
            dialog->reject();
    });
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

} // namespace veloquin::test
