// What comes out of the print dialog is what the preview shows: a page printed
// after the preview showed another page is the page of the whole set, viewing,
// printing and exporting leave the saved file as it was, copies come out in the order chosen and the choice is remembered, a
// job that went is announced, a job the printer refuses is said, and the
// dialog's "Файл PDF…" gives the pages veloquin-cli gives.

#include "AppContext.h"
#include "AppTestSupport.h"
#include "PreviewWindow.h"
#include "MainWindow.h"
#include "FileDialog.h"
#include "GFunc.h"
#include "MessageBox.h"
#include "PdfExport.h"
#include "PageDrawing.h"
#include "SheetOptionsDialog.h"
#include "TankFile.h"
#include "PrintDialog.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTest>

using namespace veloquin;

namespace {

// The text of each page of a PDF (poppler's pdftotext), or nothing without it.
QStringList PdfPageTexts(const QString& path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    QStringList pages = QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.back().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

// Each page of a PDF as a grey picture (poppler's pdftoppm at 60 dpi), in page
// order: the files' paths.
QStringList PdfPagePictures(const QString& pdf, const QString& prefix)
{
    QProcess process;
    process.start(QStringLiteral("pdftoppm"),
                  {QStringLiteral("-r"), QStringLiteral("60"), QStringLiteral("-gray"), pdf, prefix});
    if (!process.waitForFinished(120000) || process.exitCode() != 0)
        return {};
    const QFileInfo info(prefix);
    QStringList pages;
    for (const QString& name :
         QDir(info.path()).entryList({info.fileName() + QStringLiteral("-*.pgm")}, QDir::Files, QDir::Name))
        pages.append(info.path() + QLatin1Char('/') + name);
    return pages;
}

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A printer writing a PDF file; it may refuse every new sheet, as a queue that
// stops taking the job does.
class StandInPrinter : public QPrinter
{
public:
    StandInPrinter(const QString& path, bool refuseSheets) : QPrinter(QPrinter::HighResolution), m_refuse(refuseSheets)
    {
        setOutputFormat(QPrinter::PdfFormat);
        setOutputFileName(path);
    }
    bool newPage() override { return m_refuse ? false : QPrinter::newPage(); }

private:
    bool m_refuse;
};

class Fixture
{
public:
    explicit Fixture(const char* sample = "sample_rvs10000")
        : context(program->Context()), tankPath(test::CopySample(QString::fromLatin1(sample) + ".vlq", program.Dir()))
    {
        program.Show();
        LoadedTank loaded = LoadTankFile(tankPath.toStdString());
        context.editing.Replace(loaded.tank, loaded.version);
        context.currentFileName = tankPath;
        PrintDialog::SetPrinterFactory(
            [this](const QString&) { return std::make_unique<StandInPrinter>(printerPath, refuseSheets); });
    }
    ~Fixture() { PrintDialog::SetPrinterFactory({}); }

    // The preview pages down from the set's first page `steps` times and is closed.
    void PreviewPagedDown(int steps)
    {
        PreviewWindow& preview = Preview();
        SelectDocument(context.Tank(), context.documents, DocKind::Protocol);
        test::RunWhileModal([&] { preview.Execute(); },
                            [&](QWidget&) {
                                for (int i = 0; i < steps; ++i) {
                                    preview.Action("acPageDown")->trigger();
                                    preview.PageBox()->repaint();
                                }
                            });
    }
    PreviewWindow& Preview()
    {
        if (!m_preview)
            m_preview = std::make_unique<PreviewWindow>(&program->MainForm(), context, program->SheetOptions());
        return *m_preview;
    }
    // Prints through a dialog of its own onto the stand-in printer; `act` sets it up.
    void Print(PrintDialog& dialog, const std::function<void()>& act)
    {
        test::RunWhileModal([&] { dialog.Execute(); },
                            [&](QWidget&) {
                                auto* printers = dialog.findChild<QComboBox*>(QStringLiteral("cbPrinters"));
                                printers->insertItem(0, QStringLiteral("Стенд"));
                                printers->setCurrentIndex(0);
                                act();
                                dialog.findChild<QAbstractButton*>(QStringLiteral("bbPrint"))->click();
                            });
    }
    void SetPages(PrintDialog& dialog, const QString& pages)
    {
        dialog.findChild<QLineEdit*>(QStringLiteral("edPages"))->setText(pages);
    }

    test::StartedProgram program;
    AppContext& context;
    QString tankPath;
    QString printerPath = program.PathIn(QStringLiteral("printer.pdf"));
    bool refuseSheets = false;

private:
    std::unique_ptr<PreviewWindow> m_preview;
};

} // namespace

class PrintedPagesTest : public QObject
{
    Q_OBJECT

private slots:
    void aPagePrintedAfterThePreviewShowedAnotherIsItsPageOfTheSet()
    {
        Fixture f;
        PrintDialog dialog(&f.program->MainForm(), f.context, f.program->SheetOptions());
        f.Print(dialog, [] {});
        const QStringList whole = PdfPageTexts(f.printerPath);
        if (whole.isEmpty())
            QSKIP("pdftotext is not installed");
        QCOMPARE(whole.size(), DocumentSetPageCount(f.context.Tank()));

        // Page 5 (a company frame and its title block) was shown, then pages
        // 1 and 7 are printed, alone and as the current page.
        f.PreviewPagedDown(4);
        QCOMPARE(GlobalPageNumber(f.context.Tank(), f.context.documents), 5);
        for (int page : {1, 7, 2}) {
            f.SetPages(dialog, QString());
            f.Print(dialog, [&] { f.SetPages(dialog, QString::number(page)); });
            const QStringList alone = PdfPageTexts(f.printerPath);
            QCOMPARE(alone.size(), 1);
            QCOMPARE(alone.front(), whole.at(page - 1));
        }
        f.Print(dialog, [&] { dialog.findChild<QAbstractButton*>(QStringLiteral("RadioGroupPages1"))->click(); });
        QCOMPARE(PdfPageTexts(f.printerPath), QStringList{whole.at(4)});
        QCOMPARE(GlobalPageNumber(f.context.Tank(), f.context.documents), 5);
    }

