#include "CalibrationPage.h"

#include "CalibrationSheets.h"
#include "CalibrationText.h"
#include "GFunc.h"
#include "LevelStepping.h"
#include "PageFrame.h"
#include "PagePainter.h"

#include <string>

namespace veloquin {
namespace {

constexpr double kRowHeightMm = 4;
constexpr double kFirstRowTopMm = 70;
constexpr double kBlockPitchMm = 43;
constexpr double kFirstLevelRightMm = 41.5;
constexpr double kBoxTopMm = 51;
constexpr double kHeadLineMm = 69;
constexpr double kBoxBottomMm = 277;
constexpr double kBlock4LeftMm = 158.5;
constexpr double kBlock4DividerMm = 177;
constexpr double kBlock4RightMm = 195.5;
constexpr int kFractionRows = 9;

const QColor& BandBrush(int row)
{
    return row % 2 == 0 ? kWhiteBrush : kGreyBrush;
}

// Where row k of a sheet stands: the right edge of its level text and its top.
double LevelRightOf(int k)
{
    return kFirstLevelRightMm + kBlockPitchMm * (k / kRowsPerBlock);
}
double RowTopOf(int k)
{
    return kFirstRowTopMm + kRowHeightMm * (k % kRowsPerBlock);
}

void DrawRow(PagePainter& painter, int k, const std::string& level, double volumeM3)
{
    const double x = LevelRightOf(k);
    const double y = RowTopOf(k);
    painter.SetBrush(BandBrush(k));
    painter.FillRect(x - 12, y, x + 25, y + kRowHeightMm);
    painter.TextRight(x, y, level);
    painter.TextRight(x + 23, y, FormatDecimals(3, volumeM3));
}

void DrawColumnHeads(PagePainter& painter, double left, double divider, double right, double y)
{
    painter.TextCentred(left, divider, y, "Уровень");
    painter.TextCentred(left, divider, y + 4.5, "заполне-");
    painter.TextCentred(left, divider, y + 9, "ния, см");
    painter.TextCentred(divider, right, y, "Вмести-");
    painter.TextCentred(divider, right, y + 4.5, "мость,");
    painter.TextCentred(divider, right, y + 9, "м куб.");
}

// A block's box from the top of its head to `bottom`, the head's rules and texts.
void DrawBlockBox(PagePainter& painter, double left, double right, double bottom)
{
    const double divider = left + 18.5;
    painter.BoxPath(left, kBoxTopMm, right, bottom);
    painter.Line(left, kHeadLineMm, right, kHeadLineMm);
    painter.Line(divider, kBoxTopMm, divider, kHeadLineMm);
    DrawColumnHeads(painter, left, divider, right, kBoxTopMm + 2.5);
}

// The mean capacity of 1 to 9 mm, in a box whose top is at `top`. Without a
// 10 mm step (a girdle of a single level) there is no mean: the capacities stay empty.
void DrawFractionalTable(PagePainter& painter, double top, int girdle, bool haveMean, double meanPerMm)
{
    const double firstRow = top + 37;
    for (int i = 1; i <= kFractionRows; ++i) {
        const double y = firstRow + kRowHeightMm * (i - 1);
        painter.SetBrush(BandBrush(i - 1));
        painter.FillRect(kBlock4LeftMm, y, kBlock4RightMm, y + kRowHeightMm);
        painter.TextRight(170.5, y, FloatToStr(i * 0.1));
        if (haveMean)
            painter.TextRight(193.5, y, FormatDecimals(3, i * meanPerMm));
    }
    painter.SetBrush(kWhiteBrush);

    painter.BoxPath(kBlock4LeftMm, top, kBlock4RightMm, top + 75);
    painter.Line(kBlock4LeftMm, top + 18, kBlock4RightMm, top + 18);
    painter.Line(kBlock4LeftMm, top + 36, kBlock4RightMm, top + 36);
    painter.Line(kBlock4DividerMm, top + 18, kBlock4DividerMm, top + 36);
    painter.TextCentred(kBlock4LeftMm, kBlock4RightMm, top + 1, "Среднее значение");
    painter.TextCentred(kBlock4LeftMm, kBlock4RightMm, top + 5, "вместимости дробных");
    painter.TextCentred(kBlock4LeftMm, kBlock4RightMm, top + 9, "частей сантиметра");
    painter.TextCentred(kBlock4LeftMm, kBlock4RightMm, top + 13, std::to_string(girdle) + "-го пояса");
    DrawColumnHeads(painter, kBlock4LeftMm, kBlock4DividerMm, kBlock4RightMm, top + 20.5);
}

void DrawSignature(PagePainter& painter, const PageOptions& options)
{
    painter.SetFont(PageFonts::Arial, 3.5, FontStyle::Bold);
    painter.Text(154, 250, "Председатель комиссии:");
    painter.OptionText("edPredsCom", 154, 255, kFrameRightMm, options.edPredsCom);
    painter.SetFont(PageFonts::Arial, 3.5, FontStyle::Regular);
    painter.OptionText("ed___", 154, 264, kFrameRightMm, options.ed___);
    painter.OptionText("ed__y", 154, 273, kFrameRightMm, options.ed__y);
}

// A table too long to list (a height typed with zeros too many) is refused on
// paper as in text, instead of printing thousands of sheets.
bool DrawRefusal(PagePainter& painter, const CalibrationTablePlan& plan)
{
    if (plan.Refusal().empty())
        return false;
    painter.SetFont(PageFonts::Arial, 3.5, FontStyle::Regular);
    painter.Text(30, kFirstRowTopMm, plan.Refusal());
    return true;
}

} // namespace

std::optional<double> DrawCalibrationPage(Canvas& canvas, const PageGeometry& geometry, const TSteelVertCylTank& tank,
                                          CalibrationTablePlan& plan, const PageOptions& options, int page)
{
    PagePainter painter(canvas, geometry);
    DrawPageFrame(painter, options);
    const CalibrationSheet sheet = plan.At(page);
    if (sheet.girdle == 0 || DrawRefusal(painter, plan))
        return std::nullopt;

    // The mean covers the whole girdle, and the level left behind is the girdle's.
    const GirdleRows& rows = plan.Rows(sheet.girdle);
    const double touchPointMm = tank.TouchPointHeight();
    painter.SetFont(PageFonts::Arial, 3, FontStyle::Regular);
    const int rowCount = static_cast<int>(rows.levelMm.size());
    for (int k = 0; k < sheet.rowCount && sheet.firstRow + k < rowCount; ++k) {
        const auto row = static_cast<std::size_t>(sheet.firstRow + k);
        DrawRow(painter, k, FloatToStr((rows.levelMm[row] - touchPointMm) * 0.1), rows.volumeM3[row]);
    }
    const double sumM3 = rows.stepSumM3;
    const int steps = rows.steps;
    painter.SetBrush(kWhiteBrush);

    painter.SetPen(kThinPenMm);
    for (int block = 0; block < 3; ++block) {
        const double left = 29.5 + kBlockPitchMm * block;
        DrawBlockBox(painter, left, left + 37, kBoxBottomMm);
    }

    // The row y after the sheet's last row, as the rows advance and wrap.
    const int fullBlocks = sheet.rowCount / kRowsPerBlock;
    const double rowAfterMm = kFirstRowTopMm + kRowHeightMm * (sheet.rowCount % kRowsPerBlock);
    const bool block4InUse = fullBlocks >= 3;
    if (block4InUse) {
        const double bottom = fullBlocks == kBlocksPerSheet ? kBoxBottomMm : rowAfterMm + 2.5;
        DrawBlockBox(painter, kBlock4LeftMm, kBlock4RightMm, bottom);
    }
    if (sheet.lastOfGirdle) {
        const bool haveMean = steps > 0;
        const double meanPerMm = haveMean ? sumM3 / steps / 10 : 0;
        DrawFractionalTable(painter, block4InUse ? rowAfterMm + 6 : kBoxTopMm, sheet.girdle, haveMean, meanPerMm);
    }

    if (sheet.lastOfTable)
        DrawSignature(painter, options);
    return rows.requestedMm;
}

} // namespace veloquin
