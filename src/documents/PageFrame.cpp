#include "PageFrame.h"

namespace veloquin {
namespace {

constexpr double kLeftMm = 25;
constexpr double kRightMm = 200;
constexpr double kTopMm = 10;
constexpr double kBottomMm = 287;

void DrawTitleBlock(PagePainter& painter, const PageOptions& options)
{
    painter.SetPen(kHeavyPenMm);
    painter.BoxPath(kLeftMm, kTopMm, kRightMm, kBottomMm);
    painter.Line(kLeftMm, 280, kRightMm, 280);
    painter.Line(kLeftMm, 49, kRightMm, 49);

    painter.SetPen(kThinPenMm);
    painter.Line(kLeftMm, 17, kRightMm, 17);
    painter.Line(kLeftMm, 24, kRightMm, 24);
    painter.Line(112.5, 10, 112.5, 17);
    painter.Line(60, 17, 60, 24);
    painter.Line(165, 17, 165, 24);

    painter.SetFont(PageFonts::Arial, 4, FontStyle::Regular);
    painter.TextCentred(kLeftMm, 112.5, 11.5, options.edOrg1);
    painter.TextCentred(112.5, kRightMm, 11.5, options.edOrg2);
    painter.TextCentred(kLeftMm, 60, 18.5, options.edDate);
    painter.TextCentred(60, 165, 18.5, options.edObject);
    painter.TextCentred(165, kRightMm, 18.5, options.edSheet);
    painter.Text(27, 281.5, options.edWorker);
    painter.Text(145, 281.5, options.edNameWorker);

    painter.SetFont(PageFonts::Arial, 4, FontStyle::Bold);
    if (options.titleLines == TitleLinesButton::OneLine) {
        painter.TextCentred(kLeftMm, kRightMm, 34.5, options.edTitle);
    } else {
        painter.TextCentred(kLeftMm, kRightMm, 29.25, options.edTitle_1);
        painter.TextCentred(kLeftMm, kRightMm, 39.75, options.edTitle_2);
    }
}

} // namespace

void DrawPageFrame(PagePainter& painter, const PageOptions& options)
{
    switch (options.frame) {
    case FrameButton::UnFramed: return;
    case FrameButton::Framed:
        painter.SetPen(kThinPenMm);
        painter.BoxPath(kLeftMm, kTopMm, kRightMm, kBottomMm);
        return;
    case FrameButton::FramedVD: DrawTitleBlock(painter, options); return;
    }
}

} // namespace veloquin