    // Open, save; then view every page, print, export and list the table, and
    // save again: the same bytes. The level the user asked the volume at stays.
    void viewingPrintingAndExportingLeaveTheSavedFileAsItWas()
    {
        Fixture f("sample_rvs5000_tall");
        MainWindow& main = f.program->MainForm();
        QVERIFY(main.OpenTankFile(f.tankPath));
        const double level = f.context.Tank().GivenLevel();
        QVERIFY(main.acSaveExecute());
        const QByteArray saved = FileBytes(f.tankPath);

        const int pages = DocumentSetPageCount(f.context.Tank());
        QVERIFY(test::RunWhileModal([&] { main.acProtocolExecute(); },
                                    [&](QWidget&) {
                                        PreviewWindow& preview = *main.DrawForm();
                                        for (int page = 1; page <= pages; ++page) {
                                            preview.PageBox()->repaint();
                                            preview.Action("acPageDown")->trigger();
                                        }
                                    }));
        PrintDialog dialog(&main, f.context, f.program->SheetOptions());
        f.Print(dialog, [] {});
        FileDialog::QueueChoice(f.program.PathIn(QStringLiteral("file.pdf")));
        QVERIFY(test::RunWhileModal([&] { dialog.Execute(); },
                                    [&](QWidget&) {
                                        auto* printers = dialog.findChild<QComboBox*>(QStringLiteral("cbPrinters"));
                                        printers->setCurrentIndex(printers->count() - 1);
                                        dialog.findChild<QAbstractButton*>(QStringLiteral("bbPrint"))->click();
                                    }));
        QVERIFY(QFileInfo::exists(f.program.PathIn(QStringLiteral("file.pdf"))));
        FileDialog::QueueChoice(f.program.PathIn(QStringLiteral("export.pdf")));
        QVERIFY(test::RunWhileModal([&] { main.Action("acExportPdf")->trigger(); },
                                    [&](QWidget& exportDialog) {
                                        auto* buttons = exportDialog.findChild<QDialogButtonBox*>();
                                        buttons->button(QDialogButtonBox::Ok)->click();
                                    }));
        QVERIFY(QFileInfo::exists(f.program.PathIn(QStringLiteral("export.pdf"))));
        QVERIFY(test::RunWhileModal([&] { main.acCalibrationTxtExecute(); }, [](QWidget&) {}));

        QCOMPARE(f.context.Tank().GivenLevel(), level);
        QVERIFY(!f.context.Tank().Modified());
        QVERIFY(!main.windowTitle().contains(QLatin1Char('*')));
        QVERIFY(main.acSaveExecute());
        QVERIFY(FileBytes(f.tankPath) == saved);
        QVERIFY(test::ShownMessages().isEmpty());
    }

