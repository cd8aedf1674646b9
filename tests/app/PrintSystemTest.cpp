// What the print dialog says of a job after the print server was asked about it
// (a stand-in answers for the server): taken, refused with the server's reason,
// left waiting in a stopped queue, held; the state line under the printer list;
// and a server that was down when the dialog was made, up when it opens again.

#include "PrintSystem.h"
#include "AppContext.h"
#include "AppTestSupport.h"
#include "MainWindow.h"
#include "MessageBox.h"
#include "PrintDialog.h"
#include "SheetOptionsDialog.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QSignalSpy>
#include <QTest>

using namespace veloquin;

namespace {

class StandInServer : public PrintSystem
{
public:
    PrinterList Printers() override { return list; }
    PrinterStatus Printer(const QString& name) override
    {
        asked.append(name);
        return printer;
    }
    bool CanSubmit() const override { return true; }
    SubmittedJob Submit(const QString& name, const QString& pdfPath, const QString& title) override
    {
        QFile file(pdfPath);
        submitted = file.open(QIODevice::ReadOnly) && file.read(5) == "%PDF-" ? name + QLatin1Char('|') + title
                                                                             : QStringLiteral("no PDF");
        return job;
    }
    JobStatus Job(int id) override { return id == job.id ? jobStatus : JobStatus{}; }

    PrinterList list{true, {QStringLiteral("Стенд"), QStringLiteral("Офис")}, QStringLiteral("Стенд")};
    PrinterStatus printer{PrinterStatus::State::Idle, true, QString()};
    SubmittedJob job{12, QString()};
    JobStatus jobStatus{JobStatus::State::Waiting, QString()};
    QString submitted;
    QStringList asked;
};

class StandInPrinter : public QPrinter
{
public:
    explicit StandInPrinter(const QString& path) : QPrinter(QPrinter::HighResolution)
    {
        setOutputFormat(QPrinter::PdfFormat);
        setOutputFileName(path);
    }
};

class Fixture
{
public:
    Fixture()
    {
        PrintDialog::SetPrintSystem(&server);
        PrintDialog::SetPrinterFactory([this](const QString&) { return std::make_unique<StandInPrinter>(path); });
        program.Show();
        MessageBox::ClearShown();
    }
    ~Fixture()
    {
        PrintDialog::SetPrinterFactory({});
        PrintDialog::SetPrintSystem(nullptr);
    }
    PrintDialog& Dialog()
    {
        if (!m_dialog)
            m_dialog = std::make_unique<PrintDialog>(&program->MainForm(), program->Context(), program->SheetOptions());
        return *m_dialog;
    }
    // Pages 2-4 on the printer the list selects first; the texts of JobDone.
    QStringList Print()
    {
        QSignalSpy done(&Dialog(), &PrintDialog::JobDone);
        test::RunWhileModal([this] { Dialog().Execute(); },
                            [this](QWidget&) {
                                Dialog().findChild<QLineEdit*>(QStringLiteral("edPages"))->setText(QStringLiteral("2-4"));
                                Dialog().findChild<QAbstractButton*>(QStringLiteral("bbPrint"))->click();
                            });
        QStringList texts;
        for (const QList<QVariant>& signal : done)
            texts.append(signal.front().toString());
        return texts;
    }
    QString StateLine() { return Dialog().findChild<QLabel*>(QStringLiteral("lbPrinterState"))->text(); }
    QStringList Printers()
    {
        auto* box = Dialog().findChild<QComboBox*>(QStringLiteral("cbPrinters"));
        QStringList items;
        for (int i = 0; i < box->count(); ++i)
            items.append(box->itemText(i));
        return items;
    }

    StandInServer server;
    test::StartedProgram program;
    QString path = program.PathIn(QStringLiteral("job.pdf"));

private:
    std::unique_ptr<PrintDialog> m_dialog;
};

} // namespace

class PrintSystemTest : public QObject
{
    Q_OBJECT

private slots:
    void aJobTheServerTookIsAnnouncedWithItsNumber()
    {
        Fixture f;
        QCOMPARE(f.Print(), QStringList{QStringLiteral("Отправлено на принтер «Стенд»: 3 л. Задание №12 в очереди.")});
        QCOMPARE(f.server.submitted, QStringLiteral("Стенд|Veloquin"));
        QVERIFY(test::ShownMessages().isEmpty());
        QVERIFY(!f.Dialog().PrintAborted());

        f.server.jobStatus.state = JobStatus::State::Done;
        QCOMPARE(f.Print(), QStringList{QStringLiteral("Отправлено на принтер «Стенд»: 3 л. Задание №12 выполнено.")});
    }

