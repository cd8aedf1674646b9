// The program as a desktop user lives with it: a new tank after the save
// prompt, the recent files kept across runs, a file named on the command line
// or dropped from the file manager, the window title following the changes, the
// name Save As proposes, the inspector's first column at first start and the
// user's guide.

#include "AppContext.h"
#include "AppFont.h"
#include "AppTestSupport.h"
#include "FileDialog.h"
#include "FileNames.h"
#include "GFunc.h"
#include "InspectorColumnFit.h"
#include "MainWindow.h"
#include "MessageBox.h"
#include "RecentFilesMenu.h"
#include "TankFile.h"
#include "TankInspector.h"
#include "UserGuideWindow.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <QTest>
#include <QTextBrowser>
#include <QUrl>
#include <cstdio>
#include <sys/stat.h>

using namespace veloquin;

namespace {

const QString kNewName = QStringLiteral("Резервуар1.vlq");
// The caption writes the version as the package does.
const QString kCaption = QStringLiteral("Veloquin " VELOQUIN_PACKAGE_VERSION);
const QString kSample = QStringLiteral("sample_rvs400.vlq");

QByteArray Bytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray StoredBytes(const TSteelVertCylTank& tank, const QString& path)
{
    StoreTankFile(path.toStdString(), tank, 1);
    return Bytes(path);
}

// A program started on a settings folder the test keeps, so that a second run
// finds what the first one left.
std::unique_ptr<Program> StartIn(const QString& dir)
{
    MessageBox::SetTestMode(true);
    FileDialog::SetTestMode(true);
    QDir::setCurrent(dir);
    return std::make_unique<Program>(dir.toStdString());
}

// What a file manager sends while a file is dragged over a window and let go.
struct DropResult
{
    bool enterAccepted = false;
    bool dropAccepted = false;
};

DropResult DropUrl(QWidget& window, const QUrl& url)
{
    QMimeData data;
    data.setUrls({url});
    const QPoint at(window.width() / 2, window.height() / 2);
    QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    enter.ignore();
    QApplication::sendEvent(&window, &enter);
    DropResult result;
    result.enterAccepted = enter.isAccepted();
    if (result.enterAccepted) {
        QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        drop.ignore();
        QApplication::sendEvent(&window, &drop);
        result.dropAccepted = drop.isAccepted();
    }
    return result;
}

DropResult DropFile(QWidget& window, const QString& path)
{
    return DropUrl(window, QUrl::fromLocalFile(path));
}

// The sample tank, copied under a name given by its bytes.
bool CopySampleTo(const std::string& bytes)
{
    const QByteArray data = Bytes(QStringLiteral(VELOQUIN_SAMPLES_DIR "/") + kSample);
    std::FILE* file = std::fopen(bytes.c_str(), "wb");
    if (!file || data.isEmpty())
        return false;
    const bool written = std::fwrite(data.constData(), 1, static_cast<std::size_t>(data.size()), file) ==
                         static_cast<std::size_t>(data.size());
    return std::fclose(file) == 0 && written;
}

} // namespace

