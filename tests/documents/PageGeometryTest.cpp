// Millimetres to device pixels for the preview and the printer, font sizes,
// text placement and the three frame styles.

#include "DocumentsTestSupport.h"
#include "PageFrame.h"
#include "PagePainter.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

namespace veloquin {
namespace {

using test::TenPerMm;

TEST(PageGeometry, PreviewScalesComeFromThePageBoxAndIgnoreTheCalibration)
{
    PageGeometry preview = PageGeometry::ForPreview(848, 1200);
    EXPECT_EQ(404, preview.ScaleX); // 848 / 2.1 = 403.8
    EXPECT_EQ(404, preview.ScaleY); // 1200 / 2.97 = 404.04
    EXPECT_FALSE(preview.ToPrinter);
    const int x = preview.MmToX(41.5);
    const int y = preview.MmToY(70);
    preview.calibration = {5, -3, 10, 20};
    EXPECT_EQ(x, preview.MmToX(41.5));
    EXPECT_EQ(y, preview.MmToY(70));
    EXPECT_EQ(168, x); // 404 x 0.415 = 167.66
    EXPECT_EQ(283, y); // 404 x 0.7 = 282.8
}

TEST(PageGeometry, PrinterWithoutCalibrationMapsTheSheetOntoThePrintableArea)
{
    const PageGeometry printer = PageGeometry::ForPrinter(9921, 14031, {});
    EXPECT_TRUE(printer.ToPrinter);
    EXPECT_EQ(4724, printer.ScaleX);
    EXPECT_EQ(4724, printer.ScaleY);
    EXPECT_NEAR(9921, printer.MmToX(210), 1);
    EXPECT_NEAR(14031, printer.MmToY(297), 1);
    EXPECT_EQ(0, printer.MmToX(0));
}

TEST(PageGeometry, PrinterCalibrationShiftsAndScales)
{
    const PageGeometry plain = PageGeometry::ForPrinter(2100, 2970, {});
    EXPECT_EQ(1000, plain.ScaleX);
    EXPECT_EQ(1000, plain.ScaleY);

    // A positive dXScal takes fewer millimetres across the same width: the page grows.
    const PageGeometry scaled = PageGeometry::ForPrinter(2100, 2970, {0, 0, 10, 27});
    EXPECT_EQ(1050, scaled.ScaleX); // 2100 / 2.0
    EXPECT_EQ(1100, scaled.ScaleY); // 2970 / 2.7
    EXPECT_GT(scaled.MmToX(100), plain.MmToX(100));

    // Shifts move every position by that many millimetres, but no length.
    const PageGeometry shifted = PageGeometry::ForPrinter(2100, 2970, {1.5, -2, 0, 0});
    EXPECT_EQ(plain.MmToX(100) + 15, shifted.MmToX(100));
    EXPECT_EQ(plain.MmToY(100) - 20, shifted.MmToY(100));
    EXPECT_EQ(plain.MmToLen(0.3), shifted.MmToLen(0.3));
}

TEST(PageGeometry, LengthsUseTheMeanOfBothScalesAndRoundHalvesToEven)
{
    PageGeometry geometry;
    geometry.ScaleX = 1000;
    geometry.ScaleY = 1001;
    EXPECT_EQ(3, geometry.MmToLen(0.3)); // 1000.5 x 0.003 = 3.0015
    EXPECT_EQ(30, geometry.MmToLen(3));  // 30.015
    geometry.ScaleY = 1000;
    EXPECT_EQ(2, geometry.MmToLen(0.25)); // 2.5 goes to the even 2
    EXPECT_EQ(4, geometry.MmToLen(0.35)); // 3.5 goes to 4
    EXPECT_EQ(2, geometry.MmToX(0.25));
    EXPECT_EQ(-2, geometry.MmToY(-0.25));
}

TEST(PageGeometry, WildCalibrationValuesDoNotOverflow)
{
    const PageGeometry geometry = PageGeometry::ForPrinter(9921, 14031, {1e300, -1e300, 210, 0});
    // Held where sums and differences of positions still fit in an int.
    EXPECT_EQ(kMaxDevicePx, geometry.MmToX(10));
    EXPECT_EQ(-kMaxDevicePx, geometry.MmToY(10));
    // A zero printable width in mm: an endless scale, still a length on the device.
    EXPECT_GT(geometry.MmToLen(1), 1000000);
    EXPECT_EQ(kMaxDevicePx, geometry.MmToLen(10));
    // Scale corrections a hair off the sheet's size (210.00001, 209.99999 mm).
    for (const double scale : {210.00001, 209.99999}) {
        const PageGeometry narrow = PageGeometry::ForPrinter(9921, 14031, {0, 0, scale, 297 - (scale - 210)});
        for (const double mm : {0.0, 25.0, 200.0, 297.0}) {
            EXPECT_LE(std::abs(narrow.MmToX(mm)), kMaxDevicePx) << scale << " " << mm;
            EXPECT_LE(std::abs(narrow.MmToY(mm)), kMaxDevicePx) << scale << " " << mm;
        }
    }
}

TEST(PageGeometry, PagesDrawnWithWildCalibrationStayOnTheDevice)
{
    // Every page of the set, with each calibration a printer cannot need: the
    // sanitizers watch every sum of positions, this test where they end up.
    TSteelVertCylTank tank;
    for (const PrinterCalibration calibration :
         {PrinterCalibration{1e300, -1e300, 210.00001, 0}, PrinterCalibration{0, 0, 209.99999, 296.99999},
          PrinterCalibration{-1e300, 1e300, -1e300, 1e300}}) {
        const PageGeometry geometry = PageGeometry::ForPrinter(9921, 14031, calibration);
        RecordingCanvas canvas(test::kPdfDpi);
        PageOptions options;
        for (const DocKind kind : {DocKind::Protocol, DocKind::Calibration, DocKind::Outline})
            for (int page = 1; page <= PageCountOf(tank, kind); ++page) {
                LoadPageOptions(tank, kind, page, options);
                options.frame = FrameButton::FramedVD; // the title block adds positions up
                DrawDocumentPage(canvas, geometry, tank, options, kind, page);
            }
        const auto onDevice = [](long long v) { return v >= -2LL * kMaxDevicePx && v <= 2LL * kMaxDevicePx; };
        for (const RecordedText& text : canvas.Texts())
            EXPECT_TRUE(onDevice(text.x) && onDevice(text.y)) << text.text.toStdString();
        for (const RecordedLine& line : canvas.Lines())
            EXPECT_TRUE(onDevice(line.x1) && onDevice(line.y1) && onDevice(line.x2) && onDevice(line.y2));
    }
    // The canvas's own sums, from the far ends of int.
    RecordingCanvas canvas(test::kTenPerMmDpi);
    canvas.SetFont(QStringLiteral("Arial"), 12, FontStyle::Regular);
    TextCentred(canvas, INT_MIN, INT_MAX, 0, QStringLiteral("Лист"));
    TextCentred(canvas, INT_MAX, INT_MIN, 0, QStringLiteral("Лист"));
    TextRight(canvas, INT_MIN, 0, QStringLiteral("Лист"));
    ASSERT_EQ(3u, canvas.Texts().size());
    EXPECT_EQ(INT_MIN, canvas.Texts()[2].x);
}

TEST(PageGeometry, FontsAreSizedFromTheDevicePixelsOfTheirHeight)
{
    const PageGeometry printer = test::PdfA4();
    EXPECT_EQ(9, FontPointSize(printer, 3, 1200));  // 142 px x 72 / 1200 = 8.52
    EXPECT_EQ(11, FontPointSize(printer, 4, 1200)); // 189 px = 11.34
    const PageGeometry preview = PageGeometry::ForPreview(424, 600);
    EXPECT_EQ(4, FontPointSize(preview, 3, 96)); // 6 px on a 96 dpi screen = 4.5 pt, to even
    EXPECT_EQ(1, FontPointSize(preview, 3, 0));
}

TEST(TextPlacement, CentredAndRightAlignedUseTheTextWidth)
{
    RecordingCanvas canvas(test::kTenPerMmDpi);
    canvas.SetFont(QStringLiteral("Arial"), 12, FontStyle::Regular);
    const QString text = QStringLiteral("Вместимость");
    const int width = canvas.TextWidth(text);
    ASSERT_GT(width, 100);
    TextCentred(canvas, 1000, 2000, 50, text);
    TextRight(canvas, 1500, 60, text);
    // Wider than its cell: still centred, running over both edges.
    TextCentred(canvas, 1000, 1010, 70, text);
    ASSERT_EQ(3u, canvas.Texts().size());
    EXPECT_NEAR(1000 + (1000 - width) / 2.0, canvas.Texts()[0].x, 0.5);
    EXPECT_EQ(50, canvas.Texts()[0].y);
    EXPECT_EQ(1500 - width, canvas.Texts()[1].x);
    EXPECT_LT(canvas.Texts()[2].x, 1000);
    EXPECT_GT(canvas.Texts()[2].x + width, 1010);
    EXPECT_NEAR(1005, canvas.Texts()[2].x + width / 2.0, 1);
}

TEST(TextPlacement, EmptyTextsDrawNothing)
{
    RecordingCanvas canvas(test::kTenPerMmDpi);
    PagePainter painter(canvas, TenPerMm());
    painter.Text(10, 10, "");
    painter.TextCentred(10, 20, 10, "");
    painter.TextRight(10, 10, "");
    EXPECT_TRUE(canvas.Texts().empty());
}

// The frame drawn alone, for the given options.
RecordingCanvas DrawnFrame(const PageOptions& options)
{
    RecordingCanvas canvas(test::kTenPerMmDpi);
    PagePainter painter(canvas, TenPerMm());
    DrawPageFrame(painter, options);
    return canvas;
}

PageOptions CompanyFrame()
{
    PageOptions options;
    options.frame = FrameButton::FramedVD;
    options.edOrg1 = "ООО «Заказчик»";
    options.edOrg2 = "ЦСМ";
    options.edDate = "01.02.2024";
    options.edObject = "РВС-1000 №2";
    options.edSheet = "Лист 3";
    options.edWorker = "Поверитель";
    options.edNameWorker = "Иванов И.И.";
    options.edTitle = "Одна строка";
    options.edTitle_1 = "Первая строка";
    options.edTitle_2 = "Вторая строка";
    return options;
}

TEST(PageFrame, NoFrameDrawsNothingAndThePlainFrameIsOneClosedPath)
{
    PageOptions options = CompanyFrame();
    options.frame = FrameButton::UnFramed;
    const RecordingCanvas none = DrawnFrame(options);
    EXPECT_TRUE(none.Order().empty());

    options.frame = FrameButton::Framed;
    const RecordingCanvas plain = DrawnFrame(options);
    EXPECT_TRUE(plain.Texts().empty());
    ASSERT_EQ(4u, plain.Lines().size());
    const RecordedLine& first = plain.Lines()[0];
    EXPECT_EQ(250, first.x1);
    EXPECT_EQ(100, first.y1);
    EXPECT_EQ(2870, first.y2);
    EXPECT_EQ(3, first.penWidth);
    EXPECT_EQ(250, plain.Lines()[3].x2); // back to the start
    EXPECT_EQ(100, plain.Lines()[3].y2);
}

TEST(PageFrame, CompanyFrameCarriesTheTitleBlock)
{
    PageOptions options = CompanyFrame();
    const RecordingCanvas canvas = DrawnFrame(options);
    int heavy = 0;
    for (const RecordedLine& line : canvas.Lines())
        heavy += line.penWidth == 7;
    EXPECT_EQ(6, heavy); // the outer box and the rules at 280 and 49
    EXPECT_EQ(11u, canvas.Lines().size());

    auto find = [&](const char* text) {
        for (const RecordedText& t : canvas.Texts())
            if (t.text == QString::fromUtf8(text))
                return t;
        ADD_FAILURE() << text;
        return RecordedText{};
    };
    const RecordedText org1 = find("ООО «Заказчик»");
    EXPECT_NEAR(687.5, org1.x + org1.width / 2.0, 1); // centred in 25..112.5
    EXPECT_EQ(115, org1.y);
    EXPECT_EQ(FontStyle::Regular, org1.style);
    EXPECT_EQ(185, find("01.02.2024").y);
    EXPECT_NEAR(1125, find("РВС-1000 №2").x + find("РВС-1000 №2").width / 2.0, 1);
    EXPECT_EQ(270, find("Поверитель").x);
    EXPECT_EQ(2815, find("Поверитель").y);
    EXPECT_EQ(1450, find("Иванов И.И.").x);
    // Two title lines, bold; the one-line text is not drawn.
    EXPECT_EQ(292, find("Первая строка").y); // 29.25 mm: 292.5 to even
    EXPECT_EQ(398, find("Вторая строка").y); // 39.75 mm: 397.5 to even
    EXPECT_EQ(FontStyle::Bold, find("Вторая строка").style);
    for (const RecordedText& t : canvas.Texts())
        EXPECT_NE(QStringLiteral("Одна строка"), t.text);

    options.titleLines = TitleLinesButton::OneLine;
    const RecordingCanvas oneLine = DrawnFrame(options);
    bool found = false;
    for (const RecordedText& t : oneLine.Texts()) {
        EXPECT_NE(QStringLiteral("Первая строка"), t.text);
        if (t.text == QStringLiteral("Одна строка")) {
            found = true;
            EXPECT_EQ(345, t.y);
            EXPECT_NEAR(1125, t.x + t.width / 2.0, 1);
        }
    }
    EXPECT_TRUE(found);
}

} // namespace
} // namespace veloquin
