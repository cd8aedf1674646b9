// The print dialog: page lists refused with their message before anything is
// printed, the rules of the copies box, printing on a printer (a PDF-writing
// QPrinter stands in for one) all, the current or the listed pages in their
// copies, the "Файл PDF…" entry, the preview's page restored afterwards, and a
// job that fails ending without a word.

#include "PrintDialog.h"
#include "AppContext.h"
#include "AppTestSupport.h"
#include "FileDialog.h"
#include "MainWindow.h"
#include "MessageBox.h"
#include "SheetOptionsDialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

using namespace veloquin;

namespace {

int PdfPageCount(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QString text = QString::fromLatin1(file.readAll());
    return int(text.count(QRegularExpression(QStringLiteral("/Type /Page\\b(?!s)"))));
}

// A printer that tells, when its job is over, how it was set up.
class StandInPrinter : public QPrinter
{
public:
    struct Seen
    {
        int jobs = 0;
        QString printerName;
        QString docName;
        QPageLayout::Orientation orientation = QPageLayout::Landscape;
    };

    StandInPrinter(const QString& path, const QString& printerName, Seen& seen)
        : QPrinter(QPrinter::HighResolution), m_seen(seen)
    {
        setOutputFormat(QPrinter::PdfFormat);
        setOutputFileName(path);
        m_seen.printerName = printerName;
    }
    ~StandInPrinter() override
    {
        ++m_seen.jobs;
        m_seen.docName = docName();
        m_seen.orientation = pageLayout().orientation();
    }

private:
    Seen& m_seen;
};

class Fixture
{
public:
    Fixture()
        : context(program->Context()), dialog(&program->MainForm(), context, program->SheetOptions()),
          printerPath(program.PathIn(QStringLiteral("printer.pdf")))
    {
        program.Show();
        PrintDialog::SetPrinterFactory(
            [this](const QString& name) { return std::make_unique<StandInPrinter>(printerPath, name, seen); });
        // The preview shows calibration page 3 with its options.
        context.documents = {DocKind::Calibration, 3, PageCountOf(context.Tank(), DocKind::Calibration)};
        test::TankToArrange(context).SetSheetText(SheetKind::Calibration, 3, SheetField::Org1, "Третий лист");
        program->SheetOptions().LoadPageOptions();
    }
    ~Fixture() { PrintDialog::SetPrinterFactory({}); }

    template <typename T> T* Find(const char* name) { return dialog.findChild<T*>(QLatin1String(name)); }
    QAbstractButton* PagesItem(int item)
    {
        return Find<QAbstractButton>(qPrintable(QStringLiteral("RadioGroupPages%1").arg(item)));
    }
    void ChoosePrinter()
    {
        // Any entry but the PDF file prints through the printer factory.
        auto* printers = Find<QComboBox>("cbPrinters");
        printers->insertItem(0, QStringLiteral("Стенд"));
        printers->setCurrentIndex(0);
    }
    void ChoosePdf()
    {
        auto* printers = Find<QComboBox>("cbPrinters");
        printers->setCurrentIndex(printers->count() - 1);
    }
    // Runs the dialog: `act` sets it up; then Печать is pressed. True when the dialog closed.
    bool Print(const std::function<void()>& act)
    {
        bool closed = false;
        test::RunWhileModal([this] { dialog.Execute(); },
                            [&](QWidget&) {
                                act();
                                Find<QAbstractButton>("bbPrint")->click();
                                closed = !dialog.isVisible();
                            });
        return closed;
    }

    test::StartedProgram program;
    AppContext& context;
    PrintDialog dialog;
    QString printerPath;
    StandInPrinter::Seen seen;
};

} // namespace

class PrintDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void theSystemsPrintersAndAPdfFile()
    {
        Fixture f;
        auto* printers = f.Find<QComboBox>("cbPrinters");
        const QStringList system = QPrinterInfo::availablePrinterNames();
        QCOMPARE(printers->count(), int(system.size()) + 1);
        QCOMPARE(printers->itemText(printers->count() - 1), QStringLiteral("Файл PDF…"));
        if (system.isEmpty())
            QCOMPARE(printers->currentIndex(), 0);
        QCOMPARE(f.dialog.windowTitle(), QStringLiteral("Печать"));
        QVERIFY(f.PagesItem(0)->isChecked());
    }

    void aRefusedPageListPrintsNothingAndKeepsTheDialog()
    {
        Fixture f;
        f.ChoosePrinter();
        // The set of the default tank: 6 protocol pages, 8 calibration sheets, the outline.
        for (const char* list : {"1,,2", ",1", "1-", "123", "16", "0", "1;2"}) {
            MessageBox::ClearShown();
            const bool closed = f.Print([&] { f.Find<QLineEdit>("edPages")->setText(QLatin1String(list)); });
            QVERIFY2(!closed, list);
            QCOMPARE(test::ShownMessages(), QStringList{QStringLiteral("Указан неверный диапазон печати.")});
            QVERIFY(MessageBox::Shown().back().icon == MessageBox::Icon::Warning);
        }
        // A range running backwards is refused with the order it was meant in.
        MessageBox::ClearShown();
        QVERIFY(!f.Print([&] { f.Find<QLineEdit>("edPages")->setText(QStringLiteral("9-7")); }));
        QCOMPARE(test::ShownMessages(),
                 QStringList{QStringLiteral("Диапазон страниц 9-7 идет назад: укажите его по возрастанию (7-9).")});
        QCOMPARE(f.seen.jobs, 0);
        QVERIFY(!QFile::exists(f.printerPath));
    }

    void typingPageNumbersChoosesThem()
    {
        Fixture f;
        auto* pages = f.Find<QLineEdit>("edPages");
        pages->setText(QStringLiteral("2"));
        QVERIFY(f.PagesItem(2)->isChecked());
        pages->clear();
        QVERIFY(f.PagesItem(0)->isChecked());
    }

    void copiesAreANumberFrom1To20()
    {
        Fixture f;
        auto* copies = f.Find<QLineEdit>("Edit1");
        copies->setText(QStringLiteral("25"));
        QCOMPARE(copies->text(), QStringLiteral("1"));
        copies->setText(QStringLiteral("20"));
        QCOMPARE(copies->text(), QStringLiteral("20"));
        copies->clear();
        QCOMPARE(copies->text(), QStringLiteral("1"));
        // No copies at all would feed blank sheets.
        copies->setText(QStringLiteral("0"));
        QCOMPARE(copies->text(), QStringLiteral("1"));
        QVERIFY(test::ShownMessages().isEmpty());

        copies->end(false);
        test::TypeText(copies, QStringLiteral("ж"));
        QCOMPARE(copies->text(), QStringLiteral("1"));
        QCOMPARE(test::ShownMessages(), QStringList{QStringLiteral("Следует ввести число!")});
        QVERIFY(MessageBox::Shown().back().icon == MessageBox::Icon::None);
        // Each character removed is checked again.
        MessageBox::ClearShown();
        copies->setText(QStringLiteral("1x!"));
        QCOMPARE(copies->text(), QStringLiteral("1"));
        QCOMPARE(test::ShownMessages().size(), 2);

        auto* up = f.Find<QAbstractButton>("UpDown1Up");
        auto* down = f.Find<QAbstractButton>("UpDown1Down");
        for (int click = 0; click < 25; ++click)
            up->click();
        QCOMPARE(copies->text(), QStringLiteral("20"));
        for (int click = 0; click < 25; ++click)
            down->click();
        QCOMPARE(copies->text(), QStringLiteral("1"));

        // Every showing starts from one copy.
        copies->setText(QStringLiteral("7"));
        QString shown;
        QVERIFY(test::RunWhileModal([&] { f.dialog.Execute(); }, [&](QWidget&) { shown = copies->text(); }));
        QCOMPARE(shown, QStringLiteral("1"));
    }

    void allPagesInTheirCopiesOnThePrinterAndThePreviewsPageRestored()
    {
        Fixture f;
        QVERIFY(f.Print([&] {
            f.ChoosePrinter();
            f.Find<QLineEdit>("Edit1")->setText(QStringLiteral("2"));
        }));
        QCOMPARE(f.seen.jobs, 1);
        QCOMPARE(f.seen.printerName, QStringLiteral("Стенд"));
        QCOMPARE(f.seen.docName, QStringLiteral("Veloquin"));
        QVERIFY(f.seen.orientation == QPageLayout::Portrait);
        QCOMPARE(PdfPageCount(f.printerPath), 2 * 15);
        QVERIFY(!f.dialog.PrintAborted());
        QVERIFY(f.context.documents.docKind == DocKind::Calibration);
        QCOMPARE(f.context.documents.curPage, 3);
        QCOMPARE(f.program->SheetOptions().Options().edOrg1, std::string("Третий лист"));
        QVERIFY(test::ShownMessages().isEmpty());
    }

    void theCurrentOrTheListedPages()
    {
        Fixture f;
        QVERIFY(f.Print([&] {
            f.ChoosePrinter();
            f.PagesItem(1)->click();
        }));
        QCOMPARE(PdfPageCount(f.printerPath), 1);

        QVERIFY(f.Print([&] {
            f.ChoosePrinter();
            f.Find<QLineEdit>("edPages")->setText(QStringLiteral("2-4,7,15"));
            f.Find<QLineEdit>("Edit1")->setText(QStringLiteral("3"));
        }));
        QCOMPARE(PdfPageCount(f.printerPath), 5 * 3);
        QVERIFY(f.context.documents.docKind == DocKind::Calibration);
        QCOMPARE(f.context.documents.curPage, 3);
    }

    void thePdfEntryAsksForAFileAndPrintsTheSamePages()
    {
        Fixture f;
        const QString path = f.program.PathIn(QStringLiteral("таблица.pdf"));
        FileDialog::ClearShown();
        FileDialog::QueueChoice(path);
        QVERIFY(f.Print([&] {
            f.ChoosePdf();
            f.Find<QLineEdit>("edPages")->setText(QStringLiteral("7-14"));
            f.Find<QLineEdit>("Edit1")->setText(QStringLiteral("2"));
        }));
        QCOMPARE(FileDialog::Shown().size(), size_t(1));
        QCOMPARE(FileDialog::Shown().back().defaultSuffix, QStringLiteral("pdf"));
        QCOMPARE(PdfPageCount(path), 2 * 8);
        QCOMPARE(f.seen.jobs, 0);
        QVERIFY(f.context.documents.docKind == DocKind::Calibration);
        QCOMPARE(f.context.documents.curPage, 3);

        // No file chosen: nothing is printed and the dialog stays.
        FileDialog::QueueChoice(QString());
        QVERIFY(!f.Print([&] { f.ChoosePdf(); }));
        QCOMPARE(PdfPageCount(path), 16);
    }

    void aPrinterThatCannotStartIsNamed()
    {
        Fixture f;
        // The printer cannot start: its output lies under a regular file.
        QFile blocker(f.program.PathIn(QStringLiteral("blocker")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        f.printerPath = blocker.fileName() + QStringLiteral("/printer.pdf");
        QSignalSpy jobs(&f.dialog, &PrintDialog::JobDone);
        QVERIFY(f.Print([&] { f.ChoosePrinter(); }));
        QVERIFY(f.dialog.PrintAborted());
        QCOMPARE(test::ShownMessages().size(), 1);
        QVERIFY(test::ShownMessages().front().contains(QStringLiteral("«Стенд»")));
        QVERIFY(MessageBox::Shown().back().icon == MessageBox::Icon::Critical);
        QCOMPARE(jobs.count(), 0);
        MessageBox::ClearShown();
        QVERIFY(f.context.documents.docKind == DocKind::Calibration);
        QCOMPARE(f.context.documents.curPage, 3);

        // A PDF file that cannot be written is a failed write, and says so.
        FileDialog::QueueChoice(f.printerPath);
        QVERIFY(f.Print([&] { f.ChoosePdf(); }));
        QCOMPARE(test::ShownMessages().size(), 1);
        QVERIFY(MessageBox::Shown().back().icon == MessageBox::Icon::Critical);
        QCOMPARE(jobs.count(), 0);
        QCOMPARE(f.context.documents.curPage, 3);
    }

    void keysCancelAndPrint()
    {
        Fixture f;
        bool closedByEsc = false;
        QVERIFY(test::RunWhileModal([&] { f.dialog.Execute(); },
                                    [&](QWidget&) {
                                        QWidget* focus = QApplication::focusWidget();
                                        test::PressKey(focus ? focus : &f.dialog, Qt::Key_Escape);
                                        closedByEsc = !f.dialog.isVisible();
                                    }));
        QVERIFY(closedByEsc);
        QCOMPARE(f.dialog.result(), int(QDialog::Rejected));

        bool closedByEnter = false;
        QVERIFY(test::RunWhileModal([&] { f.dialog.Execute(); },
                                    [&](QWidget&) {
                                        f.ChoosePrinter();
                                        f.PagesItem(1)->click();
                                        QWidget* focus = QApplication::focusWidget();
                                        test::PressKey(focus ? focus : &f.dialog, Qt::Key_Return);
                                        closedByEnter = !f.dialog.isVisible();
                                    }));
        QVERIFY(closedByEnter);
        QCOMPARE(PdfPageCount(f.printerPath), 1);
    }
};

VELOQUIN_APP_TEST(PrintDialogTest)
#include "PrintDialogTest.moc"
