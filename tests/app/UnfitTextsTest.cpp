// Texts of the sheet options that do not fit their place: named before a print
// job or a PDF export that holds their pages, which the user may print anyway,
// cancel, or leave for the sheet options at the first of them; and marked on
// the preview's sheet.

#include "AppContext.h"
#include "AppTestSupport.h"
#include "FileDialog.h"
#include "MainWindow.h"
#include "MessageBox.h"
#include "PreviewWindow.h"
#include "PrintDialog.h"
#include "SheetOptionTexts.h"
#include "SheetOptionsDialog.h"
#include "TankFile.h"
#include "UnfitTextsQuestion.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include <deque>
#include <memory>
#include <optional>

using namespace veloquin;

namespace {

const std::string kLongRegNumber = "Рег. № 2026/000123-ЮЗ/СЗ";                 // protocol page 2
const std::string kLongPosition = "Главный метролог ООО «Топливная компания»"; // last table sheet

int PdfPageCount(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    return int(QString::fromLatin1(file.readAll()).count(QRegularExpression(QStringLiteral("/Type /Page\\b(?!s)"))));
}

// Acts on modal windows as they come up, one step per window, in order: each
// step waits for the active modal window of its name and acts on it from a
// timer of its own, so that a step may open a further modal window. A step
// must close its window; after the deadline every modal window is closed, so
// that a test that went wrong fails instead of hanging.
class ModalScript
{
public:
    using Step = std::pair<QString, std::function<void(QWidget&)>>;

    explicit ModalScript(std::deque<Step> steps, int timeoutMs = 30000)
        : m_steps(std::move(steps)), m_deadline(timeoutMs)
    {
        m_poll.setInterval(5);
        QObject::connect(&m_poll, &QTimer::timeout, [this] { Poll(); });
        m_poll.start();
    }
    bool Done() const { return m_steps.empty(); }

private:
    void Poll()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (m_deadline.hasExpired()) {
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->reject();
            return;
        }
        if (m_steps.empty() || !modal || !modal->isVisible() || modal->objectName() != m_steps.front().first ||
            modal == *m_acted)
            return;
        *m_acted = modal;
        const std::function<void(QWidget&)> act = m_steps.front().second;
        m_steps.pop_front();
        // The step may outlive the script when a test fails: it keeps what it shares.
        QTimer::singleShot(0, modal, [acted = m_acted, act, modal] {
            act(*modal);
            if (*acted == modal)
                *acted = nullptr;
        });
    }

    std::deque<Step> m_steps;
    QDeadlineTimer m_deadline;
    QTimer m_poll;
    std::shared_ptr<QWidget*> m_acted = std::make_shared<QWidget*>(nullptr); // the window a step is acting on
};

struct Fixture
{
    Fixture() : context(program->Context())
    {
        program.Show();
        test::TankToArrange(context).SetProtocolText(ProtocolTextId::RegNumber, kLongRegNumber);
        test::TankToArrange(context).SetPredsComLine2(kLongPosition);
        context.documents = {DocKind::Protocol, 1, PageCountOf(context.Tank(), DocKind::Protocol)};
        MessageBox::ClearShown();
        FileDialog::ClearShown();
    }
    int LastTableSheet() const { return DocumentSetPageCount(context.Tank()) - 1; }
    MainWindow& Main() { return program->MainForm(); }
    // The questions about texts asked so far (not the other boxes).
    QStringList Questions() const
    {
        QStringList texts;
        for (const MessageBox::Record& record : MessageBox::Shown())
            if (record.text.contains(QStringLiteral("не помеща")))
                texts.append(record.text);
        return texts;
    }

    test::StartedProgram program;
    AppContext& context;
};

// What the sheet options showed when they came up.
struct SheetOptionsSeen
{
    bool shown = false;
    QString tab;
    QString focus;
    int page = 0;
};

ModalScript::Step SeeSheetOptions(SheetOptionsSeen& seen, AppContext& context)
{
    return {QStringLiteral("SheetOptionsDlg"), [&seen, &context](QWidget& dialog) {
                seen.shown = true;
                if (auto* tabs = dialog.findChild<QTabWidget*>(QStringLiteral("PageControl1")))
                    seen.tab = tabs->tabText(tabs->currentIndex());
                if (QWidget* focus = dialog.focusWidget())
                    seen.focus = focus->objectName();
                seen.page = GlobalPageNumber(context.Tank(), context.documents);
                static_cast<QDialog&>(dialog).reject();
            }};
}