    void copiesComeOutInTheOrderChosenAndTheChoiceIsKept()
    {
        Fixture f;
        std::unique_ptr<PrintDialog> dialog =
            std::make_unique<PrintDialog>(&f.program->MainForm(), f.context, f.program->SheetOptions());
        auto* collate = dialog->findChild<QCheckBox*>(QStringLiteral("cbCollate"));
        QVERIFY(collate);
        QCOMPARE(collate->text(), QStringLiteral("Разобрать по копиям"));
        QVERIFY(!collate->isChecked());
        const auto printTwice = [&] {
            f.Print(*dialog, [&] {
                f.SetPages(*dialog, QStringLiteral("1,2"));
                dialog->findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(QStringLiteral("2"));
            });
            QStringList order;
            for (const QString& page : PdfPageTexts(f.printerPath))
                order << (page.contains(QStringLiteral("Утверждаю")) ? QStringLiteral("1") : QStringLiteral("2"));
            return order;
        };
        const QStringList uncollated = printTwice();
        if (uncollated.isEmpty())
            QSKIP("pdftotext is not installed");
        QCOMPARE(uncollated, (QStringList{"1", "1", "2", "2"}));
        collate->click();
        QCOMPARE(printTwice(), (QStringList{"1", "2", "1", "2"}));

        // A dialog made later (the next start) comes up with the choice.
        dialog.reset();
        PrintDialog again(&f.program->MainForm(), f.context, f.program->SheetOptions());
        QVERIFY(again.findChild<QCheckBox*>(QStringLiteral("cbCollate"))->isChecked());
    }

    void aJobThatWentIsAnnouncedAndARefusedOneIsSaid()
    {
        Fixture f("sample_rvs400");
        PrintDialog dialog(&f.program->MainForm(), f.context, f.program->SheetOptions());
        QSignalSpy jobs(&dialog, &PrintDialog::JobDone);
        f.Print(dialog, [&] { f.SetPages(dialog, QStringLiteral("2-4")); });
        QCOMPARE(jobs.count(), 1);
        QCOMPARE(jobs.front().front().toString(), QStringLiteral("Отправлено на принтер «Стенд»: 3 л."));
        QVERIFY(test::ShownMessages().isEmpty());

        f.refuseSheets = true;
        f.Print(dialog, [&] { f.SetPages(dialog, QStringLiteral("2-4")); });
        QCOMPARE(jobs.count(), 1);
        QVERIFY(dialog.PrintAborted());
        const QStringList shown = test::ShownMessages();
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown.front().contains(QStringLiteral("«Стенд»")));
        QVERIFY(shown.front().contains(QStringLiteral("не принял")));
        QVERIFY(MessageBox::Shown().back().icon == MessageBox::Icon::Critical);
    }

