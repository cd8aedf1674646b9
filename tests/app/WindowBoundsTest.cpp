// Outer bounds (frame included) against the inside Qt sizes, the fitting of
// stored bounds to the screens, whatever a hand-edited settings file holds, and
// the applying of bounds to a window whose frame is known only after showing.

#include "AppTestSupport.h"
#include "WindowBounds.h"

#include <QTest>
#include <QWidget>

#include <limits>

using namespace veloquin;

namespace {

// The frame openbox draws around both windows, and a heavier one.
const QMargins kThinFrame(1, 20, 1, 5);
const QMargins kThickFrame(4, 23, 4, 4);

const QList<QRect> kOneScreen{QRect(0, 0, 1024, 768)};
const QSize kMinimum(150, 100);
constexpr int kMaxInt = std::numeric_limits<int>::max();
constexpr int kMinInt = std::numeric_limits<int>::min();

QRect Fit(int left, int top, int width, int height, const QList<QRect>& screens = kOneScreen)
{
    return FitOuterBounds({left, top, width, height}, screens, kMinimum, kNominalTitleBarPx);
}

OuterBounds::FrameSource FixedFrame(const QMargins& frame)
{
    return [frame](const QWidget&) { return std::optional<QMargins>(frame); };
}

} // namespace

class WindowBoundsTest : public QObject
{
    Q_OBJECT

private slots:
    void outerAndClientConvertBothWays()
    {
        // The main window's defaults: 500 x 120 outside is 498 x 95 inside a thin frame.
        QCOMPARE(ClientRectFromOuter(QRect(0, 0, 500, 120), kThinFrame), QRect(1, 20, 498, 95));
        QCOMPARE(ClientRectFromOuter(QRect(0, 120, 500, 300), kThickFrame), QRect(4, 143, 492, 273));
        for (const QMargins& frame : {kThinFrame, kThickFrame, QMargins()}) {
            for (const QRect& outer : {QRect(0, 0, 500, 120), QRect(-30, 700, 1280, 1024), QRect(5, 5, 100, 100)})
                QCOMPARE(OuterRectFromClient(ClientRectFromOuter(outer, frame), frame), outer);
        }
        // A frame larger than the bounds leaves an empty inside, never a negative one.
        QCOMPARE(ClientRectFromOuter(QRect(0, 0, 6, 10), kThickFrame).size(), QSize(0, 0));
    }

    void sensibleBoundsStayAsStored()
    {
        QCOMPARE(Fit(0, 0, 500, 120), QRect(0, 0, 500, 120));
        QCOMPARE(Fit(0, 120, 500, 300), QRect(0, 120, 500, 300));
        QCOMPARE(Fit(0, 0, 1024, 768), QRect(0, 0, 1024, 768));
        // Partly off the left edge or hanging below the screen: the title bar
        // is still there to take hold of.
        QCOMPARE(Fit(-50, 10, 500, 300), QRect(-50, 10, 500, 300));
        QCOMPARE(Fit(300, 700, 500, 300), QRect(300, 700, 500, 300));
    }

    void absurdSizesShrinkToTheDesktop()
    {
        QCOMPARE(Fit(0, 120, 500, kMaxInt), QRect(0, 120, 500, 768));
        QCOMPARE(Fit(0, 0, 100000, 100000), QRect(0, 0, 1024, 768));
        QCOMPARE(Fit(0, 0, kMaxInt, kMaxInt), QRect(0, 0, 1024, 768));
        // Too small to use, or negative: the minimum.
        QCOMPARE(Fit(10, 10, 0, 0), QRect(10, 10, 150, 100));
        QCOMPARE(Fit(10, 10, -500, kMinInt), QRect(10, 10, 150, 100));
    }