ModalScript::Step Close(const char* name)
{
    return {QLatin1String(name), [](QWidget& window) { static_cast<QDialog&>(window).reject(); }};
}

} // namespace

class UnfitTextsTest : public QObject
{
    Q_OBJECT

private slots:
    void thePrintDialogNamesThemAndPrintsOnlyWhenToldTo()
    {
        Fixture f;
        PrintDialog dialog(&f.Main(), f.context, f.program->SheetOptions());
        const QString path = f.program.PathIn(QStringLiteral("anyway.pdf"));
        bool stillOpen = false;
        // The answer and the file only where a question and a file dialog are due.
        const auto print = [&](const QString& pages, std::optional<MessageBox::Button> answer, bool file) {
            if (answer)
                MessageBox::QueueAnswer(*answer);
            if (file)
                FileDialog::QueueChoice(path);
            test::RunWhileModal([&] { dialog.Execute(); },
                                [&](QWidget&) {
                                    auto* printers = dialog.findChild<QComboBox*>(QStringLiteral("cbPrinters"));
                                    printers->setCurrentIndex(printers->count() - 1); // "Файл PDF…"
                                    dialog.findChild<QLineEdit*>(QStringLiteral("edPages"))->setText(pages);
                                    dialog.findChild<QAbstractButton*>(QStringLiteral("bbPrint"))->click();
                                    stillOpen = dialog.isVisible();
                                });
        };

        // Cancelled: no file asked for, nothing written, the dialog stays for another choice.
        print(QStringLiteral("1-%1").arg(f.LastTableSheet()), QMessageBox::Cancel, false);
        QCOMPARE(f.Questions().size(), 1);
        const QString question = f.Questions().front();
        QVERIFY2(question.contains(QStringLiteral("«Регистр. номер» («Протокол Лист1»), стр. 2: на ")),
                 qPrintable(question));
        QVERIFY2(question.contains(
                     QStringLiteral("«Строка 2» («Подпись предс. комиссии»), стр. %1: на ").arg(f.LastTableSheet())),
                 qPrintable(question));
        QVERIFY(question.endsWith(QStringLiteral("Перейти к первому из них в параметрах страницы, чтобы сократить, или "
                                                 "печатать как есть?")));
        QVERIFY(stillOpen);
        QVERIFY(FileDialog::Shown().empty());
        QVERIFY(!QFileInfo::exists(path));
        QVERIFY(!dialog.TakeTextToFix());

        // Pages without them: nothing asked.
        print(QStringLiteral("3-%1").arg(f.LastTableSheet() - 1), std::nullopt, true);
        QCOMPARE(f.Questions().size(), 1);
        QCOMPARE(PdfPageCount(path), f.LastTableSheet() - 3);

        // Anyway: printed as it is, every page asked for.
        QFile::remove(path);
        print(QStringLiteral("2"), QMessageBox::No, true);
        QCOMPARE(f.Questions().size(), 2);
        QVERIFY(!f.Questions().back().contains(QStringLiteral("Строка 2")));
        QVERIFY(!stillOpen);
        QCOMPARE(PdfPageCount(path), 1);
        QVERIFY(!dialog.TakeTextToFix());
    }

    void goingToTheTextFromThePrintDialogOpensItsBoxOnItsPage()
    {
        Fixture f;
        test::TankToArrange(f.context).SetProtocolText(ProtocolTextId::RegNumber, "12");
        SheetOptionsSeen seen;
        bool printDialogOpenAfter = true;
        ModalScript script({
            {QStringLiteral("DrawForm"),
             [&](QWidget& preview) { static_cast<PreviewWindow&>(preview).Action("acPrint")->trigger(); }},
            {QStringLiteral("PrintDlg"),
             [&](QWidget& dialog) {
                 MessageBox::QueueAnswer(QMessageBox::Yes);
                 dialog.findChild<QAbstractButton*>(QStringLiteral("bbPrint"))->click();
                 printDialogOpenAfter = dialog.isVisible();
             }},
            SeeSheetOptions(seen, f.context),
            Close("DrawForm"),
        });
        f.Main().Action("acProtocol")->trigger();
        QVERIFY(script.Done());
        QCOMPARE(f.Questions().size(), 1);
        QVERIFY(!printDialogOpenAfter);
        QVERIFY(seen.shown);
        QCOMPARE(seen.page, f.LastTableSheet());
        QCOMPARE(seen.tab, QStringLiteral("Подпись предс. комиссии"));
        QCOMPARE(seen.focus, QStringLiteral("ed___"));
        QVERIFY(FileDialog::Shown().empty());
    }

