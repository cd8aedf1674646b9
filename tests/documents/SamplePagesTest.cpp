// Every text of every printed page of the sample tanks (the protocol, the
// calibration table and the outline), drawn as veloquin-cli prints them (A4 at
// 1200 dpi, no calibration, options loaded page after page from the dialog's
// state at creation), held against NAME.pages.json: the text, its anchor and
// top within 0.35 mm across and 0.6 mm down, its font, size and style, and no
// text that the sample does not list.

#include "DocumentsTestSupport.h"
#include "PagePainter.h"
#include "TankFile.h"
#include "TestSupport.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>

namespace veloquin {
namespace {

constexpr double kToleranceXMm = 0.35;
constexpr double kToleranceYMm = 0.6;

QJsonObject ReadJson(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.readAll()).object();
}

QString SamplePath(const std::string& name, const char* suffix)
{
    return QStringLiteral(VELOQUIN_SAMPLES_DIR "/") + QString::fromStdString(name) + QString::fromUtf8(suffix);
}

std::vector<std::string> SamplesWithPages()
{
    std::vector<std::string> names;
    QFile file(QStringLiteral(VELOQUIN_SAMPLES_DIR "/manifest.json"));
    if (!file.open(QIODevice::ReadOnly))
        return names;
    for (const QJsonValue& sample : QJsonDocument::fromJson(file.readAll()).array()) {
        const std::string name = sample.toObject().value(QStringLiteral("name")).toString().toStdString();
        if (QFile::exists(SamplePath(name, ".pages.json")))
            names.push_back(name);
    }
    return names;
}

FontStyle StyleOf(const QString& style)
{
    if (style == QLatin1String("bold"))
        return FontStyle::Bold;
    if (style == QLatin1String("italic"))
        return FontStyle::Italic;
    return FontStyle::Regular;
}

// Matches the expected texts of one page against the recorded ones; returns
// the problems found (empty when the page is right).
std::vector<std::string> ComparePage(const QJsonArray& expected, const test::DrawnPage& page)
{
    const std::vector<RecordedText>& texts = page.canvas.Texts();
    std::vector<bool> used(texts.size(), false);
    std::map<QString, double> rightEndMm; // of texts already matched, for "after"
    std::vector<std::string> problems;
    for (const QJsonValue& value : expected) {
        const QJsonObject item = value.toObject();
        const QString text = item.value(QStringLiteral("text")).toString();
        const QJsonArray anchor = item.value(QStringLiteral("anchor")).toArray();
        const QString kind = anchor.at(0).toString();
        const double yMm = item.value(QStringLiteral("y")).toDouble();
        const int pointSize =
            FontPointSize(page.geometry, item.value(QStringLiteral("size")).toDouble(), test::kPdfDpi);
        int best = -1;
        double bestScore = 0;
        for (std::size_t i = 0; i < texts.size(); ++i) {
            const RecordedText& t = texts[i];
            if (used[i] || t.text != text)
                continue;
            double dx = 0;
            if (kind == QLatin1String("left")) {
                dx = page.LeftMm(t) - anchor.at(1).toDouble();
            } else if (kind == QLatin1String("right")) {
                dx = page.RightMm(t) - anchor.at(1).toDouble();
            } else if (kind == QLatin1String("centre")) {
                dx = (page.LeftMm(t) + page.RightMm(t)) / 2 - (anchor.at(1).toDouble() + anchor.at(2).toDouble()) / 2;
            } else {
                const auto label = rightEndMm.find(anchor.at(1).toString());
                if (label == rightEndMm.end())
                    continue;
                dx = page.LeftMm(t) - (label->second + anchor.at(2).toDouble());
            }
            const double dy = page.TopMm(t) - yMm;
            if (std::abs(dx) > kToleranceXMm || std::abs(dy) > kToleranceYMm)
                continue;
            const double score = std::abs(dx) / kToleranceXMm + std::abs(dy) / kToleranceYMm;
            if (best < 0 || score < bestScore) {
                best = static_cast<int>(i);
                bestScore = score;
            }
        }
        if (best < 0) {
            problems.push_back("not found in place: \"" + text.toStdString() + "\" y " + std::to_string(yMm));
            continue;
        }
        const RecordedText& found = texts[static_cast<std::size_t>(best)];
        used[static_cast<std::size_t>(best)] = true;
        rightEndMm[text] = page.RightMm(found);
        if (found.family != item.value(QStringLiteral("font")).toString() || found.pointSize != pointSize ||
            found.style != StyleOf(item.value(QStringLiteral("style")).toString()))
            problems.push_back("wrong font: \"" + text.toStdString() + "\" " + found.family.toStdString() + " " +
                               std::to_string(found.pointSize) + " pt");
    }
    for (std::size_t i = 0; i < texts.size(); ++i)
        if (!used[i])
            problems.push_back("not expected: \"" + texts[i].text.toStdString() + "\"");
    return problems;
}

class SamplePages : public testing::TestWithParam<std::string>
{
};

TEST_P(SamplePages, MatchTheIndependentlyComputedPages)
{
    const std::string& name = GetParam();
    const QJsonObject expected = ReadJson(SamplePath(name, ".pages.json"));
    ASSERT_FALSE(expected.isEmpty());
    const QString separator = expected.value(QStringLiteral("decimal_separator")).toString();
    test::ScopedDecimalSeparator decimal(separator.isEmpty() ? ',' : separator.at(0).toLatin1());
    LoadedTank loaded = LoadTankFile((SamplePath(name, ".vlq")).toStdString());
    TSteelVertCylTank& tank = loaded.tank;

    const QJsonObject documents = expected.value(QStringLiteral("documents")).toObject();
    EXPECT_EQ(documents.value(QStringLiteral("protocol")).toInt(), PageCountOf(tank, DocKind::Protocol));
    EXPECT_EQ(documents.value(QStringLiteral("calibration_table")).toInt(), PageCountOf(tank, DocKind::Calibration));
    EXPECT_EQ(documents.value(QStringLiteral("outline")).toInt(), PageCountOf(tank, DocKind::Outline));
    const QJsonArray pages = expected.value(QStringLiteral("pages")).toArray();
    ASSERT_EQ(pages.size(), DocumentSetPageCount(tank));

    PageOptions options; // the sheet options dialog as created
    DocumentSelection selection;
    for (int number = 1; number <= DocumentSetPageCount(tank); ++number) {
        ASSERT_TRUE(SelectGlobalPage(tank, selection, number));
        const test::DrawnPage page =
            test::DrawPage(tank, selection.docKind, selection.curPage, options, test::PdfA4(), test::kPdfDpi);
        const std::vector<std::string> problems = ComparePage(pages.at(number - 1).toArray(), page);
        for (std::size_t i = 0; i < problems.size() && i < 8; ++i)
            ADD_FAILURE() << name << " page " << number << ": " << problems[i];
        if (problems.size() > 8)
            ADD_FAILURE() << name << " page " << number << ": " << problems.size() - 8 << " more";
    }
}

bool SameText(const RecordedText& a, const RecordedText& b)
{
    return a.x == b.x && a.y == b.y && a.width == b.width && a.text == b.text && a.family == b.family &&
           a.pointSize == b.pointSize && a.style == b.style;
}
bool SameLine(const RecordedLine& a, const RecordedLine& b)
{
    return a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 && a.y2 == b.y2 && a.penWidth == b.penWidth &&
           a.penStyle == b.penStyle && a.colour == b.colour;
}
bool SameFill(const RecordedFill& a, const RecordedFill& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom && a.colour == b.colour &&
           a.outlined == b.outlined;
}
template <typename T, typename Same>
bool SameCalls(const std::vector<T>& a, const std::vector<T>& b, Same same)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), same);
}