    // Both print through the same drawing; this holds them to it, sample by sample.
    // One row per sample: a row's time is bounded by QtTest's watchdog, so the
    // bound does not grow with the number of samples.
    void theDialogsPdfFileIsTheCommandLinesPdfForEverySample_data()
    {
        QTest::addColumn<QString>("file");
        // Every sample tank (not the stored-again copies, nor the file cut short).
        const QStringList samples = QDir(QStringLiteral(VELOQUIN_SAMPLES_DIR))
                                        .entryList({QStringLiteral("*.vlq")}, QDir::Files, QDir::Name)
                                        .filter(QRegularExpression(QStringLiteral("^(?!short_)(?!.*resaved).*")));
        QVERIFY(samples.size() >= 6);
        for (const QString& file : samples)
            QTest::newRow(qPrintable(QFileInfo(file).completeBaseName())) << file;
    }

    void theDialogsPdfFileIsTheCommandLinesPdfForEverySample()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
            QSKIP("pdftoppm is not installed");
        QFETCH(QString, file);
        const QByteArray name = QFileInfo(file).completeBaseName().toUtf8();
        const char* const sample = name.constData();
        Fixture f(sample);
        const QString fromDialog = f.program.PathIn(QStringLiteral("dialog.pdf"));
        const QString fromCli = f.program.PathIn(QStringLiteral("cli.pdf"));
        PrintDialog dialog(&f.program->MainForm(), f.context, f.program->SheetOptions());
        FileDialog::QueueChoice(fromDialog);
        QVERIFY(test::RunWhileModal([&] { dialog.Execute(); },
                                    [&](QWidget&) {
                                        auto* printers = dialog.findChild<QComboBox*>(QStringLiteral("cbPrinters"));
                                        printers->setCurrentIndex(printers->count() - 1);
                                        QCOMPARE(printers->currentText(), QStringLiteral("Файл PDF…"));
                                        dialog.findChild<QAbstractButton*>(QStringLiteral("bbPrint"))->click();
                                    }));
        // The program's separator, set as it started.
        const QString separator = QString(QLatin1Char(GetDecimalSeparator()));
        QProcess cli;
        cli.start(QStringLiteral(VELOQUIN_CLI),
                  {QStringLiteral("pdf"), f.tankPath, fromCli, QStringLiteral("--decimal-separator"), separator});
        QVERIFY(cli.waitForFinished(120000));
        QCOMPARE(cli.exitCode(), 0);

