// The page "Бюджет неопределённости" of every sample: its figures, the
// settings it took, and every text inside the frame's sides and the sheet.

#include "UncertaintyBudgetPage.h"
#include "DocumentsTestSupport.h"
#include "GFunc.h"
#include "PagePainter.h"
#include "PagePrinting.h"
#include "TankFile.h"
#include "uncertainty/UncertaintyText.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

namespace veloquin {
namespace {

const char* const kSamples[] = {"default",         "sample_rvs400",        "sample_rvs1000",
                                "sample_rvs10000", "sample_rvs2000_staff", "sample_rvs5000_tall"};
constexpr double kSheetBottomMm = 287;

bool HasText(const RecordingCanvas& canvas, const QString& part)
{
    for (const RecordedText& t : canvas.Texts())
        if (t.text.contains(part))
            return true;
    return false;
}

TEST(UncertaintyBudgetPage, EverySampleFitsItsSheetWithEveryFigure)
{
    SetDecimalSeparator(',');
    for (const char* name : kSamples) {
        const TSteelVertCylTank tank = LoadTankFile(std::string(VELOQUIN_SAMPLES_DIR) + "/" + name + ".vlq").tank;
        const TableUncertainty linear = *EstimateLinear(tank, {});
        for (const PageGeometry& geometry : {test::TenPerMm(), test::PdfA4()}) {
            RecordingCanvas canvas(geometry.ScaleX == 1000 ? test::kTenPerMmDpi : test::kPdfDpi);
            DrawUncertaintyBudgetPage(canvas, geometry, tank, linear);
            ASSERT_GT(canvas.Texts().size(), 40u) << name;
            EXPECT_TRUE(HasText(canvas, QString::fromUtf8(kUncertaintyBudgetTitle)));
            EXPECT_TRUE(HasText(canvas, QString::fromStdString(UncertaintyM3Text(linear.designFill.U()))));
            EXPECT_TRUE(HasText(canvas, QString::fromStdString(DesignFillVerdictText(linear))));
            EXPECT_TRUE(HasText(canvas, QString::fromStdString(StatedErrorReachText(linear))));
            EXPECT_TRUE(HasText(canvas, QString::fromUtf8(kUncertaintyExclusionText)));
            EXPECT_TRUE(HasText(canvas, QStringLiteral("staff = 1 мм")));
            for (const RecordedText& t : canvas.Texts()) {
                EXPECT_GE(test::XMm(geometry, t.x), kFrameLeftMm - 0.5) << name << t.text.toStdString();
                EXPECT_LE(test::XMm(geometry, t.x + t.width), kFrameRightMm + 0.5) << name << t.text.toStdString();
                EXPECT_LE(test::YMm(geometry, t.y), kSheetBottomMm) << name << t.text.toStdString();
            }
        }
    }
}

TEST(UncertaintyBudgetPage, SaysTheSettingsItTookAndCutsNothingSilently)
{
    const TSteelVertCylTank tank = LoadTankFile(std::string(VELOQUIN_SAMPLES_DIR) + "/sample_rvs1000.vlq").tank;
    UncertaintyRequest request;
    request.settings[UncertaintyKey::Staff] = 0;
    const TableUncertainty linear = *EstimateLinear(tank, request);
    const std::vector<BudgetPageLine> lines = UncertaintyBudgetPageLines(tank, linear);
    int settings = 0;
    for (const BudgetPageLine& line : lines) {
        settings +=
            line.text.contains(QStringLiteral(" = ")) && line.indented && !line.text.contains(QStringLiteral("u = "))
                ? 1
                : 0;
        EXPECT_FALSE(line.text.contains(QString::fromUtf8(DescriptorOf(UncertaintyGroup::Staff).name)));
    }
    EXPECT_EQ(settings, kUncertaintyKeyCount);
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(),
                            [](const BudgetPageLine& l) { return l.text.startsWith(QStringLiteral("staff = 0")); }));
}

TEST(UncertaintyBudgetPage, IsPrintedOnlyWhenAskedForAndOnce)
{
    const TSteelVertCylTank tank = LoadTankFile(std::string(VELOQUIN_SAMPLES_DIR) + "/sample_rvs400.vlq").tank;
    QTemporaryDir dir;
    const std::string path = QDir(dir.path()).filePath(QStringLiteral("set.pdf")).toStdString();
    PrintRequest request;
    request.pages = AllPages(tank);
    const int set = static_cast<int>(request.pages.size());
    EXPECT_EQ(PrintPagesToPdf(path, tank, request).sheets, set);
    request.uncertaintyBudget = std::make_shared<const TableUncertainty>(*EstimateLinear(tank, {}));
    EXPECT_EQ(PrintPagesToPdf(path, tank, request).sheets, set + 1);
    request.copies = 2;
    EXPECT_EQ(PrintPagesToPdf(path, tank, request).sheets, 2 * (set + 1));
    // The outline alone: the page comes after it.
    request.copies = 1;
    request.pages = {set};
    EXPECT_EQ(PrintPagesToPdf(path, tank, request).sheets, 2);
}

} // namespace
} // namespace veloquin
