// What the user reads is Russian and names what it is about: a file that could
// not be written, a typed text that is not a number, Qt's own file dialog; and a
// number typed as the program shows it, grouped in thousands, is taken.

#include "AppContext.h"
#include "AppTestSupport.h"
#include "FileDialog.h"
#include "FileIo.h"
#include "GFunc.h"
#include "GeneralErrorReport.h"
#include "MainWindow.h"
#include "MessageBox.h"
#include "TankInspector.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileIconProvider>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace veloquin;

class UserMessagesTest : public QObject
{
    Q_OBJECT

private slots:
    void aPdfThatCannotBeWrittenIsNamed()
    {
        test::StartedProgram program;
        program.Show();
        // A folder that is a regular file: the system says "not a directory".
        QFile blocker(program.PathIn(QStringLiteral("file")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const QString path = program.PathIn(QStringLiteral("file/t.pdf"));
        MessageBox::ClearShown();
        FileDialog::QueueChoice(path);
        QAction* action = program->MainForm().findChild<QAction*>(QStringLiteral("acExportPdf"));
        QVERIFY(action);
        QVERIFY(test::RunWhileModal(
            [&] { action->trigger(); },
            [&](QWidget& dialog) { dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click(); }));
        QCOMPARE(
            test::ShownMessages(),
            QStringList{QStringLiteral("Не удалось записать файл PDF %1:\nПапка не найдена.").arg(QuotedFileName(path))});
    }

    void errorTextsAreSaidInRussian()
    {
        QCOMPARE(UserText(TankFileError("File access denied")), QStringLiteral("Нет доступа к файлу"));
        QCOMPARE(UserText(TankFileError("I/O error 5")), QStringLiteral("Ошибка ввода-вывода 5"));
        QCOMPARE(UserText(TankFileError("Это канал, а не файл")), QStringLiteral("Это канал, а не файл"));
        try {
            TypedStrToFloat("12,5x");
            QFAIL("converted");
        } catch (const ConvertError& error) {
            QCOMPARE(UserText(error), QStringLiteral("Значение «12,5x» не принято — это не число"));
        }
        try {
            StrToInt("7.5");
            QFAIL("converted");
        } catch (const ConvertError& error) {
            QCOMPARE(UserText(error), QStringLiteral("Значение «7.5» не принято — это не целое число"));
        }
        // A long path keeps its end, where the file's name is.
        const QString quoted =
            QuotedFileName(QStringLiteral("/") + QString(100, QLatin1Char('d')) + QStringLiteral("/таблица.pdf"));
        QCOMPARE(quoted.size(), 62);
        QVERIFY(quoted.endsWith(QStringLiteral("/таблица.pdf»")));
    }

    void theFileDialogNamesAFolderInRussian()
    {
        test::StartedProgram program;
        if (QCoreApplication::translate("QFileDialog", "Open") == QStringLiteral("Open"))
            QSKIP("Qt's Russian catalogue is not installed");
        QCOMPARE(QFileIconProvider().type(QFileInfo(program.Dir())), QStringLiteral("Папка"));
    }

    void aNumberGroupedAsShownIsTaken()
    {
        test::StartedProgram program;
        program.Show();
        QVERIFY(test::Activate(program->Inspector()));
        TankInspector& inspector = program->Inspector();
        const TSteelVertCylTank& tank = program->Context().Tank();
        // "Высота заполнения резервуара при градуировке, мм"
        QVERIFY(inspector.SelectRow(8));
        test::TypeText(inspector.InsEdit(), QStringLiteral("14 894,5"));
        test::PressKey(inspector.InsEdit(), Qt::Key_Return);
        QCOMPARE(tank.CalibrationFillHeight(), 14894.5);
        test::PressKey(inspector.InsEdit(), Qt::Key_F2);
        test::TypeText(inspector.InsEdit(), QStringLiteral("12") + QChar(0x00A0) + QStringLiteral("345"));
        test::PressKey(inspector.InsEdit(), Qt::Key_Return);
        QCOMPARE(tank.CalibrationFillHeight(), 12345.0);
        // Refused as before, the stored value kept.
        test::PressKey(inspector.InsEdit(), Qt::Key_F2);
        test::TypeText(inspector.InsEdit(), QStringLiteral("25OO"));
        test::PressKey(inspector.InsEdit(), Qt::Key_Return);
        QCOMPARE(tank.CalibrationFillHeight(), 12345.0);
        QCOMPARE(inspector.StatusText(), QStringLiteral("Значение «25OO» не принято — это не число"));
    }
};

VELOQUIN_APP_TEST(UserMessagesTest)
#include "UserMessagesTest.moc"
