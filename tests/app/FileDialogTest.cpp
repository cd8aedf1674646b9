// Saving through the file dialog: a file that is there is replaced only when the
// user says so, and no export ever lands in the open tank's own file, whatever
// name it is reached by.

#include "FileDialog.h"
#include "AppContext.h"
#include "AppTestSupport.h"
#include "MainWindow.h"
#include "MessageBox.h"
#include "TankFile.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace veloquin;

namespace {

QByteArray Contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void OpenFile(test::StartedProgram& program, const QString& path)
{
    FileDialog::QueueChoice(path);
    program->MainForm().Action("acOpen")->trigger();
}

// Exports the table as JSON to each path in turn from the export window; the
// status line after each.
QStringList ExportJson(test::StartedProgram& program, const QStringList& paths)
{
    QStringList statuses;
    test::RunWhileModal([&] { program->MainForm().Action("acExportTable")->trigger(); },
                        [&](QWidget& dialog) {
                            test::Find<QRadioButton>(dialog, "rbJson")->click();
                            for (const QString& path : paths) {
                                FileDialog::QueueChoice(path);
                                test::Find<QPushButton>(dialog, "btnExport")->click();
                                statuses << test::Find<QLabel>(dialog, "lbStatus")->text();
                            }
                            test::Find<QPushButton>(dialog, "btnClose")->click();
                        });
    return statuses;
}

} // namespace

class FileDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void saveAsOverAFileAsksAndNoLeavesItAsItWas()
    {
        test::StartedProgram program;
        program.Show();
        const QString first = test::CopySample(QStringLiteral("sample_rvs400.vlq"), program.Dir());
        const QString second = test::CopySample(QStringLiteral("sample_rvs1000.vlq"), program.Dir());
        const QByteArray secondBytes = Contents(second);
        OpenFile(program, first);
        AppContext& context = program->Context();
        QCOMPARE(context.currentFileName, first);

        // "No": the dialog comes back for another name; cancelled there, nothing is written.
        MessageBox::ClearShown();
        FileDialog::ClearShown();
        MessageBox::QueueAnswer(QMessageBox::No);
        FileDialog::QueueChoice(second);
        QVERIFY(!program->MainForm().acSaveAsExecute());
        QCOMPARE(MessageBox::Shown().size(), std::size_t(1));
        const MessageBox::Record& asked = MessageBox::Shown().front();
        QCOMPARE(asked.text, QStringLiteral("Файл %1 уже существует.\nЗаменить его?").arg(QuotedFileName(second)));
        QCOMPARE(asked.buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(FileDialog::Shown().size(), std::size_t(2));
        QCOMPARE(FileDialog::Shown().back().fileName, QStringLiteral("sample_rvs1000.vlq"));
        QCOMPARE(Contents(second), secondBytes);
        QCOMPARE(context.currentFileName, first);

        // "Yes" replaces it, and the tank is now that file.
        MessageBox::QueueAnswer(QMessageBox::Yes);
        FileDialog::QueueChoice(second);
        QVERIFY(program->MainForm().acSaveAsExecute());
        QCOMPARE(context.currentFileName, second);
        QCOMPARE(Contents(second), Contents(first));

        // A new name asks nothing.
        MessageBox::ClearShown();
        FileDialog::QueueChoice(program.PathIn(QStringLiteral("new.vlq")));
        QVERIFY(program->MainForm().acSaveAsExecute());
        QVERIFY(MessageBox::Shown().empty());
    }

    void anExportOverAFileAsksFirst()
    {
        test::StartedProgram program;
        program.Show();
        const QString table = program.PathIn(QStringLiteral("t.json"));
        QFile file(table);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("kept");
        file.close();
        MessageBox::ClearShown();
        MessageBox::QueueAnswer(QMessageBox::No);
        const QStringList statuses = ExportJson(program, {table});
        QCOMPARE(statuses.size(), 1);
        QVERIFY(!statuses.front().startsWith(QStringLiteral("Сохранено")));
        QCOMPARE(Contents(table), QByteArray("kept"));
        QVERIFY(test::ShownMessages().join(QLatin1Char('\n')).contains(QStringLiteral("уже существует")));
    }

    void noExportLandsInTheOpenTanksFile()
    {
        test::StartedProgram program;
        program.Show();
        QDir(program.Dir()).mkdir(QStringLiteral("sub"));
        const QString tankPath = test::CopySample(QStringLiteral("sample_rvs400.vlq"), program.Dir());
        const QByteArray tankBytes = Contents(tankPath);
        OpenFile(program, tankPath);
        const QString link = program.PathIn(QStringLiteral("link.json"));
        QVERIFY(QFile::link(tankPath, link));
        const QString later = program.PathIn(QStringLiteral("later.json"));
        QVERIFY(QFile::link(tankPath, later));
        const QString dotted = program.PathIn(QStringLiteral("sub/../sample_rvs400.vlq"));

        for (const QString& name : {tankPath, link, dotted}) {
            MessageBox::ClearShown();
            // Every answer a user might give to a second question is Yes: it must not come to that.
            MessageBox::QueueAnswer(QMessageBox::Yes);
            const QStringList statuses = ExportJson(program, {name});
            QCOMPARE(statuses.size(), 1);
            QVERIFY(!statuses.front().startsWith(QStringLiteral("Сохранено")));
            QCOMPARE(MessageBox::Shown().size(), std::size_t(1));
            QVERIFY2(MessageBox::Shown().front().text.contains(QStringLiteral("файл открытого резервуара")),
                     qPrintable(MessageBox::Shown().front().text));
            QCOMPARE(Contents(tankPath), tankBytes);
        }
        QVERIFY(!program->Context().Tank().Modified());

        // The tank's own Save As may write there, after the question.
        MessageBox::ClearShown();
        MessageBox::QueueAnswer(QMessageBox::Yes);
        FileDialog::QueueChoice(tankPath);
        QVERIFY(program->MainForm().acSaveAsExecute());
        QCOMPARE(MessageBox::Shown().size(), std::size_t(1));
        QCOMPARE(Contents(tankPath), tankBytes);

        // Once saved under another name, the old file is free for exports.
        FileDialog::QueueChoice(program.PathIn(QStringLiteral("renamed.vlq")));
        QVERIFY(program->MainForm().acSaveAsExecute());
        MessageBox::QueueAnswer(QMessageBox::Yes);
        QCOMPARE(ExportJson(program, {later}).constFirst(), QStringLiteral("Сохранено: ") + later);
    }
};

VELOQUIN_APP_TEST(FileDialogTest)
#include "FileDialogTest.moc"
