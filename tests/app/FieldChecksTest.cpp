// The field-data checks in the program: a slip typed into a dialog shows in the
// check window, the status bar and the inspector; a double click brings the
// dialog back at the slip's cell; the preview says so while errors remain.

#include "FieldChecks.h"
#include "AppContext.h"
#include "AppTestSupport.h"
#include "CheckWindow.h"
#include "MainWindow.h"
#include "MessageBox.h"
#include "PreviewWindow.h"
#include "PrintDialog.h"
#include "StringGrid.h"
#include "TankFile.h"
#include "TankInspector.h"
#include "TankInspectorRows.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSizeGrip>
#include <QStatusBar>
#include <QTest>
#include <QTreeWidget>

using namespace veloquin;

namespace {

constexpr int kPlumbRow = static_cast<int>(TankRow::PlumbDistances);

FieldChecks& ChecksOf(test::StartedProgram& program)
{
    return *program->MainForm().findChild<FieldChecks*>(QStringLiteral("FieldChecks"));
}

void LoadSample(test::StartedProgram& program, const char* name)
{
    const LoadedTank loaded = LoadTankFile(std::string(VELOQUIN_SAMPLES_DIR "/") + name);
    program->Context().editing.Replace(loaded.tank, loaded.version);
    ChecksOf(program).Recheck();
}

// A change made behind the editing path, as a test makes it: the checks are told.
template <class Change> void ChangeTank(test::StartedProgram& program, Change change)
{
    change(test::TankToArrange(program->Context()));
    test::TankToArrange(program->Context()).UpdateAll();
    ChecksOf(program).Recheck();
}

// Types 1490 for the reading of row 8, generatrix 3 (119 mm on rvs1000) and presses OK.
bool TypeSlipIntoPlumbDialog(test::StartedProgram& program)
{
    return test::OpenRowDialog(program, kPlumbRow, [](QWidget& dialog) {
        auto* grid = test::Find<StringGrid>(dialog, "sgWall_Plumb");
        grid->FocusCell(3, 8);
        test::TypeIntoGrid(*grid, QStringLiteral("1490"));
        test::PressGridKey(*grid, Qt::Key_Return);
        test::Find<QPushButton>(dialog, "btnOk")->click();
    });
}

} // namespace

class FieldChecksTest : public QObject
{
    Q_OBJECT

private slots:
    // Printing and both exports of a tank with errors ask first: "Проверка данных"
    // (the output abandoned), going on, or neither.
    void outputOfATankWithErrorsAsksFirst()
    {
        test::StartedProgram program;
        LoadSample(program, "sample_rvs1000.vlq");
        MessageBox::ClearShown();
        QVERIFY(ConfirmOutputDespiteErrors(&program->MainForm()));
        QVERIFY(MessageBox::Shown().empty()); // a quiet tank goes out without a word

        ChangeTank(program, [](TSteelVertCylTank& t) { t.SetPlumbDistance(8, 3, 1190); });
        MessageBox::QueueAnswer(QMessageBox::Cancel);
        QVERIFY(!ConfirmOutputDespiteErrors(&program->MainForm()));
        QCOMPARE(MessageBox::Shown().size(), std::size_t(1));
        QVERIFY2(MessageBox::Shown().back().text.startsWith(QStringLiteral("В исходных данных 1 ошибка")),
                 qPrintable(MessageBox::Shown().back().text));
        QVERIFY(!ChecksOf(program).CheckForm());
        MessageBox::QueueAnswer(QMessageBox::Yes);
        QVERIFY(!ConfirmOutputDespiteErrors(&program->MainForm()));
        QVERIFY(ChecksOf(program).CheckForm() && ChecksOf(program).CheckForm()->isVisible());
        MessageBox::QueueAnswer(QMessageBox::No);
        QVERIFY(ConfirmOutputDespiteErrors(&program->MainForm()));

        // Each output command asks before its dialog; refused, no dialog comes up.
        MessageBox::ClearShown();
        program->MainForm().Action("acExportTable")->trigger();
        program->MainForm().findChild<QAction*>(QStringLiteral("acExportPdf"))->trigger();
        PreviewWindow preview(&program->MainForm(), program->Context(), program->SheetOptions());
        preview.Action("acPrint")->trigger();
        QCOMPARE(MessageBox::Shown().size(), std::size_t(3));
        QVERIFY(!preview.findChild<PrintDialog*>());
        QVERIFY(!QApplication::activeModalWidget());

        // From the (modal) preview, "Проверка данных" closes it: the list is not left behind it.
        ChecksOf(program).CheckForm()->hide();
        bool previewClosed = false;
        bool listShown = false;
        QVERIFY(test::RunWhileModal([&] { preview.Execute(); },
                                    [&](QWidget&) {
                                        MessageBox::QueueAnswer(QMessageBox::Yes);
                                        preview.Action("acPrint")->trigger();
                                        previewClosed = !preview.isVisible();
                                        listShown = ChecksOf(program).CheckForm()->isVisible();
                                    }));
        QVERIFY(previewClosed);
        QVERIFY(listShown);
        QVERIFY(!preview.findChild<PrintDialog*>());
    }