class DesktopFilesTest : public QObject
{
    Q_OBJECT

private slots:
    void newAfterChangesAsksThenGivesTheDefaultTank()
    {
        test::StartedProgram program;
        program.Show();
        MainWindow& main = program->MainForm();
        AppContext& context = program->Context();
        QCOMPARE(main.Action("acNew")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
        const QByteArray defaultTank = StoredBytes(context.Tank(), program.PathIn(QStringLiteral("default.vlq")));

        // Unchanged: nothing to ask.
        const QString sample = test::CopySample(kSample, program.Dir());
        QVERIFY(main.OpenTankFile(sample));
        main.Action("acNew")->trigger();
        QVERIFY(test::ShownMessages().isEmpty());
        QCOMPARE(context.currentFileName, kNewName);

        // Changed: Cancel keeps the tank, its name and its changes.
        QVERIFY(main.OpenTankFile(sample));
        test::TankToArrange(context).SetDesignCapacity(450);
        MessageBox::QueueAnswer(QMessageBox::Cancel);
        main.Action("acNew")->trigger();
        QCOMPARE(test::ShownMessages(),
                 QStringList{QStringLiteral("Сохранить изменения в ") + QuotedPath(sample) + QLatin1Char('?')});
        QCOMPARE(context.Tank().DesignCapacity(), 450);
        QCOMPARE(context.currentFileName, sample);
        QVERIFY(context.Tank().Modified());

        // Yes stores the changes first; then the tank is the program's new one,
        // byte for byte, under the new name, unchanged, and shown so.
        MessageBox::QueueAnswer(QMessageBox::Yes);
        main.Action("acNew")->trigger();
        QCOMPARE(LoadTankFile(sample.toStdString()).tank.DesignCapacity(), 450);
        QCOMPARE(StoredBytes(context.Tank(), program.PathIn(QStringLiteral("new.vlq"))), defaultTank);
        QVERIFY(!context.Tank().Modified());
        QCOMPARE(context.editing.FileVersion(), 1);
        QCOMPARE(context.currentFileName, kNewName);
        QCOMPARE(main.StatusPanelText(1), kNewName);
        QCOMPARE(main.windowTitle(), kNewName + QStringLiteral(" — ") + kCaption);
        QCOMPARE(program->Inspector().GetCell(1, 1), QStringLiteral("Резервуар1"));
        QCOMPARE(program->Inspector().GetCell(1, 2), QString::number(context.Tank().DesignCapacity()));

        // No gives the changes up; Save on the new tank asks for a name again.
        test::TankToArrange(context).SetDesignCapacity(700);
        MessageBox::QueueAnswer(QMessageBox::No);
        main.Action("acNew")->trigger();
        QVERIFY(!context.Tank().Modified());
        QCOMPARE(StoredBytes(context.Tank(), program.PathIn(QStringLiteral("new.vlq"))), defaultTank);
        FileDialog::ClearShown();
        QVERIFY(!main.acSaveExecute());
        QCOMPARE(FileDialog::Shown().size(), size_t(1));
    }

    void recentFilesSurviveARestartKeepEightAndDropAMissingOne()
    {
        QTemporaryDir dir;
        QStringList copies;
        for (int i = 1; i <= 9; ++i) {
            const QString copy = dir.filePath(QStringLiteral("РВС %1.vlq").arg(i));
            QVERIFY(QFile::copy(QStringLiteral(VELOQUIN_SAMPLES_DIR "/") + kSample, copy));
            copies << copy;
        }
        QStringList expected;
        {
            auto program = StartIn(dir.path());
            MainWindow& main = program->MainForm();
            for (const QString& copy : copies)
                QVERIFY(main.OpenTankFile(copy));
            // Saving under a new name lists that name too, at the top.
            const QString saved = dir.filePath(QStringLiteral("saved.vlq"));
            FileDialog::QueueChoice(saved);
            QVERIFY(main.acSaveAsExecute());
            expected = QStringList{saved};
            for (int i = 8; i >= 2; --i)
                expected << copies.at(i);
            QCOMPARE(main.RecentFiles()->Paths(), expected);
            QVERIFY(main.WriteSettings());
        }

        auto program = StartIn(dir.path());
        MainWindow& main = program->MainForm();
        RecentFilesMenu& recent = *main.RecentFiles();
        QCOMPARE(recent.Paths(), expected);
        recent.Rebuild();
        const QList<QAction*> entries = recent.Menu()->actions();
        QCOMPARE(entries.size(), 8);
        QCOMPARE(entries.first()->text(), QStringLiteral("&1 ") + expected.first());
        QCOMPARE(entries.last()->data().toString(), expected.last());

        // A listed file that is gone: said, dropped, and the tank stays as it is.
        QVERIFY(QFile::remove(expected.at(3)));
        MessageBox::ClearShown();
        entries.at(3)->trigger();
        QCOMPARE(test::ShownMessages(),
                 QStringList{QStringLiteral("Файл «%1» не найден. Он убран из списка последних файлов.")
                                 .arg(QuotedPath(expected.at(3)))});
        QCOMPARE(program->Context().currentFileName, kNewName);
        expected.removeAt(3);
        QCOMPARE(recent.Paths(), expected);
        QCOMPARE(recent.Menu()->actions().size(), 7);

        // One that is there opens from its entry.
        recent.Menu()->actions().at(2)->trigger();
        QCOMPARE(program->Context().currentFileName, expected.at(2));
        QCOMPARE(recent.Paths().first(), expected.at(2));
    }

    void aSettingsFileWithoutTheListStillLoads()
    {
        QTemporaryDir dir;
        const QByteArray old = "[WindowState]\r\nMaximized=0\r\nWindowWidth=640\r\nWindowHeight=110\r\n"
                               "WindowTop=30\r\nWindowLeft=40\r\n"
                               "[PrinterCalibr]\r\ndXCalibr=1.5\r\ndYCalibr=0\r\ndXScal=0\r\ndYScal=0\r\n"
                               "[InspectorState]\r\nWindowTop=200\r\nWindowLeft=10\r\nWindowWidth=520\r\n"
                               "WindowHeight=320\r\nCol1Width=150\r\n";
        {
            QFile ini(dir.filePath(QStringLiteral("Veloquin.ini")));
            QVERIFY(ini.open(QIODevice::WriteOnly));
            ini.write(old);
        }
        SetDecimalSeparator('.');
        auto program = StartIn(dir.path());
        program->MainForm().show();
        QVERIFY(QTest::qWaitForWindowExposed(&program->Inspector()));
        QTRY_COMPARE(program->MainForm().frameGeometry().width(), 640);
        QCOMPARE(program->Context().printerCalibration.dXCalibr, 1.5);
        // The width the user chose stays, narrower than the captions or not.
        QCOMPARE(program->Inspector().ColWidth(), 150);
        QVERIFY(program->MainForm().RecentFiles()->Paths().isEmpty());
        program->MainForm().RecentFiles()->Rebuild();
        const QList<QAction*> entries = program->MainForm().RecentFiles()->Menu()->actions();
        QCOMPARE(entries.size(), 1);
        QVERIFY(!entries.first()->isEnabled());

        // The list joins the file after the old sections, which keep every line.
        const QString sample = test::CopySample(kSample, dir.path());
        QVERIFY(program->MainForm().OpenTankFile(sample));
        const QByteArray now = Bytes(dir.filePath(QStringLiteral("Veloquin.ini")));
        QVERIFY2(now.startsWith(old), now.constData());
        QVERIFY(now.contains("[RecentFiles]\r\nFile1=" + sample.toUtf8() + "\r\n"));
    }

    void aFileNamedOnTheCommandLineOpens()
    {
        test::StartedProgram program;
        const QString sample = test::CopySample(kSample, program.Dir());
        // Started from the file manager or a shell in the file's folder.
        const QString named = StartupTankFile({QStringLiteral("veloquin"), QStringLiteral("--some-option"), kSample});
        QCOMPARE(named, sample);
        QVERIFY(StartupTankFile({QStringLiteral("veloquin")}).isEmpty());
        program.Show();
        MainWindow& main = program->MainForm();
        QVERIFY(main.OpenTankFile(named));
        QCOMPARE(program->Context().currentFileName, sample);
        QCOMPARE(main.StatusPanelText(1), sample);
        QCOMPARE(QString::fromStdString(program->Context().Tank().Name()), QStringLiteral("РВС-400 №33"));
        QCOMPARE(program->Inspector().GetCell(1, 4), QStringLiteral("5"));
        QVERIFY(!program->Context().Tank().Modified());
        QCOMPARE(main.windowTitle(), kSample + QStringLiteral(" — ") + kCaption);
        QVERIFY(test::ShownMessages().isEmpty());
    }

    void aFileWhoseNameIsNotUtf8OpensAndShowsItsNameWithReplacementCharacters()
    {
        test::StartedProgram program;
        program.Show();
        MainWindow& main = program->MainForm();
        // A name written on a system whose file names are in code page 1251: "РВС" and two stray bytes.
        const std::string bytes = NativePath(program.Dir()) + "/\xd0\xc2\xd1 \xff.vlq";
        QVERIFY(CopySampleTo(bytes));
        const char* argv[] = {"veloquin", bytes.c_str()};
        const QString named = StartupTankFile(ArgumentsFromNative(2, argv));
        QCOMPARE(NativePath(named), bytes);
        QVERIFY(main.OpenTankFile(named));
        QCOMPARE(QString::fromStdString(program->Context().Tank().Name()), QStringLiteral("РВС-400 №33"));
        const QString shown = QStringLiteral("\uFFFD\uFFFD\uFFFD \uFFFD.vlq");
        QVERIFY2(main.windowTitle().startsWith(shown), qPrintable(main.windowTitle()));
        QVERIFY(main.StatusPanelText(1).endsWith(QLatin1Char('/') + shown));
        // Saved under its own bytes, listed under them, and read back from the settings the same.
        QVERIFY(main.acSaveExecute());
        QCOMPARE(NativePath(main.RecentFiles()->Paths().first()), bytes);
        QVERIFY(main.WriteSettings());
        QCOMPARE(NativePath(main.RecentFiles()->Paths().first()), bytes);
        main.RecentFiles()->Rebuild();
        main.RecentFiles()->Menu()->actions().first()->trigger();
        QVERIFY(test::ShownMessages().isEmpty());
        QCOMPARE(NativePath(program->Context().currentFileName), bytes);
    }

    void aNameThatIsNotUtf8ComesFromTheFileDialogAndADropByItsBytes()
    {
        test::StartedProgram program;
        program.Show();
        MainWindow& main = program->MainForm();
        AppContext& context = program->Context();
        const std::string dir = NativePath(program.Dir());
        // A folder and a file whose names hold 0xFF, which Qt's dialog shows and returns as U+FFFD.
        const std::string folder = dir + "/\xff\xd0\xc2";
        QCOMPARE(::mkdir(folder.c_str(), 0755), 0);
        const std::string inFolder = folder + "/tank \xff.vlq";
        QVERIFY(CopySampleTo(inFolder));
        const QString asDialogGives = QFile::decodeName(QByteArray::fromStdString(inFolder));
        QVERIFY(asDialogGives.contains(QChar(QChar::ReplacementCharacter)));
        FileDialog::QueueChoice(asDialogGives);
        main.Action("acOpen")->trigger();
        QCOMPARE(test::ShownMessages(), QStringList());
        QCOMPARE(NativePath(context.currentFileName), inFolder);
        QCOMPARE(QString::fromStdString(context.Tank().Name()), QStringLiteral("РВС-400 №33"));
        QVERIFY2(main.windowTitle().startsWith(QStringLiteral("tank \uFFFD.vlq")), qPrintable(main.windowTitle()));

        // Two names the dialog shows alike: which one was meant cannot be told, and that is said.
        QVERIFY(CopySampleTo(dir + "/twin\xfe.vlq"));
        QVERIFY(CopySampleTo(dir + "/twin\xfd.vlq"));
        FileDialog::QueueChoice(QFile::decodeName(QByteArray::fromStdString(dir + "/twin\xfe.vlq")));
        main.Action("acOpen")->trigger();
        QCOMPARE(test::ShownMessages().size(), 1);
        QVERIFY2(test::ShownMessages().first().startsWith(QStringLiteral("Не удаётся прочитать имя файла «")),
                 qPrintable(test::ShownMessages().first()));
        QCOMPARE(NativePath(context.currentFileName), inFolder);

        // A file manager's drop carries the bytes percent-encoded.
        const std::string dropped = dir + "/drop \xff.vlq";
        QVERIFY(CopySampleTo(dropped));
        const QUrl url =
            QUrl::fromEncoded("file://" + QByteArray::fromStdString(dropped).toPercentEncoding("/"), QUrl::StrictMode);
        QVERIFY(url.isValid());
        QVERIFY(DropUrl(main, url).dropAccepted);
        QTRY_COMPARE(NativePath(context.currentFileName), dropped);
        QCOMPARE(test::ShownMessages().size(), 1);
    }

    void aLongPathIsQuotedShortInAMessage()
    {
        test::StartedProgram program;
        program.Show();
        MainWindow& main = program->MainForm();
        const QString longPath =
            QStringLiteral("/нет/") + QString(100000, QLatin1Char('x')) + QStringLiteral("/tank.vlq");
        MessageBox::ClearShown();
        QVERIFY(!main.OpenTankFile(longPath));
        QCOMPARE(MessageBox::Shown().size(), std::size_t(1));
        const QString text = MessageBox::Shown().front().text;
        QVERIFY2(text.size() < 200, qPrintable(text.left(300)));
        QVERIFY(text.contains(QStringLiteral("«/нет/xxx")));
        QVERIFY2(text.contains(QStringLiteral("xxx…xxx")) && text.contains(QStringLiteral("xxx/tank.vlq»")),
                 qPrintable(text));
        QCOMPARE(QuotedPath(longPath).size(), kQuotedPathChars);
        QCOMPARE(QuotedPath(QStringLiteral("/a\nb")), QStringLiteral("/a\u240Ab"));
    }

    void aFileThatCannotBeOpenedAtStartIsReportedAndTheProgramStartsEmpty()
    {
        test::StartedProgram program;
        program.Show();
        MainWindow& main = program->MainForm();
        const QString missing = program.PathIn(QStringLiteral("нет такого.vlq"));
        const QString broken = program.PathIn(QStringLiteral("broken.vlq"));
        {
            QFile file(broken);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("not a tank");
        }
        for (const QString& path : {missing, broken}) {
            MessageBox::ClearShown();
            QVERIFY(!main.OpenTankFile(path));
            QCOMPARE(MessageBox::Shown().size(), size_t(1));
            QVERIFY(MessageBox::Shown().front().icon == MessageBox::Icon::Critical);
            QVERIFY2(MessageBox::Shown().front().text.startsWith(
                         QStringLiteral("Не удалось открыть файл %1:\n").arg(QuotedFileName(path))),
                     qPrintable(MessageBox::Shown().front().text));
            QCOMPARE(program->Context().currentFileName, kNewName);
            QCOMPARE(QString::fromStdString(program->Context().Tank().Name()), QStringLiteral("Резервуар1"));
            QVERIFY(!program->Context().Tank().Modified());
        }
        QVERIFY(main.RecentFiles()->Paths().isEmpty());
    }

    void aDroppedTankFileOpensAfterThePrompt()
    {
        test::StartedProgram program;
        program.Show();
        MainWindow& main = program->MainForm();
        AppContext& context = program->Context();
        const QString sample = test::CopySample(kSample, program.Dir());
        const QString text = program.PathIn(QStringLiteral("notes.txt"));
        {
            QFile file(text);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }

        // Anything but a tank file is refused already while it is dragged.
        const DropResult refused = DropFile(program->Inspector(), text);
        QVERIFY(!refused.enterAccepted);

        // Onto the inspector, with changes: Cancel keeps them.
        test::TankToArrange(context).SetDesignCapacity(450);
        MessageBox::QueueAnswer(QMessageBox::Cancel);
        const DropResult first = DropFile(program->Inspector(), sample);
        QVERIFY(first.enterAccepted);
        QVERIFY(first.dropAccepted);
        QTRY_COMPARE(test::ShownMessages().size(), 1);
        QCOMPARE(context.Tank().DesignCapacity(), 450);
        QCOMPARE(context.currentFileName, kNewName);

        // Onto the main window, answered No: the file replaces the changes.
        MessageBox::QueueAnswer(QMessageBox::No);
        QVERIFY(DropFile(main, sample).dropAccepted);
        QTRY_COMPARE(context.currentFileName, sample);
        QCOMPARE(test::ShownMessages().size(), 2);
        QCOMPARE(context.Tank().DesignCapacity(), 400);
        QVERIFY(!context.Tank().Modified());
        QCOMPARE(program->Inspector().GetCell(1, 2), QStringLiteral("400"));
    }

    void theTitleFollowsTheFileAndTheModifiedFlag()
    {
        test::StartedProgram program;
        program.Show();
        MainWindow& main = program->MainForm();
        AppContext& context = program->Context();
        QCOMPARE(main.windowTitle(), kNewName + QStringLiteral(" — ") + kCaption);

        test::TankToArrange(context).SetDesignCapacity(450);
        QTRY_COMPARE(main.windowTitle(), kNewName + QStringLiteral("* — ") + kCaption);

        const QString saved = program.PathIn(QStringLiteral("Мой резервуар.vlq"));
        FileDialog::QueueChoice(saved);
        QVERIFY(main.acSaveExecute());
        QCOMPARE(main.windowTitle(), QStringLiteral("Мой резервуар.vlq — ") + kCaption);

        test::TankToArrange(context).SetDesignCapacity(500);
        QTRY_COMPARE(main.windowTitle(), QStringLiteral("Мой резервуар.vlq* — ") + kCaption);
        QVERIFY(main.acSaveExecute());
        QCOMPARE(main.windowTitle(), QStringLiteral("Мой резервуар.vlq — ") + kCaption);
    }

    void saveAsProposesTheTanksNameUntilTheFileHasOne()
    {
        test::StartedProgram program;
        MainWindow& main = program->MainForm();
        AppContext& context = program->Context();
        test::TankToArrange(context).SetName("РВС-1000 №3 / ЦПС: \"Юг\"?");
        main.acSaveAsExecute();
        QCOMPARE(FileDialog::Shown().back().fileName, QStringLiteral("РВС-1000 №3 _ ЦПС_ _Юг__.vlq"));

        // Once saved, the file's own name is proposed, whatever the tank is called.
        const QString saved = program.PathIn(QStringLiteral("tank.vlq"));
        FileDialog::QueueChoice(saved);
        QVERIFY(main.acSaveAsExecute());
        main.acSaveAsExecute();
        QCOMPARE(FileDialog::Shown().back().fileName, saved);

        // Names that leave nothing a file could be called.
        QCOMPARE(ProposedSaveName(kNewName, QStringLiteral(" .. ")), kNewName);
        QCOMPARE(ProposedSaveName(kNewName, QString()), kNewName);
        QCOMPARE(ProposedSaveName(kNewName, QStringLiteral(".hidden\ttank.")), QStringLiteral("hidden_tank.vlq"));
        QCOMPARE(ProposedSaveName(kNewName, QString(300, QChar(0x0416))).size(), 104);
    }

    void saveShowsCtrlSAndKeepsItsOwnKey()
    {
        test::StartedProgram program;
        QAction* save = program->MainForm().Action("acSave");
        QCOMPARE(save->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
        QVERIFY(save->shortcuts().contains(QKeySequence(Qt::SHIFT | Qt::Key_F12)));
        QCOMPARE(program->MainForm().Action("acGuide")->shortcut(), QKeySequence(Qt::Key_F1));
    }

    void theVersionOfTheBuildReachesTheCaptionAndTheAboutBox()
    {
        test::StartedProgram program;
        MainWindow& main = program->MainForm();
        QVERIFY(main.windowTitle().endsWith(QStringLiteral(" — ") + kCaption));
        QStringList labels;
        QVERIFY(test::RunWhileModal([&main] { main.Action("acAbout")->trigger(); },
                                    [&labels](QWidget& about) {
                                        for (const QLabel* label : about.findChildren<QLabel*>())
                                            labels << label->text();
                                    }));
        QVERIFY2(labels.contains(kCaption), qPrintable(labels.join(QLatin1Char('|'))));
        QVERIFY(labels.contains(QStringLiteral("Версия программы: " VELOQUIN_PACKAGE_VERSION)));
    }

    void theCaptionColumnFitsItsCaptionsAtFirstStart()
    {
        test::StartedProgram program;
        program.Show();
        TankInspector& inspector = program->Inspector();
        const QFontMetrics metrics(UiFont());
        int widest = 0;
        for (int row = 1; row <= inspector.RowCount(); ++row)
            widest = std::max(widest, metrics.horizontalAdvance(inspector.GetCell(0, row)));
        QVERIFY(widest > 120);
        QVERIFY2(inspector.ColWidth() >= widest + 2, qPrintable(QString::number(inspector.ColWidth())));
        QCOMPARE(inspector.ColWidth(), CaptionColumnFitPx(inspector));
    }

    void theGuideOpensFromTheHelpMenu()
    {
        test::StartedProgram program;
        program.Show();
        MainWindow& main = program->MainForm();
        QVERIFY(!UserGuidePath().isEmpty());
        main.Action("acGuide")->trigger();
        auto* guide = main.findChild<UserGuideWindow*>(QStringLiteral("UserGuideForm"));
        QVERIFY(guide);
        QTRY_VERIFY(guide->isVisible());
        const QString text = guide->Browser()->toPlainText();
        // Rendered, not shown as Markdown source.
        QVERIFY(text.contains(QStringLiteral("Новый резервуар по полевым записям")));
        QVERIFY(!text.contains(QStringLiteral("## ")));
        QVERIFY(text.contains(QStringLiteral("veloquin-cli")));
        // A second F1 brings the same window forward.
        main.Action("acGuide")->trigger();
        QCOMPARE(main.findChildren<UserGuideWindow*>().size(), 1);
        QVERIFY(test::ShownMessages().isEmpty());
    }

    // Pictures for a person to look at (build directory's shots/). Under a real
    // X server (QT_QPA_PLATFORM=xcb on Xvfb) the whole screen is taken too,
    // with the window manager's view of titles and positions.
    void pictures()
    {
        QTemporaryDir dir;
        QStringList copies;
        for (const char* name : {"sample_rvs400.vlq", "sample_rvs1000.vlq", "default.vlq"}) {
            const QString copy = dir.filePath(QString::fromLatin1(name));
            QVERIFY(QFile::copy(QStringLiteral(VELOQUIN_SAMPLES_DIR "/") + QLatin1String(name), copy));
            copies << copy;
        }
        auto program = StartIn(dir.path());
        MainWindow& main = program->MainForm();
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&program->Inspector()));
        QDir().mkpath(QStringLiteral(VELOQUIN_SHOTS_DIR));
        const auto save = [](const QPixmap& picture, const char* name) {
            QVERIFY(picture.save(QStringLiteral(VELOQUIN_SHOTS_DIR "/desktop-%1.png").arg(QLatin1String(name))));
        };
        const bool realScreen = QGuiApplication::platformName() == QLatin1String("xcb");
        QTest::qWait(realScreen ? 500 : 0); // let the window manager place the windows
        if (realScreen)
            save(QGuiApplication::primaryScreen()->grabWindow(0), "first-start-screen");
        save(program->Inspector().grab(), "first-start-inspector");

        for (const QString& copy : copies)
            QVERIFY(main.OpenTankFile(copy));
        test::TankToArrange(program->Context()).SetDesignCapacity(450);
        QTRY_VERIFY(main.windowTitle().contains(QLatin1Char('*')));
        QMenu* recent = main.RecentFiles()->Menu();
        QMenu* file = qobject_cast<QMenu*>(recent->menuAction()->associatedObjects().first());
        QVERIFY(file);
        file->popup(main.mapToGlobal(QPoint(0, 20)));
        QTRY_VERIFY(file->isVisible());
        recent->popup(file->mapToGlobal(file->actionGeometry(recent->menuAction()).topRight()));
        QTRY_VERIFY(recent->isVisible());
        QTest::qWait(realScreen ? 300 : 0);
        if (realScreen)
            save(QGuiApplication::primaryScreen()->grabWindow(0), "recent-screen");
        save(file->grab(), "file-menu");
        save(recent->grab(), "recent-menu");
        recent->hide();
        file->hide();

        main.Action("acGuide")->trigger();
        auto* guide = main.findChild<UserGuideWindow*>(QStringLiteral("UserGuideForm"));
        QVERIFY(guide);
        QVERIFY(QTest::qWaitForWindowExposed(guide));
        QTest::qWait(realScreen ? 300 : 0);
        save(guide->grab(), "guide");
        if (realScreen)
            save(QGuiApplication::primaryScreen()->grabWindow(0), "guide-screen");
        test::TankToArrange(program->Context()).SetModified(false);
        guide->close();
    }
};

VELOQUIN_APP_TEST(DesktopFilesTest)
#include "DesktopFilesTest.moc"
