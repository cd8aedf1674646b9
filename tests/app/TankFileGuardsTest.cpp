// The window's guards around the tank file: Save asks before it writes over a
// file someone else changed or replaced since it was opened or saved here; a
// tank whose calibration table is wrong says so once when it is opened; the
// printer calibration command keeps to what a printer can need.

#include "AppContext.h"
#include "AppTestSupport.h"
#include "FileDialog.h"
#include "MainWindow.h"
#include "MessageBox.h"
#include "PrinterCalibrationDialog.h"
#include "TankFile.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QTest>

#include <cmath>
#include <fstream>
#include <limits>

using namespace veloquin;

namespace {

QString ChangedQuestion(const QString& path)
{
    return QStringLiteral("Файл ") + path + QStringLiteral(" изменён другой программой после открытия. Перезаписать?");
}

std::string NameIn(const QString& path)
{
    return LoadTankFile(path.toStdString()).tank.Name();
}

// Another copy of the program saving its own tank under the same name.
void SaveElsewhere(const QString& path, const std::string& name)
{
    TSteelVertCylTank tank;
    tank.SetName(name);
    StoreTankFile(path.toStdString(), tank, 1);
}

} // namespace

class TankFileGuardsTest : public QObject
{
    Q_OBJECT

private slots:
    void saveAsksBeforeWritingOverAFileChangedOnDisk()
    {
        test::StartedProgram program;
        program.Show();
        MainWindow& main = program->MainForm();
        AppContext& context = program->Context();
        const QString path = program.PathIn(QStringLiteral("shared.vlq"));
        SaveElsewhere(path, "Первый");
        FileDialog::QueueChoice(path);
        main.Action("acOpen")->trigger();
        QCOMPARE(context.currentFileName, path);

        // Unchanged on disk: saved without a word.
        test::TankToArrange(context).SetName("Наш");
        main.Action("acSave")->trigger();
        QVERIFY(test::ShownMessages().isEmpty());
        QCOMPARE(NameIn(path), std::string("Наш"));

        // Replaced by another program's save: asked, and No keeps its file and our changes.
        SaveElsewhere(path, "Чужой");
        test::TankToArrange(context).SetName("Наш второй");
        MessageBox::QueueAnswer(QMessageBox::No);
        main.Action("acSave")->trigger();
        QCOMPARE(MessageBox::Shown().size(), size_t(1));
        const MessageBox::Record& asked = MessageBox::Shown().back();
        QCOMPARE(asked.text, ChangedQuestion(path));
        QCOMPARE(asked.caption, QStringLiteral("Veloquin"));
        QVERIFY(asked.icon == MessageBox::Icon::Warning);
        QCOMPARE(asked.buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(NameIn(path), std::string("Чужой"));
        QVERIFY(context.Tank().Modified());

        // Yes writes over it; the next save, of a file as we left it, asks nothing.
        MessageBox::QueueAnswer(QMessageBox::Yes);
        main.Action("acSave")->trigger();
        QCOMPARE(NameIn(path), std::string("Наш второй"));
        QVERIFY(!context.Tank().Modified());
        test::TankToArrange(context).SetName("Наш третий");
        main.Action("acSave")->trigger();
        QCOMPARE(MessageBox::Shown().size(), size_t(2));

        // Rewritten in place (same file, new contents) counts as changed too.
        {
            std::ofstream(path.toStdString(), std::ios::binary | std::ios::app) << "x";
        }
        test::TankToArrange(context).SetName("Наш четвертый");
        MessageBox::QueueAnswer(QMessageBox::No);
        main.Action("acSave")->trigger();
        QCOMPARE(MessageBox::Shown().size(), size_t(3));
        QCOMPARE(MessageBox::Shown().back().text, ChangedQuestion(path));

        // A file that is gone has nothing to lose: written without a question.
        QVERIFY(QFile::remove(path));
        main.Action("acSave")->trigger();
        QCOMPARE(MessageBox::Shown().size(), size_t(3));
        QCOMPARE(NameIn(path), std::string("Наш четвертый"));
    }

    void aTankWithAWrongTableSaysSoOnceWhenOpened()
    {
        test::StartedProgram program;
        program.Show();
        MainWindow& main = program->MainForm();

        TSteelVertCylTank sound;
        const QString soundPath = program.PathIn(QStringLiteral("sound.vlq"));
        StoreTankFile(soundPath.toStdString(), sound, 1);
        FileDialog::QueueChoice(soundPath);
        main.Action("acOpen")->trigger();
        QVERIFY(test::ShownMessages().isEmpty());

        TSteelVertCylTank broken;
        broken.SetGirdleHeightOuter(8, std::numeric_limits<double>::quiet_NaN());
        broken.UpdateGirdleHeight(8);
        const QString brokenPath = program.PathIn(QStringLiteral("broken.vlq"));
        StoreTankFile(brokenPath.toStdString(), broken, 1);
        FileDialog::QueueChoice(brokenPath);
        main.Action("acOpen")->trigger();
        const QStringList shown = test::ShownMessages();
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown.front().startsWith(QStringLiteral("Градуировочная таблица пуста")), qPrintable(shown.front()));
        QVERIFY(MessageBox::Shown().back().icon == MessageBox::Icon::Warning);
        QCOMPARE(program->Context().currentFileName, brokenPath);
    }

    void printerCalibrationBeyondWhatAPrinterNeedsIsRefused()
    {
        test::StartedProgram program;
        program.Show();
        MainWindow& main = program->MainForm();
        PrinterCalibration& values = program->Context().printerCalibration;
        QVERIFY(test::RunWhileModal([&main] { main.Action("acPrinterCalibration")->trigger(); },
                                    [&](QWidget&) {
                                        PrinterCalibrationDialog* dialog = main.PrinterCalibrationDlg();
                                        dialog->edX()->setText(QStringLiteral("-50"));
                                        dialog->edY()->setText(QStringLiteral("2,5"));
                                        dialog->edScalX()->setText(QStringLiteral("209,99999"));
                                        dialog->edScalY()->setText(QStringLiteral("4"));
                                        dialog->accept();
                                    }));
        QCOMPARE(values.dXCalibr, -50.0);
        QCOMPARE(values.dYCalibr, 2.5);
        QCOMPARE(values.dXScal, 0.0);
        QCOMPARE(values.dYScal, 0.0);
        QCOMPARE(test::ShownMessages(),
                 QStringList{QStringLiteral("Поправка принтера 209,99999 мм вне допустимых пределов: от -50 до 50 мм.")});
    }
};

VELOQUIN_APP_TEST(TankFileGuardsTest)
#include "TankFileGuardsTest.moc"
