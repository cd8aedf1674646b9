#include "UncertaintyBudgetPage.h"

#include "PagePainter.h"
#include "uncertainty/UncertaintyText.h"

namespace veloquin {

const char* const kUncertaintyBudgetTitle = "Бюджет неопределённости";

namespace {

constexpr double kTopMm = 20;
constexpr double kLineMm = 4.4;
constexpr double kIndentMm = 6;
constexpr double kRightMm = kFrameRightMm;
constexpr int kTitlePoints = 14;
constexpr int kTextPoints = 9;
constexpr std::size_t kTopContributions = 5;
const QString kEllipsis = QStringLiteral("…");

QString Q(const std::string& utf8)
{
    return QString::fromStdString(utf8);
}

// The text cut to the width, ending in "…" when cut.
QString Fitted(Canvas& canvas, const QString& text, int widthPx)
{
    if (canvas.TextWidth(text) <= widthPx)
        return text;
    int low = 0, high = static_cast<int>(text.size());
    while (low < high) {
        const int mid = (low + high + 1) / 2;
        if (canvas.TextWidth(text.left(mid) + kEllipsis) <= widthPx)
            low = mid;
        else
            high = mid - 1;
    }
    return text.left(low) + kEllipsis;
}

void AddBudget(std::vector<BudgetPageLine>& lines, const QString& title, const std::vector<BudgetLine>& budget)
{
    lines.push_back({title, FontStyle::Bold, false});
    for (std::size_t k = 0; k < budget.size() && k < kTopContributions; ++k)
        lines.push_back({Q(BudgetLineText(budget[k])), FontStyle::Regular, true});
}

} // namespace

std::vector<BudgetPageLine> UncertaintyBudgetPageLines(const TSteelVertCylTank& tank, const TableUncertainty& linear)
{
    std::vector<BudgetPageLine> lines;
    lines.push_back(
        {Q("Резервуар: " + tank.Name() + ", номинальная вместимость " + std::to_string(tank.DesignCapacity()) + " м³"),
         FontStyle::Regular, false});
    lines.push_back({Q("Расширенная неопределённость U (k = 2), " + UncertaintyMethodText(linear) +
                       " по JCGM 100; уровни от точки касания рулетки"),
                     FontStyle::Regular, false});
    lines.push_back({QString(), FontStyle::Regular, false});
    lines.push_back({Q("Высота наполнения " + LevelUncertaintyText(linear.designFill)), FontStyle::Bold, false});
    lines.push_back({Q(DesignFillVerdictText(linear)), FontStyle::Regular, true});
    lines.push_back({Q("Уровень " + LevelUncertaintyText(linear.at500mm)), FontStyle::Regular, false});
    if (linear.worstTwoMetre)
        lines.push_back({Q("Наихудший интервал 2 м: " + IntervalUncertaintyText(*linear.worstTwoMetre)),
                         FontStyle::Regular, false});
    else
        lines.push_back({QStringLiteral("Таблица короче 2 м: интервала 2 м нет"), FontStyle::Regular, false});
    lines.push_back({Q(StatedErrorReachText(linear)), FontStyle::Regular, false});
    lines.push_back({QString(), FontStyle::Regular, false});
    AddBudget(lines, QStringLiteral("Наибольшие вклады при высоте наполнения"), Budget(linear.designFillGroups));
    AddBudget(lines, QStringLiteral("Наибольшие вклады на уровне 500 мм"), Budget(linear.at500mmGroups));
    if (linear.worstTwoMetre)
        AddBudget(lines, QStringLiteral("Наибольшие вклады в наихудшем интервале 2 м"), WorstTwoMetreBudget(linear));
    lines.push_back({QString(), FontStyle::Regular, false});
    lines.push_back({QStringLiteral("Средства измерений (настройки программы)"), FontStyle::Bold, false});
    for (const UncertaintyKeyDescriptor& d : UncertaintyKeyDescriptors())
        lines.push_back({Q(UncertaintySettingText(linear.settings, d.id)), FontStyle::Regular, true});
    lines.push_back({QString(), FontStyle::Regular, false});
    lines.push_back({Q(kUncertaintyExclusionText), FontStyle::Italic, false});
    return lines;
}

void DrawUncertaintyBudgetPage(Canvas& canvas, const PageGeometry& geometry, const TSteelVertCylTank& tank,
                               const TableUncertainty& linear)
{
    canvas.SetFont(PageFonts::Arial, kTitlePoints, FontStyle::Bold);
    TextCentred(canvas, geometry.MmToX(kFrameLeftMm), geometry.MmToX(kRightMm), geometry.MmToY(kTopMm),
                QString::fromUtf8(kUncertaintyBudgetTitle));
    double y = kTopMm + 2 * kLineMm;
    for (const BudgetPageLine& line : UncertaintyBudgetPageLines(tank, linear)) {
        if (!line.text.isEmpty()) {
            canvas.SetFont(PageFonts::Arial, kTextPoints, line.style);
            const double left = kFrameLeftMm + (line.indented ? kIndentMm : 0);
            const int x = geometry.MmToX(left);
            canvas.TextOut(x, geometry.MmToY(y), Fitted(canvas, line.text, geometry.MmToX(kRightMm) - x));
        }
        y += kLineMm;
    }
}

} // namespace veloquin