    void countsUseRussianPluralForms()
    {
        QCOMPARE(CheckSummaryText({2, 1}), QStringLiteral("Проверка: 2 ошибки, 1 предупреждение"));
        QCOMPARE(CheckSummaryText({1, 0}), QStringLiteral("Проверка: 1 ошибка"));
        QCOMPARE(CheckSummaryText({5, 0}), QStringLiteral("Проверка: 5 ошибок"));
        QCOMPARE(CheckSummaryText({11, 0}), QStringLiteral("Проверка: 11 ошибок"));
        QCOMPARE(CheckSummaryText({21, 0}), QStringLiteral("Проверка: 21 ошибка"));
        QCOMPARE(CheckSummaryText({0, 3}), QStringLiteral("Проверка: 3 предупреждения"));
        QCOMPARE(CheckSummaryText({0, 112}), QStringLiteral("Проверка: 112 предупреждений"));
        QCOMPARE(CheckSummaryText({0, 0}), QStringLiteral("Проверка: замечаний нет"));
        // The status panel's short form.
        QCOMPARE(CheckPanelText({2, 1}), QStringLiteral("2 ошибки, 1 предупр."));
        QCOMPARE(CheckPanelText({0, 112}), QStringLiteral("112 предупр."));
        QCOMPARE(CheckPanelText({0, 0}), QStringLiteral("Замечаний нет"));
    }

    void theCommandIsInTheTankMenuOnF9()
    {
        test::StartedProgram program;
        QAction* action = program->MainForm().findChild<QAction*>(QStringLiteral("acCheck"));
        QVERIFY(action);
        QCOMPARE(action->shortcut(), QKeySequence(Qt::Key_F9));
        QCOMPARE(action->text().remove(QLatin1Char('&')), QStringLiteral("Проверка данных"));
        bool inTankMenu = false;
        for (QAction* menu : program->MainForm().menuBar()->actions())
            if (menu->text().remove(QLatin1Char('&')) == QStringLiteral("Резервуар"))
                inTankMenu = menu->menu()->actions().contains(action);
        QVERIFY(inTankMenu);
    }

    void aSlipTypedIntoThePlumbDialogIsListedCountedAndMarked()
    {
        test::StartedProgram program;
        program.Show();
        LoadSample(program, "sample_rvs1000.vlq");
        FieldChecks& checks = ChecksOf(program);
        QTRY_COMPARE(checks.StatusPanel()->text(), QStringLiteral("Замечаний нет"));

        QVERIFY(TypeSlipIntoPlumbDialog(program));
        QCOMPARE(program->Context().Tank().PlumbDistance(8, 3), 1490.0);
        QTRY_COMPARE(checks.Counts().errors, 1);
        QVERIFY(checks.StatusPanel()->text().startsWith(QStringLiteral("1 ошибка")));
        QVERIFY(checks.StatusPanel()->toolTip().startsWith(QStringLiteral("Проверка: 1 ошибка")));

        program->MainForm().findChild<QAction*>(QStringLiteral("acCheck"))->trigger();
        CheckWindow* form = checks.CheckForm();
        QVERIFY(form && form->isVisible());
        QVERIFY(!form->isModal());
        const QString first = form->List()->topLevelItem(0)->text(1);
        QVERIFY2(first.startsWith(QStringLiteral("Пояс 4, низ, образующая 3: 1490 мм — соседние показания")),
                 qPrintable(first));
        QCOMPARE(form->List()->topLevelItem(0)->text(0), QStringLiteral("Ошибка"));

        const QString mark = program->Inspector().RowMarkText(kPlumbRow);
        QVERIFY2(mark.contains(QStringLiteral("образующая 3: 1490 мм")), qPrintable(mark));
        QVERIFY(program->Inspector().RowMarkText(static_cast<int>(TankRow::StoredDensity)).isEmpty());
        QDir().mkpath(QStringLiteral(VELOQUIN_SHOTS_DIR));
        QVERIFY(form->grab().save(QStringLiteral(VELOQUIN_SHOTS_DIR "/check-window.png")));
        QVERIFY(program->Inspector().grab().save(QStringLiteral(VELOQUIN_SHOTS_DIR "/check-inspector.png")));
        // The narrow main window shows the counts whole.
        QStatusBar* bar = program->MainForm().statusBar();
        QTRY_VERIFY(checks.StatusPanel()->geometry().right() < bar->findChild<QSizeGrip*>()->geometry().left());
        QVERIFY(checks.StatusPanel()->width() >= checks.StatusPanel()->sizeHint().width());
        QVERIFY(program->MainForm().grab().save(QStringLiteral(VELOQUIN_SHOTS_DIR "/check-status.png")));
        // Selecting the row does not take the mark away: the value is still wrong.
        QVERIFY(program->Inspector().SelectRow(kPlumbRow));
        QVERIFY(!program->Inspector().RowMarkText(kPlumbRow).isEmpty());

        // Put right, the finding goes from the list, the count and the row.
        ChangeTank(program, [](TSteelVertCylTank& tank) { tank.SetPlumbDistance(8, 3, 119); });
        QTRY_COMPARE(checks.StatusPanel()->text(), QStringLiteral("Замечаний нет"));
        QCOMPARE(form->List()->topLevelItemCount(), 0);
        QVERIFY(program->Inspector().RowMarkText(kPlumbRow).isEmpty());
    }

