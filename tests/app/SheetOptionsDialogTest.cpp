// The sheet options dialog: every box and button writes its own field of the
// page it works on (and no other), loading a page writes nothing, the tabs and
// panels follow the page, both "apply to sheets" commands with their answers,
// a title line count of 0 keeping the state before it, the keys, a typed
// character the tank file cannot hold, and the marks of texts too wide for
// their place on the sheet.

#include "SheetOptionsDialog.h"
#include "AppContext.h"
#include "AppTestSupport.h"
#include "CalibrationSheets.h"
#include "PreviewWindow.h"
#include "MainWindow.h"
#include "MessageBox.h"
#include "PageDrawing.h"
#include "RecordingCanvas.h"
#include "TankFile.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <map>

using namespace veloquin;

namespace {

using Snapshot = std::map<std::string, std::string>;

// Every stored option of the printed pages, by name ("Calibration3.Org1", "PredsCom"...).
Snapshot OptionsOf(const TSteelVertCylTank& tank)
{
    Snapshot all;
    const std::pair<SheetKind, const char*> kinds[] = {
        {SheetKind::Outline, "Outline"}, {SheetKind::Calibration, "Calibration"}, {SheetKind::Protocol, "Protocol"}};
    for (const auto& [kind, name] : kinds) {
        for (int page = 1; page <= tank.SheetCount(kind); ++page) {
            const SheetSettings sheet = tank.Sheet(kind, page);
            const std::string prefix = name + std::to_string(page) + '.';
            all[prefix + "FrameStyle"] = std::to_string(sheet.FrameStyle);
            all[prefix + "TitleLines"] = std::to_string(sheet.TitleLines);
            for (int field = 0; field < kSheetFieldCount; ++field)
                all[prefix + SheetFieldName(SheetField(field))] = SheetText(sheet, SheetField(field));
        }
    }
    all["TopCaptionShown"] = tank.TopCaptionShown() ? "1" : "0";
    all["TopCaption"] = tank.TopCaption();
    all["BottomCaptionShown"] = tank.BottomCaptionShown() ? "1" : "0";
    all["BottomCaption"] = tank.BottomCaption();
    all["PredsCom"] = tank.PredsCom();
    all["PredsComLine2"] = tank.PredsComLine2();
    all["PredsComLine3"] = tank.PredsComLine3();
    for (int id = 0; id < kProtocolTextCount; ++id)
        all[ProtocolTextName(ProtocolTextId(id))] = tank.ProtocolText(ProtocolTextId(id));
    return all;
}

// The names whose values differ, with their new values.
Snapshot Changed(const Snapshot& before, const Snapshot& after)
{
    Snapshot changed;
    for (const auto& [name, value] : after) {
        const auto old = before.find(name);
        if (old == before.end() || old->second != value)
            changed[name] = value;
    }
    return changed;
}

QString Describe(const Snapshot& snapshot)
{
    QStringList parts;
    for (const auto& [name, value] : snapshot)
        parts.append(QString::fromStdString(name + "=" + value));
    return parts.join(QStringLiteral(", "));
}

template <typename T> T* Find(QWidget& dialog, const char* name)
{
    return dialog.findChild<T*>(QLatin1String(name));
}

QStringList VisibleTabs(QWidget& dialog)
{
    auto* tabs = Find<QTabWidget>(dialog, "PageControl1");
    QStringList names;
    for (int tab = 0; tab < tabs->count(); ++tab) {
        if (tabs->isTabVisible(tab))
            names.append(tabs->widget(tab)->objectName());
    }
    return names;
}

// Sheets of a tank that differ from each other wherever a test can tell: the
// texts of page p of the outline, the calibration table and the protocol read
// "1/p Org1", "2/p Org1", "3/p Org1"...
void GiveEverySheetItsOwnTexts(TSteelVertCylTank& tank)
{
    for (SheetKind kind : {SheetKind::Outline, SheetKind::Calibration, SheetKind::Protocol}) {
        for (int page = 1; page <= tank.SheetCount(kind); ++page) {
            SheetSettings sheet;
            sheet.FrameStyle = std::uint8_t(page % 3);
            sheet.TitleLines = std::uint8_t(1 + page % 2);
            for (int field = 0; field < kSheetFieldCount; ++field)
                SheetText(sheet, SheetField(field)) = std::to_string(int(kind) + 1) + "/" + std::to_string(page) + " " +
                                                      SheetFieldName(SheetField(field));
            tank.SetSheet(kind, page, sheet);
        }
    }
    tank.SetModified(false);
}

class Fixture
{
public:
    Fixture() : dialog(program->SheetOptions()), context(program->Context()), tank(test::TankToArrange(context))
    {
        GiveEverySheetItsOwnTexts(tank);
    }