        const QStringList dialogPages = PdfPagePictures(fromDialog, f.program.PathIn(QStringLiteral("d")));
        const QStringList cliPages = PdfPagePictures(fromCli, f.program.PathIn(QStringLiteral("c")));
        QCOMPARE(dialogPages.size(), DocumentSetPageCount(f.context.Tank()));
        QCOMPARE(cliPages.size(), dialogPages.size());
        for (int page = 0; page < dialogPages.size(); ++page)
            QVERIFY2(FileBytes(dialogPages[page]) == FileBytes(cliPages[page]),
                     qPrintable(QStringLiteral("%1, page %2").arg(QLatin1String(sample)).arg(page + 1)));
    }

    // A printer left with Qt's default margins: the sheet still reaches the
    // paper 1:1, every text where the sample's pages put it.
    void printedSheetsHoldEveryTextInPlace_data() { theDialogsPdfFileIsTheCommandLinesPdfForEverySample_data(); }

    void printedSheetsHoldEveryTextInPlace()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() ||
            !QFileInfo::exists(QStringLiteral(VELOQUIN_PYTHON3)))
            QSKIP("pdftotext or python3 is not installed");
        QFETCH(QString, file);
        const QByteArray name = QFileInfo(file).completeBaseName().toUtf8();
        Fixture f(name.constData());
        // The stand-in printer keeps Qt's default margins until printing sets the sheet.
        QVERIFY(StandInPrinter(f.printerPath, false).pageLayout().margins().left() > 0);
        PrintDialog dialog(&f.program->MainForm(), f.context, f.program->SheetOptions());
        f.Print(dialog, [] {});
        QProcess checker;
        checker.start(QStringLiteral(VELOQUIN_PYTHON3),
                      {QStringLiteral(VELOQUIN_PAGE_CHECKER),
                       QStringLiteral(VELOQUIN_SAMPLES_DIR "/") + QString::fromUtf8(name) + QStringLiteral(".pages.json"),
                       f.printerPath});
        QVERIFY(checker.waitForFinished(120000));
        const QString said = QString::fromUtf8(checker.readAllStandardOutput());
        QVERIFY2(checker.exitCode() == 0, qPrintable(said.right(1500)));
    }

    void theMainWindowExportsTheSetADocumentOrAPageList()
    {
        Fixture f("sample_rvs400");
        std::vector<int> pages;
        const int protocol = PageCountOf(f.context.Tank(), DocKind::Protocol);
        const int set = DocumentSetPageCount(f.context.Tank());
        QVERIFY(PdfExportPages(f.context, PdfExportChoice::CalibrationTable, QString(), pages));
        QCOMPARE(pages.front(), protocol + 1);
        QCOMPARE(pages.back(), set - 1);
        QVERIFY(PdfExportPages(f.context, PdfExportChoice::Outline, QString(), pages));
        QCOMPARE(pages, std::vector<int>{set});
        QVERIFY(!PdfExportPages(f.context, PdfExportChoice::PageList, QStringLiteral("1,,2"), pages));
        // A backward range and a repeated page are said as the tool says them.
        QString refusal;
        QVERIFY(!PdfExportPages(f.context, PdfExportChoice::PageList, QStringLiteral("3-1"), pages, &refusal));
        QCOMPARE(refusal, QStringLiteral("Диапазон страниц 3-1 идет назад: укажите его по возрастанию (1-3)."));
        QVERIFY(!PdfExportPages(f.context, PdfExportChoice::PageList, QStringLiteral("3,1-3"), pages, &refusal));
        QCOMPARE(refusal, QStringLiteral("Страница 3 указана в списке дважды."));
        // Named after the tank, made fit for a file name, beside the tank's file.
        QCOMPARE(SuggestedPdfName(f.context), f.program.PathIn(QStringLiteral("РВС-400 №33.pdf")));
        const std::string name = f.context.Tank().Name();
        test::TankToArrange(f.context).SetName("РВС/700: №1 ");
        QCOMPARE(SuggestedPdfName(f.context), f.program.PathIn(QStringLiteral("РВС_700_ №1.pdf")));
        test::TankToArrange(f.context).SetName(name);

        QAction* action = f.program->MainForm().findChild<QAction*>(QStringLiteral("acExportPdf"));
        QVERIFY(action);
        const QString path = f.program.PathIn(QStringLiteral("экспорт.pdf"));
        FileDialog::ClearShown();
        FileDialog::QueueChoice(path);
        QVERIFY(test::RunWhileModal([&] { action->trigger(); },
                                    [&](QWidget& dialog) {
                                        test::Find<QLineEdit>(dialog, "edPages")->setText(QStringLiteral("2-3"));
                                        auto* buttons = dialog.findChild<QDialogButtonBox*>();
                                        buttons->button(QDialogButtonBox::Ok)->click();
                                    }));
        QCOMPARE(FileDialog::Shown().back().fileName, f.program.PathIn(QStringLiteral("РВС-400 №33.pdf")));
        // Where the file went is said in the status bar.
        const QString said = f.program->MainForm().statusBar()->currentMessage();
        QCOMPARE(said, PdfWrittenText(path, 2));
        QVERIFY(said.endsWith(QStringLiteral("экспорт.pdf»: 2 л.")));
        QCOMPARE(PdfWrittenText(QStringLiteral("/") + QString(70, QLatin1Char('d')) + QStringLiteral("/x.pdf"), 1),
                 QStringLiteral("Записано в файл PDF «/") + QString(28, QLatin1Char('d')) + QStringLiteral("…") +
                     QString(24, QLatin1Char('d')) + QStringLiteral("/x.pdf»: 1 л."));
        const QStringList texts = PdfPageTexts(path);
        if (texts.isEmpty())
            QSKIP("pdftotext is not installed");
        QCOMPARE(texts.size(), 2);
    }
};

VELOQUIN_APP_TEST(PrintedPagesTest)
#include "PrintedPagesTest.moc"
