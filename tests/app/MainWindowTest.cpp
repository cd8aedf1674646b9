// The main window: start-up order and defaults, the modified panel, the file
// commands with the save prompt and their failures, the close query, the
// settings written at shut-down and read at the next start, and the general
// error report.

#include "FileNames.h"
#include "MainWindow.h"
#include "AboutDialog.h"
#include "AppContext.h"
#include "AppFont.h"
#include "AppTestSupport.h"
#include "PreviewWindow.h"
#include "FileDialog.h"
#include "GeneralErrorReport.h"
#include "MessageBox.h"
#include "PrinterCalibrationDialog.h"
#include "SheetOptionsDialog.h"
#include "TankFile.h"
#include "TankInspector.h"
#include "WindowBounds.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include <sys/stat.h>

using namespace veloquin;

namespace {

const QString kNewName = QStringLiteral("Резервуар1.vlq");
const QString kPrompt = QStringLiteral("Сохранить изменения в Резервуар1.vlq?");

} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void startUpInOrderWithTheDefaults()
    {
        test::StartedProgram program;
        AppContext& context = program->Context();
        MainWindow& main = program->MainForm();
        TankInspector& inspector = program->Inspector();

        QCOMPARE(ApplicationTitle(), QStringLiteral("Veloquin"));
        QCOMPARE(main.windowTitle(), QStringLiteral("Резервуар1.vlq — Veloquin " VELOQUIN_PACKAGE_VERSION));
        QCOMPARE(context.currentFileName, kNewName);
        QCOMPARE(context.editing.FileVersion(), 1);
        QVERIFY(!context.Tank().Modified());
        QCOMPARE(QString::fromStdString(context.settings.Path()), program.PathIn(QStringLiteral("Veloquin.ini")));
        QCOMPARE(main.StatusPanelText(1), kNewName);
        QCOMPARE(main.StatusPanelText(2), QString());
        QCOMPARE(main.maximumHeight(), 122);
        // The inspector and the sheet options belong to the main window; the
        // inspector appears with the main window's first showing.
        QCOMPARE(inspector.parentWidget(), &main);
        QCOMPARE(program->SheetOptions().parentWidget(), &main);
        QVERIFY(!inspector.isVisible());
        QVERIFY(main.CalibrationDlg() == nullptr);

        program.Show();
        QVERIFY(inspector.isVisible());
        QCOMPARE(inspector.RowCount(), 21);
        QCOMPARE(inspector.GetCell(1, 4), QStringLiteral("8"));
        // First run without a settings file: the outer bounds, frame included.
        QTRY_COMPARE(main.frameGeometry(), QRect(0, 0, 500, 120));
        // The file name's panel gives the checks' counts the room they need, whole.
        auto* checks = main.findChild<QLabel*>(QStringLiteral("CheckStatus"));
        QVERIFY(checks);
        QTRY_VERIFY(!checks->text().isEmpty());
        const int checksRoom = checks->minimumWidth() + main.statusBar()->layout()->spacing();
        QTRY_COMPARE(main.findChild<QLabel*>(QStringLiteral("StatusPanel1"))->width(), main.width() - 140 - checksRoom);
        QVERIFY(checks->width() >= checks->sizeHint().width());
        QVERIFY(checks->geometry().right() < main.statusBar()->width());
        QVERIFY(test::ShownMessages().isEmpty());
    }

    void actionsCarryTheirShortcutsAndHints()
    {
        test::StartedProgram program;
        MainWindow& main = program->MainForm();
        QCOMPARE(main.Action("acOpen")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
        // The program's own key stays; the menu shows the one every desktop program saves with.
        QVERIFY(main.Action("acSave")->shortcuts().contains(QKeySequence(Qt::SHIFT | Qt::Key_F12)));
        QCOMPARE(main.Action("acExit")->shortcut(), QKeySequence(Qt::ALT | Qt::Key_X));
        QCOMPARE(main.Action("acInspector")->shortcut(), QKeySequence(Qt::Key_F11));
        QCOMPARE(main.Action("acActivePage")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_T));
        QCOMPARE(main.Action("acCalibration")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_G));
        QCOMPARE(main.Action("acCalibrationTxt")->text(),
                 QStringLiteral("Градуировочная таблица в &текстовом формате"));
        QCOMPARE(main.Action("acSaveAs")->text(), QStringLiteral("Сохранить Ка&к..."));
        QCOMPARE(main.Action("acOutline")->toolTip(), QStringLiteral("Схема резервуара"));
        for (const char* name : {"acOpen", "acSave", "acExit", "acInspector", "acActivePage", "acProtocol",
                                 "acCalibrationTxt", "acCalibration", "acOutline", "acPrinterCalibration", "acAbout"})
            QVERIFY2(!main.Action(name)->icon().isNull(), name);
    }

    void theFileCommandsRunFromTheirActions()
    {
        test::StartedProgram program;
        program.Show();
        MainWindow& main = program->MainForm();
        AppContext& context = program->Context();
        TankInspector& inspector = program->Inspector();

        test::TankToArrange(context).SetName("Из меню");
        const QString path = program.PathIn(QStringLiteral("menu.vlq"));
        FileDialog::QueueChoice(path);
        main.Action("acSave")->trigger();
        QCOMPARE(FileDialog::Shown().back().title, QStringLiteral("Сохранить как"));
        QCOMPARE(QString::fromStdString(LoadTankFile(path.toStdString()).tank.Name()), QStringLiteral("Из меню"));
        QVERIFY(!context.Tank().Modified());

        const QString other = program.PathIn(QStringLiteral("other.vlq"));
        FileDialog::QueueChoice(other);
        main.Action("acSaveAs")->trigger();
        QCOMPARE(FileDialog::Shown().size(), size_t(2));
        QCOMPARE(context.currentFileName, other);
        QVERIFY(QFile::exists(other));

        main.Action("acInspector")->trigger();
        QVERIFY(inspector.isVisible()); // already shown: stays shown
        inspector.close();
        main.Action("acInspector")->trigger();
        QVERIFY(inspector.isVisible());

        QString aboutTitle;
        QVERIFY(test::RunWhileModal([&main] { main.Action("acAbout")->trigger(); },
                                    [&](QWidget& modal) { aboutTitle = modal.windowTitle(); }));
        QVERIFY(main.AboutDlg() != nullptr);
        QCOMPARE(aboutTitle, main.AboutDlg()->windowTitle());

        main.Action("acExit")->trigger();
        QVERIFY(!main.isVisible());
        QVERIFY(MessageBox::Shown().empty());
    }

    void modifiedPanelFollowsTheFlag()
    {
        test::StartedProgram program;
        program.Show();
        MainWindow& main = program->MainForm();
        TSteelVertCylTank& tank = test::TankToArrange(program->Context());
        tank.SetName("Другой");
        QTRY_COMPARE_WITH_TIMEOUT(main.StatusPanelText(2), QStringLiteral("Изменен"), 5000);
        tank.SetModified(false);
        QTRY_COMPARE_WITH_TIMEOUT(main.StatusPanelText(2), QString(), 5000);
    }

    void statusBarCommandFlipsBarAndCheckMark()
    {
        test::StartedProgram program;
        program.Show();
        MainWindow& main = program->MainForm();
        QAction* action = main.Action("acStatusBar");
        QVERIFY(action->isChecked());
        action->trigger();
        QVERIFY(!main.statusBar()->isVisible());
        QVERIFY(!action->isChecked());
        action->trigger();
        QVERIFY(main.statusBar()->isVisible());
        QVERIFY(action->isChecked());
    }

    void saveOfANewTankAsksForAName()
    {
        test::StartedProgram program;
        program.Show();
        MainWindow& main = program->MainForm();
        AppContext& context = program->Context();
        test::TankToArrange(context).SetName("РВС-100");

        // Cancelled: nothing changes.
        QVERIFY(!main.acSaveExecute());
        QCOMPARE(FileDialog::Shown().size(), size_t(1));
        QVERIFY(context.Tank().Modified());
        QCOMPARE(main.StatusPanelText(1), kNewName);

        const QString path = program.PathIn(QStringLiteral("tank"));
        FileDialog::QueueChoice(path);
        QVERIFY(main.acSaveExecute());
        const FileDialog::Request& dialog = FileDialog::Shown().back();
        QCOMPARE(dialog.title, QStringLiteral("Сохранить как"));
        // A tank never saved is offered under its own name.
        QCOMPARE(dialog.fileName, QStringLiteral("РВС-100.vlq"));
        QCOMPARE(dialog.filter, QStringLiteral("Файл данных Veloquin (*.vlq)"));
        QCOMPARE(dialog.defaultSuffix, QStringLiteral("vlq"));
        QVERIFY(dialog.save);
        const QString saved = path + QStringLiteral(".vlq");
        QCOMPARE(main.StatusPanelText(1), saved);
        QCOMPARE(context.currentFileName, saved);
        QVERIFY(!context.Tank().Modified());
        QCOMPARE(QString::fromStdString(LoadTankFile(saved.toStdString()).tank.Name()), QStringLiteral("РВС-100"));

        // Later saves go to that file without a dialog.
        test::TankToArrange(context).SetDesignCapacity(300);
        QVERIFY(main.acSaveExecute());
        QCOMPARE(FileDialog::Shown().size(), size_t(2));
        QCOMPARE(LoadTankFile(saved.toStdString()).tank.DesignCapacity(), 300);
    }

    void aFailedSaveKeepsTheNameAndTheChanges()
    {
        test::StartedProgram program;
        program.Show();
        MainWindow& main = program->MainForm();
        AppContext& context = program->Context();
        test::TankToArrange(context).SetName("X");
        const QString target = program.PathIn(QStringLiteral("missing-folder/tank.vlq"));
        FileDialog::QueueChoice(target);
        QVERIFY(!main.acSaveAsExecute());
        QCOMPARE(MessageBox::Shown().size(), size_t(1));
        // Said in Russian, naming the file.
        QCOMPARE(MessageBox::Shown().front().text,
                 QStringLiteral("Не удалось сохранить файл %1:\nПапка не найдена.").arg(QuotedFileName(target)));
        QCOMPARE(MessageBox::Shown().front().caption, QStringLiteral("Veloquin"));
        QVERIFY(MessageBox::Shown().front().icon == MessageBox::Icon::Critical);
        QVERIFY(MessageBox::Shown().front().text.endsWith(QLatin1Char('.')));
        QCOMPARE(main.StatusPanelText(1), kNewName);
        QCOMPARE(context.currentFileName, kNewName);
        QVERIFY(context.Tank().Modified());
    }

    void closeQueryAnswers()
    {
        test::StartedProgram program;
        program.Show();
        MainWindow& main = program->MainForm();
        TSteelVertCylTank& tank = test::TankToArrange(program->Context());

        tank.SetName("X");
        MessageBox::QueueAnswer(QMessageBox::Cancel);
        QVERIFY(!main.close());
        QVERIFY(main.isVisible());
        const MessageBox::Record& asked = MessageBox::Shown().back();
        QCOMPARE(asked.text, kPrompt);
        QCOMPARE(asked.caption, QStringLiteral("Veloquin"));
        QVERIFY(asked.icon == MessageBox::Icon::Warning);
        QCOMPARE(asked.buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);

        // Yes on a never-saved tank opens the save dialog; cancelling it keeps the program open.
        MessageBox::QueueAnswer(QMessageBox::Yes);
        QVERIFY(!main.close());
        QCOMPARE(FileDialog::Shown().size(), size_t(1));
        QVERIFY(tank.Modified());

        // Yes with a save that fails keeps it open too, and says why.
        MessageBox::QueueAnswer(QMessageBox::Yes);
        FileDialog::QueueChoice(program.PathIn(QStringLiteral("no/such/dir/t.vlq")));
        QVERIFY(!main.close());
        QCOMPARE(MessageBox::Shown().back().icon, MessageBox::Icon::Critical);

        // Yes with a name: saved, then closed.
        MessageBox::QueueAnswer(QMessageBox::Yes);
        FileDialog::QueueChoice(program.PathIn(QStringLiteral("t.vlq")));
        QVERIFY(main.close());
        QVERIFY(QFile::exists(program.PathIn(QStringLiteral("t.vlq"))));
        QVERIFY(!program->Inspector().isVisible());
    }

    void closeWithoutChangesOrWithNo()
    {
        {
            test::StartedProgram program;
            program.Show();
            QVERIFY(program->MainForm().close());
            QVERIFY(MessageBox::Shown().empty());
            // No window is left open to keep the program running.
            for (const QWidget* window : QApplication::topLevelWidgets())
                QVERIFY2(!window->isVisible(), qPrintable(window->windowTitle()));
        }
        {
            test::StartedProgram program;
            program.Show();
            test::TankToArrange(program->Context()).SetName("X");
            MessageBox::QueueAnswer(QMessageBox::No);
            QVERIFY(program->MainForm().close());
            QCOMPARE(MessageBox::Shown().size(), size_t(1));
            QVERIFY(FileDialog::Shown().empty());
        }
    }

    void openAskesAboutChangesFirst()
    {
        test::StartedProgram program;
        program.Show();
        MainWindow& main = program->MainForm();
        AppContext& context = program->Context();
        const QString sample = test::CopySample(QStringLiteral("sample_rvs400.vlq"), program.Dir());

        // Cancel: no open dialog, nothing changes.
        test::TankToArrange(context).SetName("X");
        MessageBox::QueueAnswer(QMessageBox::Cancel);
        main.Action("acOpen")->trigger();
        QCOMPARE(test::ShownMessages(), QStringList{kPrompt});
        QVERIFY(FileDialog::Shown().empty());
        QCOMPARE(QString::fromStdString(context.Tank().Name()), QStringLiteral("X"));

        // Yes with the save cancelled: nothing is opened.
        MessageBox::QueueAnswer(QMessageBox::Yes);
        main.Action("acOpen")->trigger();
        QCOMPARE(FileDialog::Shown().size(), size_t(1));
        QVERIFY(FileDialog::Shown().back().save);
        QCOMPARE(QString::fromStdString(context.Tank().Name()), QStringLiteral("X"));

        // No: the file replaces the changes.
        MessageBox::QueueAnswer(QMessageBox::No);
        FileDialog::QueueChoice(sample);
        main.Action("acOpen")->trigger();
        const FileDialog::Request& dialog = FileDialog::Shown().back();
        QCOMPARE(dialog.title, QStringLiteral("Открыть"));
        QCOMPARE(dialog.filter, QStringLiteral("Файл данных Veloquin (*.vlq)"));
        QCOMPARE(dialog.defaultSuffix, QStringLiteral("vlq"));
        QVERIFY(!dialog.save);
        QCOMPARE(QString::fromStdString(context.Tank().Name()), QStringLiteral("РВС-400 №33"));
        QCOMPARE(context.Tank().GirdleCount(), 5);
        QVERIFY(!context.Tank().Modified());
        QCOMPARE(context.currentFileName, sample);
        QCOMPARE(main.StatusPanelText(1), sample);
        QCOMPARE(main.StatusPanelText(2), QString());
        TankInspector& inspector = program->Inspector();
        QCOMPARE(inspector.GetCell(1, 2), QStringLiteral("400"));
        QCOMPARE(inspector.GetCell(1, 4), QStringLiteral("5"));
        // The open edit box (row 1) shows the loaded value.
        QCOMPARE(inspector.InsEdit()->text(), QStringLiteral("РВС-400 №33"));

        // Yes with a save that works: the changes are stored, then the file is opened.
        test::TankToArrange(context).SetDesignCapacity(500);
        MessageBox::QueueAnswer(QMessageBox::Yes);
        FileDialog::QueueChoice(sample);
        main.Action("acOpen")->trigger();
        QCOMPARE(test::ShownMessages().last(), QStringLiteral("Сохранить изменения в ") + QuotedPath(sample) + QLatin1Char('?'));
        QCOMPARE(context.Tank().DesignCapacity(), 500);
        QVERIFY(!context.Tank().Modified());
    }

    void aFailedSaveBeforeOpenReplacesNothing()
    {
        test::StartedProgram program;
        program.Show();
        MainWindow& main = program->MainForm();
        AppContext& context = program->Context();
        // Saved once into a folder that then disappears: the next Save fails.
        QVERIFY(QDir(program.Dir()).mkdir(QStringLiteral("gone")));
        const QString gone = program.PathIn(QStringLiteral("gone/t.vlq"));
        FileDialog::QueueChoice(gone);
        QVERIFY(main.acSaveAsExecute());
        QVERIFY(QDir(program.PathIn(QStringLiteral("gone"))).removeRecursively());

        test::TankToArrange(context).SetDesignCapacity(450);
        MessageBox::QueueAnswer(QMessageBox::Yes);
        main.Action("acOpen")->trigger();
        QCOMPARE(FileDialog::Shown().size(), size_t(1)); // only the Save As above
        QCOMPARE(MessageBox::Shown().size(), size_t(2));
        QVERIFY(MessageBox::Shown().back().icon == MessageBox::Icon::Critical);
        QCOMPARE(context.Tank().DesignCapacity(), 450);
        QVERIFY(context.Tank().Modified());
        QCOMPARE(main.StatusPanelText(1), gone);
        QCOMPARE(context.currentFileName, gone);
    }

    void aTypedValueIsNotLostByTheFileCommands()
    {
        test::StartedProgram program;
        program.Show();
        MainWindow& main = program->MainForm();
        TankInspector& inspector = program->Inspector();
        // Typed into the inspector, no Enter, then Save from the main window.
        QVERIFY(inspector.SelectRow(2));
        inspector.InsEdit()->selectAll();
        test::TypeText(inspector.InsEdit(), QStringLiteral("700"));
        const QString path = program.PathIn(QStringLiteral("typed.vlq"));
        FileDialog::QueueChoice(path);
        QVERIFY(main.acSaveExecute());
        QCOMPARE(LoadTankFile(path.toStdString()).tank.DesignCapacity(), 700);
        QVERIFY(!program->Context().Tank().Modified());

        // Typed, then the window closed: the prompt guards it.
        inspector.InsEdit()->selectAll();
        test::TypeText(inspector.InsEdit(), QStringLiteral("800"));
        MessageBox::QueueAnswer(QMessageBox::Cancel);
        QVERIFY(!main.close());
        QCOMPARE(test::ShownMessages(),
                 QStringList{QStringLiteral("Сохранить изменения в ") + path + QLatin1Char('?')});
    }

    void aDamagedFileChangesNothing()
    {
        test::StartedProgram program;
        program.Show();
        MainWindow& main = program->MainForm();
        AppContext& context = program->Context();
        const QString good = test::CopySample(QStringLiteral("sample_rvs400.vlq"), program.Dir());
        FileDialog::QueueChoice(good);
        main.Action("acOpen")->trigger();
        test::TankToArrange(context).SetStoredDensity(850);
        QTRY_COMPARE_WITH_TIMEOUT(main.StatusPanelText(2), QStringLiteral("Изменен"), 5000);

        const QStringList shownValues = [&] {
            QStringList values;
            for (int row = 1; row <= 21; ++row)
                values.append(program->Inspector().GetCell(1, row));
            return values;
        }();
        const QString damaged = test::CopySample(QStringLiteral("short_sample_rvs1000.vlq"), program.Dir());
        MessageBox::QueueAnswer(QMessageBox::No);
        FileDialog::QueueChoice(damaged);
        main.Action("acOpen")->trigger();
        const MessageBox::Record& report = MessageBox::Shown().back();
        QCOMPARE(report.text,
                 QStringLiteral("Не удалось открыть файл %1:\nФайл короче, чем должен быть.").arg(QuotedFileName(damaged)));
        QCOMPARE(report.caption, QStringLiteral("Veloquin"));
        QVERIFY(report.icon == MessageBox::Icon::Critical);

        QCOMPARE(QString::fromStdString(context.Tank().Name()), QStringLiteral("РВС-400 №33"));
        QCOMPARE(context.Tank().StoredDensity(), 850.0);
        QVERIFY(context.Tank().Modified());
        QCOMPARE(context.currentFileName, good);
        QCOMPARE(main.StatusPanelText(1), good);
        QVERIFY(test::WaitForStatusTick(main));
        QCOMPARE(main.StatusPanelText(2), QStringLiteral("Изменен"));
        for (int row = 1; row <= 21; ++row)
            QCOMPARE(program->Inspector().GetCell(1, row), shownValues.at(row - 1));

        // A pipe is refused with the reader's reason, without waiting for a writer.
        const QString pipe = program.PathIn(QStringLiteral("pipe.vlq"));
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        MessageBox::QueueAnswer(QMessageBox::No);
        FileDialog::QueueChoice(pipe);
        main.Action("acOpen")->trigger();
        QCOMPARE(MessageBox::Shown().back().text,
                 QStringLiteral("Не удалось открыть файл %1:\nЭто канал, а не файл.").arg(QuotedFileName(pipe)));
        QCOMPARE(context.currentFileName, good);
        QCOMPARE(context.Tank().StoredDensity(), 850.0);

        // A name that does not exist is ignored without a word.
        const auto messages = MessageBox::Shown().size();
        MessageBox::QueueAnswer(QMessageBox::No);
        FileDialog::QueueChoice(program.PathIn(QStringLiteral("nothing-here.vlq")));
        main.Action("acOpen")->trigger();
        QCOMPARE(MessageBox::Shown().size(), messages + 1); // only the save prompt
        QCOMPARE(context.currentFileName, good);
    }

    void settingsAreWrittenAtShutDownAndReadAtStart()
    {
        QTemporaryDir dir;
        const std::string startDir = dir.path().toStdString();
        MessageBox::SetTestMode(true);
        FileDialog::SetTestMode(true);
        {
            Program program(startDir);
            MainWindow& main = program.MainForm();
            main.show();
            QVERIFY(QTest::qWaitForWindowExposed(&main));
            QCOMPARE(program.Context().printerCalibration.dXCalibr, 0.0);
            main.Bounds().ApplyFitted(QRect(30, 40, 620, 300)); // taller than the window may be
            QTRY_COMPARE(main.frameGeometry(), QRect(30, 40, 620, 122));
            program.Context().printerCalibration.dXCalibr = 1.5;
            program.Context().printerCalibration.dYScal = -2.25;
            QVERIFY(main.close());
        }
        ProfileFile ini(SettingsFilePath(startDir));
        QCOMPARE(ini.ReadInteger("WindowState", "WindowLeft", -1), 30);
        QCOMPARE(ini.ReadInteger("WindowState", "WindowTop", -1), 40);
        QCOMPARE(ini.ReadInteger("WindowState", "WindowWidth", -1), 620);
        QCOMPARE(ini.ReadInteger("WindowState", "WindowHeight", -1), 122);
        QCOMPARE(ini.ReadBool("WindowState", "Maximized", true), false);
        QCOMPARE(ini.ReadFloat("PrinterCalibr", "dXCalibr", 0), 1.5);
        // The inspector was open when the program ended: its place is kept too.
        QCOMPARE(ini.ReadInteger("InspectorState", "WindowTop", -1), 120);

        Program again(startDir);
        again.MainForm().show();
        QVERIFY(QTest::qWaitForWindowExposed(&again.MainForm()));
        QTRY_COMPARE(again.MainForm().frameGeometry(), QRect(30, 40, 620, 122));
        QCOMPARE(again.Context().printerCalibration.dXCalibr, 1.5);
        QCOMPARE(again.Context().printerCalibration.dYScal, -2.25);
        MessageBox::SetTestMode(false);
        FileDialog::SetTestMode(false);
    }

    void printerCalibrationKeepsTheBoxesBeforeABadOne()
    {
        test::StartedProgram program;
        program.Show();
        MainWindow& main = program->MainForm();
        PrinterCalibration& values = program->Context().printerCalibration;
        values.dXScal = 7;
        QString shownScalX;
        QVERIFY(test::RunWhileModal([&main] { main.Action("acPrinterCalibration")->trigger(); },
                                    [&](QWidget&) {
                                        PrinterCalibrationDialog* dialog = main.PrinterCalibrationDlg();
                                        shownScalX = dialog->edScalX()->text();
                                        dialog->edX()->setText(QStringLiteral("1,25"));
                                        dialog->edY()->setText(QStringLiteral("0,5 мм")); // no number
                                        dialog->edScalX()->setText(QStringLiteral("3"));
                                        dialog->accept();
                                    }));
        QCOMPARE(shownScalX, QStringLiteral("7"));
        QCOMPARE(values.dXCalibr, 1.25);
        QCOMPARE(values.dYCalibr, 0.0);
        QCOMPARE(values.dXScal, 7.0);
        QCOMPARE(test::ShownMessages(), QStringList{QStringLiteral("Значение «0,5 мм» не принято — это не число.")});
    }

    void documentCommandsOpenThePreviewOnTheirDocument()
    {
        test::StartedProgram program;
        program.Show();
        MainWindow& main = program->MainForm();
        const DocumentSelection& documents = program->Context().documents;
        struct Seen
        {
            DocKind kind = DocKind::Outline;
            int page = 0;
            int count = 0;
            QString caption;
            bool maximized = false;
        };
        // Opens the preview with a command, notes what it shows, and turns `pagesDown` pages before it closes.
        const auto open = [&](const char* command, int pagesDown = 0) {
            Seen seen;
            const bool shown =
                test::RunWhileModal([&] { main.Action(command)->trigger(); },
                                    [&](QWidget& window) {
                                        seen = {documents.docKind, documents.curPage, documents.docPageCount,
                                                window.windowTitle(), window.isMaximized()};
                                        auto* down = window.findChild<QAction*>(QStringLiteral("acPageDown"));
                                        for (int page = 0; page < pagesDown; ++page)
                                            down->trigger();
                                    });
            return shown ? seen : Seen{};
        };

        QVERIFY(main.DrawForm() == nullptr);
        // Before the preview ever opened, the current page is the protocol's first.
        Seen seen = open("acActivePage");
        QCOMPARE(seen.kind, DocKind::Protocol);
        QCOMPARE(seen.page, 1);
        QCOMPARE(seen.count, 6);
        QCOMPARE(seen.caption, QStringLiteral("Просмотр документа"));
        QVERIFY(seen.maximized);
        PreviewWindow* preview = main.DrawForm();
        QVERIFY(preview != nullptr);
        QCOMPARE(preview->parentWidget(), &main);

        seen = open("acCalibration", 2);
        QCOMPARE(seen.kind, DocKind::Calibration);
        QCOMPARE(seen.page, 1);
        QCOMPARE(seen.count, 8);
        // The preview is kept, and the current page is where the user left it.
        QCOMPARE(main.DrawForm(), preview);
        seen = open("acActivePage");
        QCOMPARE(seen.kind, DocKind::Calibration);
        QCOMPARE(seen.page, 3);

        seen = open("acOutline");
        QCOMPARE(seen.kind, DocKind::Outline);
        QCOMPARE(seen.count, 1);
        seen = open("acProtocol", 7);
        QCOMPARE(seen.kind, DocKind::Protocol);
        QCOMPARE(seen.page, 1);
        QCOMPARE(documents.docKind, DocKind::Calibration);
        QCOMPARE(documents.curPage, 2);
        // Nothing to tell the user on the way.
        QVERIFY(test::ShownMessages().isEmpty());
    }

    void documentCommandsTakeTheValueStillBeingTyped()
    {
        test::StartedProgram program;
        program.Show();
        MainWindow& main = program->MainForm();
        TankInspector& inspector = program->Inspector();
        // "Число поясов", typed but not yet committed.
        QVERIFY(inspector.SelectRow(4));
        inspector.InsEdit()->selectAll();
        test::TypeText(inspector.InsEdit(), QStringLiteral("5"));
        int pages = 0;
        QVERIFY(test::RunWhileModal([&] { main.Action("acCalibration")->trigger(); },
                                    [&](QWidget&) { pages = program->Context().documents.docPageCount; }));
        QCOMPARE(pages, 5);
    }

    void generalErrorReportEndsWithAFullStop()
    {
        QCOMPARE(WithFullStop(QStringLiteral("Read beyond end of file")), QStringLiteral("Read beyond end of file."));
        QCOMPARE(WithFullStop(QStringLiteral("Unable to write to /tmp/Veloquin.ini")),
                 QStringLiteral("Unable to write to /tmp/Veloquin.ini."));
        QCOMPARE(WithFullStop(QStringLiteral("Готово!")), QStringLiteral("Готово!"));
        QCOMPARE(WithFullStop(QStringLiteral("Ошибка")), QStringLiteral("Ошибка."));
        QCOMPARE(WithFullStop(QStringLiteral("done.")), QStringLiteral("done."));
        QCOMPARE(WithFullStop(QStringLiteral("(1)")), QStringLiteral("(1)"));
        QCOMPARE(WithFullStop(QString()), QString());
    }
};

VELOQUIN_APP_TEST(MainWindowTest)
#include "MainWindowTest.moc"