    void theExportNamesThemGoesToTheFirstOrWritesAnyway()
    {
        Fixture f;
        const QString path = f.program.PathIn(QStringLiteral("export.pdf"));
        const auto exportWith = [&](std::optional<MessageBox::Button> answer, bool file,
                                    std::deque<ModalScript::Step> after) {
            if (answer)
                MessageBox::QueueAnswer(*answer);
            if (file)
                FileDialog::QueueChoice(path);
            after.push_front({QStringLiteral("PdfExportDlg"), [](QWidget& dialog) {
                                  dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
                              }});
            ModalScript script(std::move(after));
            f.Main().Action("acExportPdf")->trigger();
            return script.Done();
        };

        // Go to: the preview opens on the first text's page with its box in the sheet options.
        SheetOptionsSeen seen;
        QVERIFY(exportWith(QMessageBox::Yes, false, {SeeSheetOptions(seen, f.context), Close("DrawForm")}));
        QCOMPARE(f.Questions().size(), 1);
        QVERIFY(f.Questions().front().endsWith(QStringLiteral("или сохранить PDF как есть?")));
        QVERIFY(seen.shown);
        QCOMPARE(seen.page, 2);
        QCOMPARE(seen.tab, QStringLiteral("Протокол Лист1"));
        QCOMPARE(seen.focus, QStringLiteral("edRegNumber"));
        QVERIFY(FileDialog::Shown().empty());

        // Cancelled: nothing written.
        QVERIFY(exportWith(QMessageBox::Cancel, false, {}));
        QCOMPARE(f.Questions().size(), 2);
        QVERIFY(FileDialog::Shown().empty());
        QVERIFY(!QFileInfo::exists(path));

        // Anyway: the whole set as it is.
        QVERIFY(exportWith(QMessageBox::No, true, {}));
        QCOMPARE(f.Questions().size(), 3);
        QCOMPARE(PdfPageCount(path), DocumentSetPageCount(f.context.Tank()));

        // Nothing too long, nothing asked.
        test::TankToArrange(f.context).SetProtocolText(ProtocolTextId::RegNumber, "12");
        test::TankToArrange(f.context).SetPredsComLine2("");
        QFile::remove(path);
        FileDialog::ClearShown();
        QVERIFY(exportWith(std::nullopt, true, {}));
        QCOMPARE(f.Questions().size(), 3);
        QCOMPARE(PdfPageCount(path), DocumentSetPageCount(f.context.Tank()));
    }

    // The question about errors in the data comes first; the texts only when the user goes on.
    void afterTheQuestionAboutErrorsInTheData()
    {
        Fixture f;
        test::TankToArrange(f.context) = LoadTankFile(VELOQUIN_SAMPLES_DIR "/sample_rvs1000.vlq").tank;
        test::TankToArrange(f.context).SetPlumbDistance(8, 3, 1190);
        test::TankToArrange(f.context).UpdateAll();
        test::TankToArrange(f.context).SetProtocolText(ProtocolTextId::RegNumber, kLongRegNumber);
        const auto exportAll = [&] {
            ModalScript script({{QStringLiteral("PdfExportDlg"), [](QWidget& dialog) {
                                     dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
                                 }}});
            f.Main().Action("acExportPdf")->trigger();
            return script.Done();
        };
        MessageBox::QueueAnswer(QMessageBox::Cancel); // the errors: stop
        QVERIFY(!exportAll());
        QCOMPARE(test::ShownMessages().size(), 1);
        QVERIFY(f.Questions().isEmpty());

        MessageBox::ClearShown();
        MessageBox::QueueAnswer(QMessageBox::No);     // the errors: go on
        MessageBox::QueueAnswer(QMessageBox::Cancel); // the texts: stop
        QVERIFY(exportAll());
        const QStringList shown = test::ShownMessages();
        QCOMPARE(shown.size(), 2);
        QVERIFY(shown.at(0).startsWith(QStringLiteral("В исходных данных")));
        QVERIFY(shown.at(1).contains(QStringLiteral("«Регистр. номер»")));
        QVERIFY(FileDialog::Shown().empty());
    }