    void aTitleBarOffEveryScreenComesBack()
    {
        QCOMPARE(Fit(-100000, -100000, 500, 300), QRect(0, 0, 500, 300));
        QCOMPARE(Fit(kMinInt, kMinInt, kMaxInt, kMaxInt), QRect(0, 0, 1024, 768));
        QCOMPARE(Fit(kMaxInt, kMaxInt, 500, 300), QRect(524, 468, 500, 300));
        QCOMPARE(Fit(kMaxInt, 0, kMaxInt, 300), QRect(0, 0, 1024, 300));
        // The title bar above the screen's top, or too little of it beside the edge.
        QCOMPARE(Fit(100, -5, 500, 300), QRect(100, 0, 500, 300));
        QCOMPARE(Fit(1000, 100, 500, 300), QRect(524, 100, 500, 300));
        QCOMPARE(Fit(-470, 100, 500, 300), QRect(0, 100, 500, 300));
        QCOMPARE(Fit(-460, 100, 500, 300), QRect(-460, 100, 500, 300));
        QCOMPARE(Fit(100, 760, 500, 300), QRect(100, 468, 500, 300));
    }

    void severalScreensMakeOneDesktop()
    {
        // A second, larger screen to the right; the first one has a task bar.
        const QList<QRect> screens{QRect(0, 0, 1024, 740), QRect(1024, 0, 1280, 1024)};
        QCOMPARE(Fit(1500, 900, 300, 200, screens), QRect(1500, 900, 300, 200));
        QCOMPARE(Fit(0, 0, 100000, 100000, screens), QRect(0, 0, 2304, 1024));
        // Below the first screen, where only the second one reaches: back onto the first.
        QCOMPARE(Fit(200, 900, 300, 200, screens), QRect(200, 540, 300, 200));
        // Far to the right: onto the second screen.
        QCOMPARE(Fit(5000, 100, 300, 200, screens), QRect(2004, 100, 300, 200));
        // Without any screen only the size is limited.
        QCOMPARE(Fit(-100000, 20, kMaxInt, 300, {}), QRect(-100000, 20, 16384, 300));
    }

    void boundsApplyToTheInsideOfAKnownFrame()
    {
        QWidget window;
        OuterBounds bounds(window, kMinimum);
        bounds.SetFrameSource(FixedFrame(kThickFrame));
        bounds.ApplyFitted(QRect(10, 30, 400, 300));
        QCOMPARE(window.geometry(), QRect(14, 53, 392, 273));
        QCOMPARE(bounds.Current(), QRect(10, 30, 400, 300));
        QCOMPARE(bounds.Frame(), kThickFrame);
    }

    void theMaximumHeightIsOuter()
    {
        QWidget window;
        OuterBounds bounds(window, kMinimum, 122);
        QCOMPARE(window.maximumHeight(), 122);
        bounds.SetFrameSource(FixedFrame(kThinFrame));
        QCOMPARE(window.maximumHeight(), 122 - 25);
        bounds.ApplyFitted(QRect(0, 0, 500, 300));
        QCOMPARE(window.height(), 97);
        QCOMPARE(bounds.Current(), QRect(0, 0, 500, 122));
    }

    void boundsAppliedBeforeTheFrameAreCorrectedWhenItArrives()
    {
        QWidget window;
        OuterBounds bounds(window, kMinimum);
        std::optional<QMargins> frame;
        bounds.SetFrameSource([&frame](const QWidget&) { return frame; });
        bounds.ApplyFitted(QRect(0, 120, 500, 300));
        // Not framed yet: placed by its frame's corner, sized as if there were none.
        QCOMPARE(window.size(), QSize(500, 300));

        QVERIFY(bounds.Placing());

        // The window manager has framed it: the next look at the frame corrects it.
        frame = kThickFrame;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_COMPARE(window.geometry(), QRect(4, 143, 492, 273));
        QCOMPARE(bounds.Current(), QRect(0, 120, 500, 300));
        QVERIFY(!bounds.Placing());

        // From then on the user's own resizing is kept.
        window.resize(300, 200);
        QTest::qWait(20);
        QCOMPARE(window.size(), QSize(300, 200));
    }
};

VELOQUIN_APP_TEST(WindowBoundsTest)
#include "WindowBoundsTest.moc"