    void aRefusedJobIsNeverCalledSent()
    {
        Fixture f;
        f.server.job = {0, QStringLiteral("The printer or class is not accepting jobs.")};
        f.server.printer = {PrinterStatus::State::Idle, false, QStringLiteral("Замена картриджа")};
        QVERIFY(f.Print().isEmpty());
        QVERIFY(f.Dialog().PrintAborted());
        QCOMPARE(test::ShownMessages(),
                 QStringList{QStringLiteral("Принтер «Стенд» не принял задание: The printer or class is not accepting "
                                            "jobs.; Замена картриджа. Ничего не напечатано.")});
        QVERIFY(MessageBox::Shown().back().icon == MessageBox::Icon::Critical);

        // A job the server took and then aborted is no job sent either.
        MessageBox::ClearShown();
        f.server.job = {14, QString()};
        f.server.printer = {PrinterStatus::State::Idle, true, QString()};
        f.server.jobStatus = {JobStatus::State::Aborted, QStringLiteral("document-format-error")};
        QVERIFY(f.Print().isEmpty());
        QCOMPARE(test::ShownMessages(),
                 QStringList{QStringLiteral("Задание №14 (3 л.) прервано принтером «Стенд»: document-format-error.")});
    }

    void aJobInAStoppedQueueOrHeldIsSaidToWait()
    {
        Fixture f;
        f.server.printer = {PrinterStatus::State::Stopped, true, QStringLiteral("Нет бумаги в лотке 2")};
        const QString waiting = QStringLiteral("Задание №12 (3 л.) ждет в очереди: принтер «Стенд» остановлен: Нет бумаги "
                                               "в лотке 2. Оно будет напечатано, когда принтер запустят.");
        QCOMPARE(f.Print(), QStringList{waiting});
        QCOMPARE(test::ShownMessages(), QStringList{waiting});
        QVERIFY(MessageBox::Shown().back().icon == MessageBox::Icon::Warning);
        QVERIFY(!f.Dialog().PrintAborted());

        MessageBox::ClearShown();
        f.server.printer = {PrinterStatus::State::Idle, true, QString()};
        f.server.jobStatus = {JobStatus::State::Held, QStringLiteral("job-hold-until-specified")};
        f.Print();
        QCOMPARE(test::ShownMessages(),
                 QStringList{QStringLiteral("Задание №12 (3 л.) задержано на принтере «Стенд»: job-hold-until-specified. "
                                            "Оно будет напечатано, когда его освободят.")});
    }

    void theStateLineGivesTheServersReason()
    {
        Fixture f;
        f.server.printer = {PrinterStatus::State::Stopped, true, QStringLiteral("Замятие бумаги")};
        QVERIFY(test::RunWhileModal([&] { f.Dialog().Execute(); }, [](QWidget&) {}));
        QCOMPARE(f.StateLine(), QStringLiteral("Остановлен: Замятие бумаги"));
        QCOMPARE(f.server.asked.back(), QStringLiteral("Стенд"));

        f.server.printer = {PrinterStatus::State::Idle, false, QStringLiteral("Ремонт")};
        f.Dialog().findChild<QComboBox*>(QStringLiteral("cbPrinters"))->setCurrentIndex(1);
        QCOMPARE(f.server.asked.back(), QStringLiteral("Офис"));
        QCOMPARE(f.StateLine(), QStringLiteral("Готов; не принимает задания: Ремонт"));
        QCOMPARE(PrinterStatusText({PrinterStatus::State::Stopped, false, QString()}),
                 QStringLiteral("Остановлен; не принимает задания"));
        QCOMPARE(PrinterStatusText({}), QString());
    }

    void aServerDownIsSaidAndTheListIsReadAgainOnOpening()
    {
        Fixture f;
        f.server.list = {false, {}, QString()};
        QCOMPARE(f.Printers(), QStringList{PrintDialog::PdfEntryText()});
        QVERIFY(f.StateLine().contains(QStringLiteral("Сервер печати не отвечает")));

        // The server is back: the dialog opening shows its printers, the default chosen.
        f.server.list = {true, {QStringLiteral("Офис"), QStringLiteral("Стенд")}, QStringLiteral("Стенд")};
        QString state;
        QVERIFY(test::RunWhileModal([&] { f.Dialog().Execute(); }, [&](QWidget&) { state = f.StateLine(); }));
        QCOMPARE(f.Printers(), (QStringList{QStringLiteral("Офис"), QStringLiteral("Стенд"), PrintDialog::PdfEntryText()}));
        QCOMPARE(f.Dialog().findChild<QComboBox*>(QStringLiteral("cbPrinters"))->currentText(), QStringLiteral("Стенд"));
        QCOMPARE(state, QStringLiteral("Готов"));

        // A printer chosen stays chosen while it is there.
        f.Dialog().findChild<QComboBox*>(QStringLiteral("cbPrinters"))->setCurrentIndex(0);
        QVERIFY(test::RunWhileModal([&] { f.Dialog().Execute(); }, [](QWidget&) {}));
        QCOMPARE(f.Dialog().findChild<QComboBox*>(QStringLiteral("cbPrinters"))->currentText(), QStringLiteral("Офис"));

        f.server.list = {true, {}, QString()};
        QVERIFY(test::RunWhileModal([&] { f.Dialog().Execute(); }, [](QWidget&) {}));
        QVERIFY(f.StateLine().contains(QStringLiteral("нет ни одного принтера")));
    }
};

VELOQUIN_APP_TEST(PrintSystemTest)
#include "PrintSystemTest.moc"