    void Show(DocKind kind, int page)
    {
        context.documents = {kind, page, PageCountOf(tank, kind)};
        dialog.LoadPageOptions();
    }
    QLineEdit* Edit(const char* name) { return Find<QLineEdit>(dialog, name); }

    test::StartedProgram program;
    SheetOptionsDialog& dialog;
    AppContext& context;
    TSteelVertCylTank& tank;
};

} // namespace

class SheetOptionsDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void typingOnACalibrationPageChangesOnlyItsRecordAtEveryKeystroke()
    {
        Fixture f;
        f.Show(DocKind::Calibration, 3);
        const Snapshot before = OptionsOf(f.tank);
        QSignalSpy repaints(&f.dialog, &SheetOptionsDialog::RepaintPreview);
        f.Edit("edOrg1")->end(false);
        test::TypeText(f.Edit("edOrg1"), QStringLiteral("ООО"));
        QCOMPARE(repaints.count(), 3);
        QCOMPARE(Changed(before, OptionsOf(f.tank)), (Snapshot{{"Calibration3.Org1", "2/3 Org1ООО"}}));
        QVERIFY(f.tank.Modified());
        // The page is drawn with what was typed.
        QCOMPARE(f.dialog.Options().edOrg1, std::string("2/3 Org1ООО"));
    }

    void everyBoxWritesItsOwnField()
    {
        const struct
        {
            const char* box;
            DocKind kind;
            int page;
            std::string field;
        } cases[] = {
            {"edOrg1", DocKind::Outline, 1, "Outline1.Org1"},
            {"edOrg2", DocKind::Protocol, 2, "Protocol2.Org2"},
            {"edDate", DocKind::Calibration, 1, "Calibration1.Date"},
            {"edObject", DocKind::Protocol, 6, "Protocol6.Object"},
            {"edSheet", DocKind::Calibration, 8, "Calibration8.Sheet"},
            {"edTitle", DocKind::Calibration, 2, "Calibration2.Title"},
            {"edTitle_1", DocKind::Calibration, 2, "Calibration2.Title"},
            {"edTitle_2", DocKind::Protocol, 4, "Protocol4.Title_2"},
            {"edWorker", DocKind::Outline, 1, "Outline1.Worker"},
            {"edNameWorker", DocKind::Protocol, 5, "Protocol5.NameWorker"},
            // The title page's entries live in the slots of its record.
            {"edYtvDolgnoct_1", DocKind::Protocol, 1, "Protocol1.Org1"},
            {"edYtvDolgnoct_2", DocKind::Protocol, 1, "Protocol1.Org2"},
            {"edYtvFamilia", DocKind::Protocol, 1, "Protocol1.Date"},
            {"edYtvDate", DocKind::Protocol, 1, "Protocol1.Object"},
            {"edNazvanRez", DocKind::Protocol, 1, "Protocol1.Sheet"},
            {"edOrg", DocKind::Protocol, 1, "Protocol1.Title"},
            {"edSrok", DocKind::Protocol, 1, "Protocol1.Title_2"},
            {"edPrKom_Dolgn", DocKind::Protocol, 1, "Protocol1.Worker"},
            {"edPrKom_Famil", DocKind::Protocol, 1, "Protocol1.NameWorker"},
            // ... whatever page is shown.
            {"edOrg", DocKind::Protocol, 3, "Protocol1.Title"},
            {"edTopCaption", DocKind::Outline, 1, "TopCaption"},
            {"edBottomCaption", DocKind::Outline, 1, "BottomCaption"},
            {"edPredsCom", DocKind::Calibration, 4, "PredsCom"},
            {"ed___", DocKind::Calibration, 4, "PredsComLine2"},
            {"ed__y", DocKind::Calibration, 4, "PredsComLine3"},
        };
        Fixture f;
        int checked = 0;
        const auto check = [&](const char* box, DocKind kind, int page, const std::string& field) {
            f.Show(kind, page);
            const Snapshot before = OptionsOf(f.tank);
            QLineEdit* edit = f.Edit(box);
            QVERIFY2(edit, box);
            const QString text = QStringLiteral("Текст %1 ").arg(++checked) + QLatin1String(box);
            edit->setText(text);
            QCOMPARE(Describe(Changed(before, OptionsOf(f.tank))), Describe(Snapshot{{field, text.toStdString()}}));
        };
        for (const auto& c : cases)
            check(c.box, c.kind, c.page, c.field);
        for (int id = 0; id < kProtocolTextCount; ++id) {
            const std::string name = ProtocolTextName(ProtocolTextId(id));
            check(("ed" + name).c_str(), DocKind::Protocol, 1 + id % 6, name);
        }
    }

    void buttonsWriteTheirOwnField()
    {
        Fixture f;
        f.Show(DocKind::Calibration, 3); // FrameStyle 0, two lines
        Snapshot before = OptionsOf(f.tank);
        Find<QRadioButton>(f.dialog, "rbFramedVD")->click();
        Find<QRadioButton>(f.dialog, "rb1Str")->click();
        QCOMPARE(Describe(Changed(before, OptionsOf(f.tank))),
                 Describe(Snapshot{{"Calibration3.FrameStyle", "2"}, {"Calibration3.TitleLines", "1"}}));
        QVERIFY(f.dialog.Options().frame == FrameButton::FramedVD);
        QVERIFY(f.dialog.Options().titleLines == TitleLinesButton::OneLine);
        // One line shows the one title box, two lines the two.
        QVERIFY(!f.Edit("edTitle")->isHidden());
        QVERIFY(f.Edit("edTitle_1")->isHidden() && f.Edit("edTitle_2")->isHidden());
        Find<QRadioButton>(f.dialog, "rb2Str")->click();
        QCOMPARE(int(f.tank.SheetTitleLines(SheetKind::Calibration, 3)), 2);
        QVERIFY(f.Edit("edTitle")->isHidden());
        QVERIFY(!f.Edit("edTitle_1")->isHidden() && !f.Edit("edTitle_2")->isHidden());

        // The purpose of the table on the title page: its item index goes into TitleLines.
        f.Show(DocKind::Protocol, 1);
        before = OptionsOf(f.tank);
        Find<QRadioButton>(f.dialog, "rgPredn0")->click();
        QCOMPARE(Describe(Changed(before, OptionsOf(f.tank))), Describe(Snapshot{{"Protocol1.TitleLines", "0"}}));
        Find<QRadioButton>(f.dialog, "rgPredn1")->click();
        QCOMPARE(int(f.tank.SheetTitleLines(SheetKind::Protocol, 1)), 1);

        f.Show(DocKind::Outline, 1);
        before = OptionsOf(f.tank);
        Find<QCheckBox>(f.dialog, "cbTopCaption")->click();
        Find<QCheckBox>(f.dialog, "cbBottomCaption")->click();
        QCOMPARE(Describe(Changed(before, OptionsOf(f.tank))),
                 Describe(Snapshot{{"TopCaptionShown", "1"}, {"BottomCaptionShown", "1"}}));
        QVERIFY(f.dialog.Options().cbTopCaption && f.dialog.Options().cbBottomCaption);
    }

    void bothTitleBoxesShowTheOneTitle()
    {
        Fixture f;
        f.Show(DocKind::Calibration, 2); // one line
        f.Edit("edTitle")->end(false);
        test::TypeText(f.Edit("edTitle"), QStringLiteral("!"));
        QCOMPARE(f.Edit("edTitle_1")->text(), QStringLiteral("2/2 Title!"));
        Find<QRadioButton>(f.dialog, "rb2Str")->click();
        // Two lines now draw the title that is stored.
        QCOMPARE(f.dialog.Options().edTitle_1, std::string("2/2 Title!"));
        QCOMPARE(f.tank.SheetTextOf(SheetKind::Calibration, 2, SheetField::Title), std::string("2/2 Title!"));
    }

    void aContinuationSheetEditsItsGirdlesRecord()
    {
        Fixture f;
        f.tank =
            LoadTankFile(test::CopySample(QStringLiteral("sample_rvs5000_tall.vlq"), f.program.Dir()).toStdString())
                .tank;
        GiveEverySheetItsOwnTexts(f.tank);
        int sheet = 1;
        while (CalibrationSheetAt(f.tank, sheet).girdle == sheet)
            ++sheet;
        const int girdle = CalibrationSheetAt(f.tank, sheet).girdle;
        QVERIFY(girdle > 0);
        f.Show(DocKind::Calibration, sheet);
        QCOMPARE(f.Edit("edOrg1")->text(), QStringLiteral("2/%1 Org1").arg(girdle));
        const Snapshot before = OptionsOf(f.tank);
        f.Edit("edOrg1")->end(false);
        test::TypeText(f.Edit("edOrg1"), QStringLiteral("+"));
        QCOMPARE(Describe(Changed(before, OptionsOf(f.tank))),
                 QStringLiteral("Calibration%1.Org1=2/%1 Org1+").arg(girdle));
    }

    void tabsAndPanelsFollowThePage()
    {
        Fixture f;
        f.Show(DocKind::Outline, 1);
        QCOMPARE(VisibleTabs(f.dialog), (QStringList{"tsFrame", "tsText"}));
        const auto shown = [&f](const char* name) { return !Find<QWidget>(f.dialog, name)->isHidden(); };
        QVERIFY(shown("rbFramedVD") && shown("PanelVD") && shown("sbAllSheets"));
        QVERIFY(!shown("sbAllSheetsDoc") && !shown("PanelTitlePageTop") && !shown("PanelTitlePage"));

        f.Show(DocKind::Calibration, 5);
        QCOMPARE(VisibleTabs(f.dialog), (QStringList{"tsFrame", "tsGraduirPodpis"}));
        QVERIFY(shown("rbFramedVD") && shown("PanelVD") && shown("sbAllSheets") && shown("sbAllSheetsDoc"));

        f.Show(DocKind::Protocol, 1);
        QCOMPARE(VisibleTabs(f.dialog), (QStringList{"tsFrame", "tsProtSheet1", "tsProtEndSheet"}));
        QVERIFY(!shown("rbFramedVD") && !shown("PanelVD") && !shown("sbAllSheets") && !shown("sbAllSheetsDoc"));
        QVERIFY(shown("PanelTitlePageTop") && shown("PanelTitlePage"));
        QCOMPARE(f.Edit("edNazvanRez")->text(), QStringLiteral("3/1 Sheet"));

        f.Show(DocKind::Protocol, 2);
        QVERIFY(shown("rbFramedVD") && shown("PanelVD") && shown("sbAllSheets") && shown("sbAllSheetsDoc"));
        QVERIFY(!shown("PanelTitlePageTop") && !shown("PanelTitlePage"));
        QCOMPARE(f.Edit("edOrg1")->text(), QStringLiteral("3/2 Org1"));
    }

    void loadingAPageWritesNothing()
    {
        Fixture f;
        // Stored values the controls cannot show as they are.
        f.tank.SetSheetTitleLines(SheetKind::Protocol, 1, 5);
        f.tank.SetSheetFrameStyle(SheetKind::Protocol, 1, 2);
        f.tank.SetSheetFrameStyle(SheetKind::Calibration, 2, 9);
        f.tank.SetSheetTitleLines(SheetKind::Calibration, 4, 0);
        f.tank.SetModified(false);
        const Snapshot before = OptionsOf(f.tank);
        QSignalSpy repaints(&f.dialog, &SheetOptionsDialog::RepaintPreview);
        for (int page = 1; page <= DocumentSetPageCount(f.tank); ++page) {
            QVERIFY(SelectGlobalPage(f.tank, f.context.documents, page));
            f.dialog.LoadPageOptions();
        }
        QCOMPARE(Describe(Changed(before, OptionsOf(f.tank))), QString());
        QVERIFY(!f.tank.Modified());
        QCOMPARE(repaints.count(), 0);
        // A purpose index beyond the last item shows the last item.
        f.Show(DocKind::Protocol, 1);
        QVERIFY(Find<QRadioButton>(f.dialog, "rgPredn1")->isChecked());
    }

    void aPageWithoutATitleLineCountKeepsThePreviousOneAndIsDrawnThatWay()
    {
        Fixture f;
        f.tank.SetSheetTitleLines(SheetKind::Calibration, 1, 1);
        f.tank.SetSheetTitleLines(SheetKind::Calibration, 2, 0);
        f.tank.SetSheetFrameStyle(SheetKind::Calibration, 2, 2);
        f.tank.SetSheetTitleLines(SheetKind::Calibration, 3, 2);
        f.tank.SetSheetTitleLines(SheetKind::Calibration, 4, 0);
        f.Show(DocKind::Calibration, 1);
        f.Show(DocKind::Calibration, 2);
        QVERIFY(Find<QRadioButton>(f.dialog, "rb1Str")->isChecked());
        QVERIFY(!f.Edit("edTitle")->isHidden());
        QCOMPARE(int(f.tank.SheetTitleLines(SheetKind::Calibration, 2)), 0);

        RecordingCanvas canvas(96);
        const PageGeometry geometry = PageGeometry::ForPreview(354, 500);
        DrawDocumentPage(canvas, geometry, f.tank, f.dialog.Options(), DocKind::Calibration, 2);
        int titleY = -1;
        for (const RecordedText& text : canvas.Texts()) {
            if (text.text == QStringLiteral("2/2 Title"))
                titleY = text.y;
        }
        QCOMPARE(titleY, geometry.MmToY(34.5)); // the one-line place

        f.Show(DocKind::Calibration, 3);
        f.Show(DocKind::Calibration, 4);
        QVERIFY(Find<QRadioButton>(f.dialog, "rb2Str")->isChecked());
        QVERIFY(f.dialog.Options().titleLines == TitleLinesButton::TwoLines);
        QVERIFY(!f.Edit("edTitle_1")->isHidden());
    }

    void applyToTheSheetsOfTheDocument()
    {
        Fixture f;
        const int protocolPages = f.tank.SheetCount(SheetKind::Protocol);
        f.Show(DocKind::Protocol, 4);
        const Snapshot before = OptionsOf(f.tank);
        QSignalSpy repaints(&f.dialog, &SheetOptionsDialog::RepaintPreview);
        MessageBox::QueueAnswer(QMessageBox::No);
        Find<QToolButton>(f.dialog, "sbAllSheetsDoc")->click();
        QCOMPARE(Describe(Changed(before, OptionsOf(f.tank))), QString());
        QCOMPARE(repaints.count(), 1);
        const MessageBox::Record& asked = MessageBox::Shown().back();
        QCOMPARE(asked.text, QStringLiteral("Рамки и подписи текущей страницы будут применены к листам текущего "
                                            "документа.\rВыполнить операцию?"));
        QVERIFY(asked.icon == MessageBox::Icon::Warning);
        QCOMPARE(asked.buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(asked.caption, QStringLiteral("Veloquin"));

        MessageBox::QueueAnswer(QMessageBox::Yes);
        Find<QToolButton>(f.dialog, "sbAllSheetsDoc")->click();
        const SheetSettings page4 = f.tank.Sheet(SheetKind::Protocol, 4);
        for (int page = 2; page <= protocolPages; ++page)
            QVERIFY(f.tank.Sheet(SheetKind::Protocol, page) == page4);
        QCOMPARE(f.tank.SheetTextOf(SheetKind::Protocol, 1, SheetField::Org1), std::string("3/1 Org1"));
        QCOMPARE(f.tank.SheetTextOf(SheetKind::Calibration, 1, SheetField::Org1), std::string("2/1 Org1"));

        f.Show(DocKind::Calibration, 6);
        MessageBox::QueueAnswer(QMessageBox::Yes);
        Find<QToolButton>(f.dialog, "sbAllSheetsDoc")->click();
        for (int page = 1; page <= f.tank.SheetCount(SheetKind::Calibration); ++page)
            QVERIFY(f.tank.Sheet(SheetKind::Calibration, page) == f.tank.Sheet(SheetKind::Calibration, 6));
        QCOMPARE(f.tank.SheetTextOf(SheetKind::Outline, 1, SheetField::Org1), std::string("1/1 Org1"));
    }

    void applyToAllSheetsInOneLineModeKeepsEverySecondTitleLine()
    {
        Fixture f;
        f.Show(DocKind::Calibration, 2); // one line, no frame
        Find<QRadioButton>(f.dialog, "rbFramed")->click();
        f.Edit("edWorker")->setText(QStringLiteral("Метролог"));
        const Snapshot before = OptionsOf(f.tank);
        MessageBox::QueueAnswer(QMessageBox::No);
        Find<QToolButton>(f.dialog, "sbAllSheets")->click();
        QCOMPARE(Describe(Changed(before, OptionsOf(f.tank))), QString());
        QCOMPARE(
            MessageBox::Shown().back().text,
            QStringLiteral("Рамки и подписи текущей страницы будут применены ко всем листам.\rВыполнить операцию?"));

        MessageBox::QueueAnswer(QMessageBox::Yes);
        Find<QToolButton>(f.dialog, "sbAllSheets")->click();
        const std::pair<SheetKind, int> pages[] = {{SheetKind::Outline, 1},
                                                   {SheetKind::Calibration, 1},
                                                   {SheetKind::Calibration, 8},
                                                   {SheetKind::Protocol, 2},
                                                   {SheetKind::Protocol, 6}};
        for (const auto& [kind, page] : pages) {
            const SheetSettings sheet = f.tank.Sheet(kind, page);
            QCOMPARE(int(sheet.FrameStyle), 1);
            QCOMPARE(int(sheet.TitleLines), 1);
            QCOMPARE(sheet.Worker, std::string("Метролог"));
            QCOMPARE(sheet.Title, std::string("2/2 Title"));
            QCOMPARE(sheet.Org1, std::string("2/2 Org1"));
            // Each page keeps its own second line.
            QCOMPARE(sheet.Title_2, std::to_string(int(kind) + 1) + "/" + std::to_string(page) + " Title_2");
        }
        // The title page keeps its own entries.
        QCOMPARE(f.tank.SheetTextOf(SheetKind::Protocol, 1, SheetField::Worker), std::string("3/1 Worker"));

        // Two lines carry both title lines.
        f.Show(DocKind::Protocol, 3);
        Find<QRadioButton>(f.dialog, "rb2Str")->click();
        MessageBox::QueueAnswer(QMessageBox::Yes);
        Find<QToolButton>(f.dialog, "sbAllSheets")->click();
        QCOMPARE(f.tank.SheetTextOf(SheetKind::Outline, 1, SheetField::Title_2), std::string("3/3 Title_2"));
        QCOMPARE(int(f.tank.SheetTitleLines(SheetKind::Calibration, 5)), 2);
    }

    void aCharacterTheFileCannotHoldIsRefusedWhereItIsTyped()
    {
        Fixture f;
        f.Show(DocKind::Calibration, 1);
        QLineEdit* edit = f.Edit("edOrg1");
        edit->clear();
        test::TypeText(edit, QStringLiteral("АБ"));
        f.tank.SetModified(false);
        MessageBox::ClearShown();
        test::TypeText(edit, QStringLiteral("Ω"));
        QCOMPARE(edit->text(), QStringLiteral("АБ"));
        QCOMPARE(edit->cursorPosition(), 2);
        QCOMPARE(f.tank.SheetTextOf(SheetKind::Calibration, 1, SheetField::Org1), std::string("АБ"));
        QVERIFY(!f.tank.Modified());
        QCOMPARE(test::ShownMessages(), QStringList{QStringLiteral("Символ «Ω» нельзя сохранить в файле резервуара.")});
        QVERIFY(MessageBox::Shown().back().icon == MessageBox::Icon::Critical);
        // A pasted text with such a character is refused whole; typing goes on from there.
        edit->setText(QStringLiteral("АБ€Ω"));
        QCOMPARE(edit->text(), QStringLiteral("АБ"));
        test::TypeText(edit, QStringLiteral("В"));
        QCOMPARE(f.dialog.Options().edOrg1, std::string("АБВ"));
    }

    void aTextThatLeavesItsPlaceOnTheSheetIsMarkedWithHowFar()
    {
        Fixture f;
        auto* tabs = Find<QTabWidget>(f.dialog, "PageControl1");
        auto* note = Find<QLabel>(f.dialog, "stTextFit");
        const auto marked = [](QLineEdit* edit) { return edit->property("textOverflows").toBool(); };

        // The chairman's position reaches past the frame of the last table sheet.
        f.Show(DocKind::Calibration, 2);
        QLineEdit* position = f.Edit("ed___");
        position->setText(QStringLiteral("Главный метролог ООО «Топливная компания»"));
        QTRY_VERIFY(marked(position));
        QVERIFY(position->toolTip().startsWith(QStringLiteral("Текст шире своего места на листе на ")));
        QVERIFY(note->text().startsWith(QStringLiteral("Текст не помещается на листе (на ")));
        QVERIFY(note->text().endsWith(QStringLiteral(" мм)")));
        QCOMPARE(tabs->tabBar()->tabTextColor(2), QColor(0xB0, 0x00, 0x00));
        QVERIFY(tabs->tabBar()->tabTextColor(0) != QColor(0xB0, 0x00, 0x00));
        tabs->setCurrentIndex(2);
        f.dialog.show();
        QDir().mkpath(QStringLiteral(VELOQUIN_SHOTS_DIR));
        QVERIFY(f.dialog.grab().save(QStringLiteral(VELOQUIN_SHOTS_DIR "/sheet-options-overflow.png")));
        f.dialog.hide();
        position->setText(QStringLiteral("Главный метролог"));
        QTRY_VERIFY(!marked(position));
        QCOMPARE(note->text(), QString());
        QCOMPARE(position->toolTip(), QString());

        // A frame text counts where its page draws the title block.
        f.Show(DocKind::Calibration, 1); // a plain frame
        QLineEdit* org = f.Edit("edOrg1");
        org->setText(QStringLiteral("Акционерное общество «Нефтебаза Северо-Западного региона»"));
        f.dialog.CheckTextFit();
        QVERIFY(!marked(org));
        Find<QRadioButton>(f.dialog, "rbFramedVD")->click();
        QTRY_VERIFY(marked(org));
        f.Edit("edNameWorker")->setText(QString(60, QLatin1Char('W')));
        QTRY_COMPARE(note->text(), QStringLiteral("Не помещаются на листе тексты: 2"));
        // Another page with the same short texts is clean again.
        f.Show(DocKind::Calibration, 4);
        f.dialog.CheckTextFit();
        QVERIFY(!marked(org) && note->text().isEmpty());

        // A text stored too long is marked as the dialog opens on it.
        f.tank.SetPredsCom(std::string(40, 'W'));
        f.dialog.show();
        QTRY_VERIFY(marked(f.Edit("edPredsCom")));
        f.dialog.hide();
    }

    void keysCloseAndTurnPagesWithTheDialogOpen()
    {
        Fixture f;
        PreviewWindow preview(&f.program->MainForm(), f.context, f.dialog);
        f.context.documents = {DocKind::Protocol, 6, 6};
        struct
        {
            DocumentSelection afterDown;
            QString org1AfterDown;
            QString pageNumberAfterDown;
            DocumentSelection afterUp;
            bool closedByEsc = false;
        } seen;
        QVERIFY(test::RunWhileModal([&] { f.dialog.Execute(); },
                                    [&](QWidget&) {
                                        QLineEdit* edit = f.Edit("edOrg1");
                                        f.dialog.activateWindow();
                                        edit->setFocus();
                                        if (!QTest::qWaitFor([&] { return edit->hasFocus(); }, 2000))
                                            return;
                                        test::PressKey(edit, Qt::Key_PageDown);
                                        seen.afterDown = f.context.documents;
                                        seen.org1AfterDown = edit->text();
                                        seen.pageNumberAfterDown = Find<QLabel>(f.dialog, "stPageNumber")->text();
                                        test::PressKey(edit, Qt::Key_PageUp);
                                        seen.afterUp = f.context.documents;
                                        test::PressKey(edit, Qt::Key_Escape);
                                        seen.closedByEsc = !f.dialog.isVisible();
                                    }));
        QVERIFY(seen.afterDown.docKind == DocKind::Calibration);
        QCOMPARE(seen.afterDown.curPage, 1);
        QCOMPARE(seen.org1AfterDown, QStringLiteral("2/1 Org1"));
        QCOMPARE(seen.pageNumberAfterDown, QStringLiteral(" Страница 7 "));
        QVERIFY(seen.afterUp.docKind == DocKind::Protocol);
        QCOMPARE(seen.afterUp.curPage, 6);
        QVERIFY(seen.closedByEsc);
    }
};

VELOQUIN_APP_TEST(SheetOptionsDialogTest)
#include "SheetOptionsDialogTest.moc"
