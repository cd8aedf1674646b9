#include "PageFrame.h"

namespace veloquin {
namespace {

constexpr double kLeftMm = kFrameLeftMm;
constexpr double kRightMm = kFrameRightMm;
constexpr double kTopMm = 10;
constexpr double kBottomMm = 287;
constexpr double kNameWorkerMm = 145;

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
    painter.OptionTextCentred("edOrg1", kLeftMm, 112.5, 11.5, options.edOrg1);
    painter.OptionTextCentred("edOrg2", 112.5, kRightMm, 11.5, options.edOrg2);
    painter.OptionTextCentred("edDate", kLeftMm, 60, 18.5, options.edDate);
    painter.OptionTextCentred("edObject", 60, 165, 18.5, options.edObject);
    painter.OptionTextCentred("edSheet", 165, kRightMm, 18.5, options.edSheet);
    // The worker's place ends where his name begins.
    painter.OptionText("edWorker", 27, 281.5, kNameWorkerMm, options.edWorker);
    painter.OptionText("edNameWorker", kNameWorkerMm, 281.5, kRightMm, options.edNameWorker);

    painter.SetFont(PageFonts::Arial, 4, FontStyle::Bold);
    if (options.titleLines == TitleLinesButton::OneLine) {
        painter.OptionTextCentred("edTitle", kLeftMm, kRightMm, 34.5, options.edTitle);
    } else {
        painter.OptionTextCentred("edTitle_1", kLeftMm, kRightMm, 29.25, options.edTitle_1);
        painter.OptionTextCentred("edTitle_2", kLeftMm, kRightMm, 39.75, options.edTitle_2);
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