    void theQuestionListsAHandfulAndCountsTheRest()
    {
        std::vector<UnfitText> texts;
        for (int page = 1; page <= kUnfitTextsListed + 2; ++page)
            texts.push_back({"edOrg1", OptionTextLabelOf("edOrg1"), {page}, 1});
        const QString many = UnfitTextsQuestionText(texts, OutputKind::Print);
        QCOMPARE(many.count(QStringLiteral("«Штамп: организация слева»")), kUnfitTextsListed);
        QVERIFY2(many.contains(QStringLiteral("\nи ещё 2\n")), qPrintable(many));
        texts.resize(1);
        const QString one = UnfitTextsQuestionText(texts, OutputKind::Export);
        QVERIFY2(one.startsWith(QStringLiteral("Текст не помещается")), qPrintable(one));
        QVERIFY(!one.contains(QStringLiteral("и ещё")));
        QVERIFY(one.endsWith(QStringLiteral("Перейти к нему в параметрах страницы, чтобы сократить, или сохранить PDF "
                                            "как есть?")));
    }

    // Every box of the sheet options has the name a question calls its text by.
    void everyBoxHasAName()
    {
        for (const SheetOptionText& text : SheetOptionTexts()) {
            const OptionTextLabel label = OptionTextLabelOf(text.control);
            QVERIFY2(!label.name.empty() && !label.tab.empty(), text.control.c_str());
        }
    }

    void thePreviewMarksATextThatDoesNotFitOnTheScreen()
    {
        Fixture f;
        PreviewWindow preview(&f.Main(), f.context, f.program->SheetOptions());
        QImage marked;
        QImage clean;
        std::vector<TextOverflow> marksOnPage2;
        std::vector<TextOverflow> marksOnPage3;
        std::vector<TextOverflow> marksShortened;
        QString toolTip;
        QVERIFY(test::RunWhileModal(
            [&] { preview.Execute(); },
            [&](QWidget&) {
                preview.GoToPage(2);
                marked = preview.PageBox()->grab().toImage();
                QDir().mkpath(QStringLiteral(VELOQUIN_SHOTS_DIR));
                marked.save(QStringLiteral(VELOQUIN_SHOTS_DIR "/preview-text-too-long.png"));
                marksOnPage2 = preview.MarkedTexts();
                // Pointed at, the mark names the text and by how much.
                if (!marksOnPage2.empty()) {
                    QWidget* box = preview.PageBox();
                    const PageGeometry geometry = PageGeometry::ForPreview(box->width(), box->height());
                    const TextOverflow& mark = marksOnPage2.front();
                    const QPoint at(geometry.MmToX((mark.leftMm + mark.rightMm) / 2),
                                    geometry.MmToY((mark.topMm + mark.bottomMm) / 2));
                    QHelpEvent help(QEvent::ToolTip, at, box->mapToGlobal(at));
                    QApplication::sendEvent(box, &help);
                    toolTip = QToolTip::text();
                }
                preview.GoToPage(3);
                preview.PageBox()->grab();
                marksOnPage3 = preview.MarkedTexts();
                // Shortened in the sheet options: the mark goes.
                preview.GoToPage(2);
                auto* box = f.program->SheetOptions().findChild<QLineEdit*>(QStringLiteral("edRegNumber"));
                box->setText(QStringLiteral("12"));
                clean = preview.PageBox()->grab().toImage();
                marksShortened = preview.MarkedTexts();
            }));
        QCOMPARE(marksOnPage2.size(), std::size_t(1));
        QCOMPARE(marksOnPage2.front().field, std::string("edRegNumber"));
        QVERIFY2(toolTip.startsWith(QStringLiteral("«Регистр. номер» («Протокол Лист1»). Текст шире своего места на "
                                                   "листе на ")),
                 qPrintable(toolTip));
        QVERIFY(marksOnPage3.empty());
        QVERIFY(marksShortened.empty());

        // The mark is red where the text lies; nothing red is left without it.
        const auto reddish = [](const QImage& image) {
            int count = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) {
                    const QColor c = image.pixelColor(x, y);
                    count += c.red() > 150 && c.green() < 110 && c.blue() < 110;
                }
            return count;
        };
        QVERIFY(reddish(marked) > 20);
        QCOMPARE(reddish(clean), 0);
    }
};

VELOQUIN_APP_TEST(UnfitTextsTest)
#include "UnfitTextsTest.moc"