// A page printed alone (veloquin-cli pdf --pages g, the print dialog's list or
// current page, the preview after any other page) is the page of the whole set:
// the same drawing calls, and so the same page of NAME.pages.json.
TEST_P(SamplePages, EachPageAloneIsItsPageOfTheWholeSet)
{
    const std::string& name = GetParam();
    const QJsonObject expected = ReadJson(SamplePath(name, ".pages.json"));
    ASSERT_FALSE(expected.isEmpty());
    const QString separator = expected.value(QStringLiteral("decimal_separator")).toString();
    test::ScopedDecimalSeparator decimal(separator.isEmpty() ? ',' : separator.at(0).toLatin1());
    const LoadedTank loaded = LoadTankFile((SamplePath(name, ".vlq")).toStdString());
    const TSteelVertCylTank& tank = loaded.tank;
    const QJsonArray pages = expected.value(QStringLiteral("pages")).toArray();

    DocumentRenderer wholeSet(tank);
    ASSERT_EQ(pages.size(), wholeSet.PageCount());
    std::vector<test::DrawnPage> inOrder;
    for (int number = 1; number <= wholeSet.PageCount(); ++number) {
        inOrder.emplace_back(test::kPdfDpi);
        inOrder.back().geometry = test::PdfA4();
        wholeSet.Draw(inOrder.back().canvas, test::PdfA4(), number);
    }
    // Backwards through one renderer, and each page by a renderer of its own.
    DocumentRenderer backwards(tank);
    for (int number = wholeSet.PageCount(); number >= 1; --number) {
        for (DocumentRenderer* renderer : {&backwards, static_cast<DocumentRenderer*>(nullptr)}) {
            test::DrawnPage alone(test::kPdfDpi);
            alone.geometry = test::PdfA4();
            if (renderer) {
                renderer->Draw(alone.canvas, test::PdfA4(), number);
            } else {
                DocumentRenderer own(tank);
                own.Draw(alone.canvas, test::PdfA4(), number);
            }
            const test::DrawnPage& whole = inOrder[static_cast<std::size_t>(number - 1)];
            EXPECT_TRUE(SameCalls(alone.canvas.Texts(), whole.canvas.Texts(), SameText)) << name << " page " << number;
            EXPECT_TRUE(SameCalls(alone.canvas.Lines(), whole.canvas.Lines(), SameLine)) << name << " page " << number;
            EXPECT_TRUE(SameCalls(alone.canvas.Fills(), whole.canvas.Fills(), SameFill)) << name << " page " << number;
            const std::vector<std::string> problems = ComparePage(pages.at(number - 1).toArray(), alone);
            for (std::size_t i = 0; i < problems.size() && i < 4; ++i)
                ADD_FAILURE() << name << " page " << number << " alone: " << problems[i];
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Samples, SamplePages, testing::ValuesIn(SamplesWithPages()),
                         [](const testing::TestParamInfo<std::string>& sample) { return sample.param; });

} // namespace
} // namespace veloquin
