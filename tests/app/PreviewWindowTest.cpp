// The page preview: paging through the whole set with its captions and the
// enabling of the page commands, the three zoom sizes by clicking with the zoom
// tools, the hand tool, what the engine reports while a page is painted (shown
// once, after painting), the sheet options opened from the preview, and a page
// that vanished from the set while the preview was closed.

#include "PreviewWindow.h"
#include "AppContext.h"
#include "AppTestSupport.h"
#include "MainWindow.h"
#include "MessageBox.h"
#include "PageGeometry.h"
#include "SheetOptionsDialog.h"
#include "TankClasses.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

using namespace veloquin;

namespace {

// Counts the paint events of one widget.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

struct PageSeen
{
    DocKind kind = DocKind::Outline;
    int page = 0;
    QString pageNumber;
    QString docName;
    QString optionsPageNumber;
    bool upEnabled = false;
    bool downEnabled = false;
};

class Fixture
{
public:
    Fixture() : context(program->Context()), preview(&program->MainForm(), context, program->SheetOptions())
    {
        program.Show();
    }

    // Runs the preview modally; `inspect` acts inside it and captures what it sees.
    bool Run(const std::function<void()>& inspect)
    {
        return test::RunWhileModal([this] { preview.Execute(); }, [&](QWidget&) { inspect(); });
    }
    QLabel* Label(const char* name) { return preview.findChild<QLabel*>(QLatin1String(name)); }
    PageSeen Seen()
    {
        return {context.documents.docKind,
                context.documents.curPage,
                Label("stPageNumber")->text(),
                Label("stDocName")->text(),
                program->SheetOptions().findChild<QLabel*>(QStringLiteral("stPageNumber"))->text(),
                preview.Action("acPageUp")->isEnabled(),
                preview.Action("acPageDown")->isEnabled()};
    }
    QWidget* Page() { return preview.PageBox(); }
    void Click(QPoint at) { QTest::mouseClick(Page(), Qt::LeftButton, {}, at); }
    QSize PageSize() { return Page()->size(); }

    test::StartedProgram program;
    AppContext& context;
    PreviewWindow preview;
};

QSize InitialPageSize()
{
    const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
    const int height = RoundToEven(PreviewWindow::CreationSize(screen).width() / 1.6);
    return QSize(RoundToEven(height * 0.707), height);
}

} // namespace

class PreviewWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void pagingRunsThroughTheWholeSet()
    {
        Fixture f;
        test::TankToArrange(f.context).SetGirdleCount(5);
        QCOMPARE(PageCountOf(f.context.Tank(), DocKind::Calibration), 5);
        SelectDocument(f.context.Tank(), f.context.documents, DocKind::Protocol);
        std::vector<PageSeen> down;
        std::vector<PageSeen> up;
        QVERIFY(f.Run([&] {
            for (int page = 1; page <= 13; ++page) {
                down.push_back(f.Seen());
                f.preview.Action("acPageDown")->trigger();
            }
            for (int page = 1; page <= 13; ++page) {
                up.push_back(f.Seen());
                f.preview.Action("acPageUp")->trigger();
            }
        }));
        QCOMPARE(down.size(), size_t(13));
        for (int number = 1; number <= 12; ++number) {
            const PageSeen& seen = down[number - 1];
            const QString caption = QStringLiteral(" Страница %1 ").arg(number);
            QCOMPARE(seen.pageNumber, caption);
            QCOMPARE(seen.optionsPageNumber, caption);
            QCOMPARE(seen.upEnabled, number > 1);
            QCOMPARE(seen.downEnabled, number < 12);
            const DocKind kind = number <= 6    ? DocKind::Protocol
                                 : number <= 11 ? DocKind::Calibration
                                                : DocKind::Outline;
            QVERIFY(seen.kind == kind);
            QCOMPARE(seen.page, number <= 6 ? number : number <= 11 ? number - 6 : 1);
            QCOMPARE(seen.docName, kind == DocKind::Protocol ? QStringLiteral(" Протокол ")
                                   : kind == DocKind::Calibration ? QStringLiteral(" Градуировочная таблица ")
                                                                  : QStringLiteral(" Схема резервуара "));
        }
        // Calibration page 2 is the eighth page of the set.
        QCOMPARE(down[7].pageNumber, QStringLiteral(" Страница 8 "));
        QVERIFY(down[7].kind == DocKind::Calibration && down[7].page == 2);
        // Page Down on the outline stays there; Page Up on the protocol's first page too.
        QCOMPARE(down[12].pageNumber, QStringLiteral(" Страница 12 "));
        for (int step = 0; step < 12; ++step)
            QCOMPARE(up[step].pageNumber, QStringLiteral(" Страница %1 ").arg(12 - step));
        // Up from calibration page 1 shows the protocol's last page.
        QVERIFY(up[5].kind == DocKind::Calibration && up[5].page == 1);
        QVERIFY(up[6].kind == DocKind::Protocol && up[6].page == 6);
        QCOMPARE(up[12].pageNumber, QStringLiteral(" Страница 1 "));
    }

    void theFirstSheetFitsUnderTheToolBarsOnAnyScreen()
    {
        for (const QSize screen : {QSize(800, 600), QSize(1280, 1024), QSize(1920, 1080), QSize(3840, 1600)}) {
            const QSize window = PreviewWindow::CreationSize(screen);
            QVERIFY(window.width() <= screen.width());
            const int sheetHeight = RoundToEven(window.width() / 1.6);
            QVERIFY2(sheetHeight <= screen.height() - PreviewWindow::kChromeReservePx,
                     qPrintable(QString::number(screen.width())));
        }
        // A screen of the old 4:3 kind gives the sheet the full width's 62.5 %.
        QCOMPARE(PreviewWindow::CreationSize(QSize(1280, 1024)).width(), 1280);
    }

    void windowOpensMaximizedAndEscClosesIt()
    {
        Fixture f;
        SelectDocument(f.context.Tank(), f.context.documents, DocKind::Calibration);
        bool maximized = false;
        bool closed = false;
        QVERIFY(f.Run([&] {
            maximized = f.preview.isMaximized();
            test::PressKey(QApplication::focusWidget() ? QApplication::focusWidget() : &f.preview, Qt::Key_Escape);
            closed = !f.preview.isVisible();
        }));
        QVERIFY(maximized);
        QVERIFY(closed);
        QCOMPARE(f.preview.windowTitle(), QStringLiteral("Просмотр документа"));
    }

    void threeSizesByClickingWithTheZoomTools()
    {
        Fixture f;
        SelectDocument(f.context.Tank(), f.context.documents, DocKind::Calibration);
        const QSize initial = InitialPageSize();
        struct Step
        {
            QSize page;
            QSize shadow;
            QPoint shadowOffset;
            int level = -1;
            bool inEnabled = false, inChecked = false, outEnabled = false, outChecked = false;
            Qt::CursorShape cursor = Qt::ArrowCursor;
        };
        std::vector<Step> steps;
        const auto note = [&] {
            QWidget* shadow = f.preview.ShadowBox();
            steps.push_back({f.PageSize(), shadow->size(), shadow->pos() - f.Page()->pos(), f.preview.ZoomLevel(),
                             f.preview.Action("acZoomIn")->isEnabled(), f.preview.Action("acZoomIn")->isChecked(),
                             f.preview.Action("acZoomOut")->isEnabled(), f.preview.Action("acZoomOut")->isChecked(),
                             f.Page()->cursor().shape()});
        };
        QVERIFY(f.Run([&] {
            note();                  // 0: as created
            f.Click(QPoint(20, 20)); // no tool: nothing
            note();                  // 1
            f.preview.Action("acZoomIn")->trigger();
            note(); // 2: the tool chosen, nothing zoomed yet
            f.Click(QPoint(20, 20));
            note();                  // 3: double
            f.Click(QPoint(20, 20)); // the tool is gone at double size
            note();                  // 4
            f.preview.Action("acZoomOut")->trigger();
            f.Click(QPoint(20, 20));
            note(); // 5: back to the initial size
            f.Click(QPoint(20, 20));
            note(); // 6: half
            f.Click(QPoint(20, 20));
            note(); // 7: nothing smaller
            f.preview.Action("acZoomIn")->trigger();
            f.Click(QPoint(20, 20));
            note(); // 8: twice the half
        }));
        QCOMPARE(steps.size(), size_t(9));
        QCOMPARE(steps[0].page, initial);
        QCOMPARE(steps[0].shadow, initial);
        QCOMPARE(steps[0].shadowOffset, QPoint(4, 4));
        QCOMPARE(steps[0].level, 1);
        QVERIFY(steps[0].inEnabled && steps[0].outEnabled && !steps[0].inChecked);
        QCOMPARE(steps[1].page, initial);
        QVERIFY(steps[2].inChecked && steps[2].cursor == Qt::PointingHandCursor);
        QCOMPARE(steps[3].page, initial * 2);
        QCOMPARE(steps[3].shadow, initial * 2);
        QCOMPARE(steps[3].level, 2);
        QVERIFY(!steps[3].inEnabled && !steps[3].inChecked && steps[3].outEnabled);
        QVERIFY(steps[3].cursor == Qt::ArrowCursor);
        QCOMPARE(steps[4].page, initial * 2);
        QCOMPARE(steps[5].page, initial);
        QCOMPARE(steps[5].level, 1);
        QVERIFY(steps[5].outChecked);
        const QSize half(RoundToEven(initial.width() / 2.0), RoundToEven(initial.height() / 2.0));
        QCOMPARE(steps[6].page, half);
        QCOMPARE(steps[6].level, 0);
        QVERIFY(!steps[6].outEnabled && !steps[6].outChecked && steps[6].inEnabled && !steps[6].inChecked);
        QCOMPARE(steps[7].page, half);
        // An odd size halved and doubled drifts by a pixel.
        QCOMPARE(steps[8].page, half * 2);
        QCOMPARE(steps[8].level, 1);
    }

    void theSheetIsCentredOrScrolledToWhereItWasClicked()
    {
        Fixture f;
        SelectDocument(f.context.Tank(), f.context.documents, DocKind::Calibration);
        QPoint centred;
        QSize room;
        QPoint zoomedAt;
        int scrolledDown = -1;
        int scrollBoxHeight = 0;
        double clickedAt = 0;
        QVERIFY(f.Run([&] {
            QApplication::sendPostedEvents();
            centred = f.Page()->pos();
            room = f.preview.ScrollBox()->viewport()->size();
            f.preview.Action("acZoomIn")->trigger();
            const QPoint click(f.PageSize().width() / 2, f.PageSize().height() / 4);
            clickedAt = double(click.y()) / f.PageSize().height();
            f.Click(click);
            QApplication::sendPostedEvents();
            zoomedAt = f.Page()->pos();
            scrolledDown = f.preview.ScrollBox()->verticalScrollBar()->value();
            scrollBoxHeight = f.preview.ScrollBox()->height();
        }));
        const QSize initial = InitialPageSize();
        QVERIFY2(initial.height() < room.height(), "the sheet fits at its initial size");
        QCOMPARE(centred, QPoint(RoundToEven((room.width() - initial.width()) / 2.0),
                                 RoundToEven((room.height() - initial.height()) / 2.0)));
        // Taller than the room now: 20 px above it, and the clicked part brought into view.
        QCOMPARE(zoomedAt.y(), PreviewWindow::kScrollMarginPx);
        QVERIFY(scrolledDown > 0);
        QCOMPARE(scrolledDown, RoundToEven(scrollBoxHeight * clickedAt));
    }

    void theHandDragsOnlyASheetLargerThanTheRoom()
    {
        Fixture f;
        SelectDocument(f.context.Tank(), f.context.documents, DocKind::Calibration);
        int fittingScrolled = -1;
        int before = -1;
        int after = -1;
        int across = -1;
        bool zoomToolsOff = false;
        Qt::CursorShape cursor = Qt::ArrowCursor;
        QVERIFY(f.Run([&] {
            f.preview.Action("acZoomIn")->trigger();
            f.preview.Action("acHand")->trigger();
            zoomToolsOff = !f.preview.Action("acZoomIn")->isChecked() && !f.preview.Action("acZoomOut")->isChecked();
            cursor = f.Page()->cursor().shape();
            // The sheet fits: a drag moves nothing.
            QTest::mousePress(f.Page(), Qt::LeftButton, {}, QPoint(100, 300));
            QTest::mouseRelease(f.Page(), Qt::LeftButton, {}, QPoint(60, 200));
            fittingScrolled = f.preview.ScrollBox()->verticalScrollBar()->value();
            // Double size, taller than the room: the sheet moves up by the distance dragged, once, on release.
            f.preview.Action("acZoomIn")->trigger();
            f.Click(QPoint(10, 10));
            f.preview.Action("acHand")->trigger();
            QApplication::sendPostedEvents();
            f.preview.ScrollBox()->verticalScrollBar()->setValue(50);
            before = f.preview.ScrollBox()->verticalScrollBar()->value();
            QTest::mousePress(f.Page(), Qt::LeftButton, {}, QPoint(100, 400));
            QTest::mouseRelease(f.Page(), Qt::LeftButton, {}, QPoint(60, 300));
            after = f.preview.ScrollBox()->verticalScrollBar()->value();
            across = f.preview.ScrollBox()->horizontalScrollBar()->value();
        }));
        QVERIFY(zoomToolsOff);
        QVERIFY(cursor == Qt::SizeAllCursor);
        QCOMPARE(fittingScrolled, 0);
        QCOMPARE(before, 50);
        QCOMPARE(after, 150);
        // The sheet is as wide as the room allows: no sideways move.
        QCOMPARE(across, 0);
    }

    void whatPaintingReportsIsShownOnceAfterPainting()
    {
        Fixture f;
        // A girdle of negative height puts the design fill height below the dead cavity.
        TSteelVertCylTank& tank = test::TankToArrange(f.context);
        tank.SetGirdleCount(3);
        const double heights[] = {1000, -900, 500};
        for (int girdle = 1; girdle <= 3; ++girdle) {
            tank.SetGirdleHeightOuter(girdle, heights[girdle - 1]);
            tank.UpdateGirdleHeight(girdle);
        }
        tank.SetDesignFillHeight(500);
        tank.SetDeadCavityHeight(800);
        tank.UpdateAll();
        QVERIFY(tank.DeadCavityHeight() > tank.DesignFillHeight());
        f.context.documents = {DocKind::Calibration, 2, PageCountOf(tank, DocKind::Calibration)};
        MessageBox::ClearShown();
        const auto reported = [] {
            return int(test::ShownMessages().count(
                QStringLiteral("Уровень мертвой полости выше высоты заполнения резервуара!")));
        };
        int first = -1, afterRepaints = -1, duringRepaint = -1, afterReturn = -1, others = -1;
        QVERIFY(f.Run([&] {
            (void)QTest::qWaitFor([&] { return reported() > 0; }, 2000);
            first = reported();
            for (int repaint = 0; repaint < 3; ++repaint)
                f.preview.RepaintPage();
            QTest::qWait(20);
            afterRepaints = reported();
            // Leaving the page and coming back is a new showing of it.
            f.preview.Action("acPageDown")->trigger();
            QTest::qWait(20);
            const int onPage3 = reported();
            f.preview.Action("acPageUp")->trigger(); // repaints at once
            duringRepaint = reported() - onPage3;
            (void)QTest::qWaitFor([&] { return reported() > onPage3; }, 2000);
            afterReturn = reported() - onPage3;
            others = int(test::ShownMessages().size()) - reported();
        }));
        QCOMPARE(first, 1);
        QCOMPARE(afterRepaints, 1);
        QCOMPARE(duringRepaint, 0);
        QCOMPARE(afterReturn, 1);
        QCOMPARE(others, 0);
    }

    void sheetOptionsFromThePreviewRepaintItAtEveryKeystroke()
    {
        Fixture f;
        SelectDocument(f.context.Tank(), f.context.documents, DocKind::Calibration);
        f.context.documents.curPage = 2;
        int paints = -1;
        QString shownPage;
        bool optionsOpened = false;
        QVERIFY(f.Run([&] {
            PaintCounter counter(f.Page());
            optionsOpened =
                test::RunWhileModal([&] { f.preview.Action("acSheetOptions")->trigger(); },
                                    [&](QWidget& options) {
                                        shownPage = options.findChild<QLabel*>(QStringLiteral("stPageNumber"))->text();
                                        auto* edit = options.findChild<QLineEdit*>(QStringLiteral("edOrg1"));
                                        counter.count = 0;
                                        test::TypeText(edit, QStringLiteral("АБВ"));
                                        paints = counter.count;
                                    });
        }));
        QVERIFY(optionsOpened);
        QCOMPARE(shownPage, QStringLiteral(" Страница 8 "));
        QCOMPARE(paints, 3);
        QCOMPARE(f.preview.Action("acSheetOptions")->shortcut(), QKeySequence(Qt::Key_F12));
        QCOMPARE(f.context.Tank().SheetTextOf(SheetKind::Calibration, 2, SheetField::Org1), std::string("АБВ"));
    }

    // On the first showing the keys page at once; a page beyond the set is said.
    void homeEndAndGoingToAPageBeyondTheSet()
    {
        Fixture f;
        SelectDocument(f.context.Tank(), f.context.documents, DocKind::Calibration);
        const int count = DocumentSetPageCount(f.context.Tank());
        int afterEnd = 0;
        int afterHome = 0;
        int afterTyped = 0;
        QString said;
        QString left;
        bool focusOnPage = false;
        QVERIFY(f.Run([&] {
            if (!test::WaitForFocusIn(f.preview))
                return;
            focusOnPage = QApplication::focusWidget() == f.Page();
            test::PressKey(QApplication::focusWidget(), Qt::Key_End);
            afterEnd = GlobalPageNumber(f.context.Tank(), f.context.documents);
            auto* goTo = f.preview.findChild<QLineEdit*>(QStringLiteral("edGoToPage"));
            goTo->setFocus();
            test::PressKey(goTo, Qt::Key_Home); // an empty box has nothing to move in
            afterHome = GlobalPageNumber(f.context.Tank(), f.context.documents);
            test::TypeText(goTo, QStringLiteral("99"));
            test::PressKey(goTo, Qt::Key_Return);
            afterTyped = GlobalPageNumber(f.context.Tank(), f.context.documents);
            said = f.preview.StatusJobText();
            left = goTo->text();
            test::TypeText(goTo, QStringLiteral("3"));
            test::PressKey(goTo, Qt::Key_Return);
        }));
        QVERIFY(focusOnPage);
        QCOMPARE(afterEnd, count);
        QCOMPARE(afterHome, 1);
        QCOMPARE(afterTyped, 1);
        QCOMPARE(said, QStringLiteral("Страницы 99 нет: в комплекте %1 стр.").arg(count));
        QCOMPARE(left, QStringLiteral("99"));
        // The number typed over the selected one is taken, and the word goes.
        QCOMPARE(GlobalPageNumber(f.context.Tank(), f.context.documents), 3);
        QVERIFY(f.preview.StatusJobText().isEmpty());
    }

    void aPageGoneWhileThePreviewWasClosedIsNotDrawn()
    {
        test::StartedProgram program;
        program.Show();
        MainWindow& main = program->MainForm();
        AppContext& context = program->Context();
        QVERIFY(test::RunWhileModal([&] { main.Action("acCalibration")->trigger(); },
                                    [&](QWidget& window) {
                                        auto* down = window.findChild<QAction*>(QStringLiteral("acPageDown"));
                                        for (int page = 1; page < 8; ++page)
                                            down->trigger();
                                    }));
        QCOMPARE(context.documents.curPage, 8);
        test::TankToArrange(context).SetGirdleCount(5);
        QString pageNumber;
        QVERIFY(test::RunWhileModal(
            [&] { main.Action("acActivePage")->trigger(); },
            [&](QWidget& window) { pageNumber = window.findChild<QLabel*>(QStringLiteral("stPageNumber"))->text(); }));
        QCOMPARE(context.documents.docPageCount, 5);
        QCOMPARE(context.documents.curPage, 5);
        QCOMPARE(pageNumber, QStringLiteral(" Страница 11 "));
        QVERIFY(test::ShownMessages().isEmpty());
    }
};

VELOQUIN_APP_TEST(PreviewWindowTest)
#include "PreviewWindowTest.moc"