    void aDoubleClickOpensTheDialogAtTheCell()
    {
        test::StartedProgram program;
        program.Show();
        LoadSample(program, "sample_rvs10000.vlq");
        ChangeTank(program, [](TSteelVertCylTank& tank) {
            tank.SetPlumbDistance(20, 13, 130.5);
            tank.SetBottomReading(4, 6, 540);
        });
        FieldChecks& checks = ChecksOf(program);
        QTRY_COMPARE(checks.Counts().errors, 2);
        checks.acCheckExecute();
        QTreeWidget* list = checks.CheckForm()->List();

        struct Seen
        {
            QString dialog;
            int col = -1;
            int row = -1;
        };
        for (const auto& [item, dialogName, gridName, col, row] :
             {std::tuple{0, "Wall_PlumbDlg", "sgWall_Plumb", 13, 20},
              std::tuple{1, "BottomProminenceDlg", "sgBottomProminence", 4, 6}}) {
            Seen seen;
            QTreeWidgetItem* clicked = list->topLevelItem(item);
            const bool opened = test::RunWhileModal(
                [&] {
                    // A double click as a hand makes it: the first press picks the row.
                    const QPoint at = list->visualItemRect(clicked).center();
                    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
                    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
                },
                [&, gridName = gridName, col = col, row = row](QWidget& dialog) {
                    auto* grid = dialog.findChild<StringGrid*>();
                    for (int i = 0; i < 200 && grid && (grid->Col() != col || grid->Row() != row); ++i)
                        QTest::qWait(10);
                    seen.dialog = dialog.objectName();
                    seen.col = grid ? grid->Col() : -1;
                    seen.row = grid ? grid->Row() : -1;
                    (void)gridName;
                });
            QVERIFY(opened);
            QCOMPARE(seen.dialog, QString::fromLatin1(dialogName));
            QCOMPARE(seen.col, col);
            QCOMPARE(seen.row, row);
        }
    }

    void thePreviewShowsABannerWhileErrorsRemain()
    {
        test::StartedProgram program;
        program.Show();
        LoadSample(program, "sample_rvs400.vlq");
        ChangeTank(program, [](TSteelVertCylTank& tank) { tank.SetStoredDensity(8705); });
        FieldChecks& checks = ChecksOf(program);
        QTRY_COMPARE(checks.Counts().errors, 1);

        QString shown;
        bool visible = false;
        QVERIFY(test::RunWhileModal([&] { program->MainForm().Action("acCalibration")->trigger(); },
                                    [&](QWidget& preview) {
                                        auto* banner = preview.findChild<QLabel*>(QStringLiteral("CheckBanner"));
                                        visible = banner && banner->isVisible();
                                        shown = banner ? banner->text() : QString();
                                    }));
        QVERIFY(visible);
        QCOMPARE(shown,
                 QStringLiteral("В исходных данных 1 ошибка: таблица может быть неверной. Проверка данных — F9"));

        ChangeTank(program, [](TSteelVertCylTank& tank) { tank.SetStoredDensity(870.5); });
        QTRY_COMPARE(checks.Counts().errors, 0);
        QVERIFY(test::RunWhileModal([&] { program->MainForm().Action("acCalibration")->trigger(); },
                                    [&](QWidget& preview) {
                                        auto* banner = preview.findChild<QLabel*>(QStringLiteral("CheckBanner"));
                                        visible = banner && banner->isVisible();
                                    }));
        QVERIFY(!visible);
    }
};

VELOQUIN_APP_TEST(FieldChecksTest)
#include "FieldChecksTest.moc"
