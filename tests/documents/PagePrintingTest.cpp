// Printing pages into a PDF: the pages asked for, in their copies, the options
// of each page its own, and a file that appears whole or not at all.

#include "PagePrinting.h"
#include "DocumentsTestSupport.h"
#include "FileIo.h"
#include "TankFile.h"
#include "TestSupport.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace veloquin {
namespace {

int PdfPageCount(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QString text = QString::fromLatin1(file.readAll());
    return static_cast<int>(text.count(QRegularExpression(QStringLiteral("/Type /Page\\b(?!s)"))));
}

PrintOutcome Print(const QString& path, const TSteelVertCylTank& tank, std::vector<int> pages, int copies = 1)
{
    PrintRequest request;
    request.pages = std::move(pages);
    request.copies = copies;
    return PrintPagesToPdf(path.toStdString(), tank, request);
}

TEST(PagePrinting, WritesTheWholeSetOrTheListedPages)
{
    QTemporaryDir dir;
    const QString all = dir.filePath(QStringLiteral("all.pdf"));
    TSteelVertCylTank tank;
    EXPECT_TRUE(Print(all, tank, AllPages(tank)).reports.empty());
    EXPECT_EQ(15, PdfPageCount(all));
    QFile file(all);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF-"));
    EXPECT_TRUE(bytes.contains("/FontFile2"));         // fonts travel with the file
    EXPECT_TRUE(bytes.contains("/MediaBox [0 0 595")); // A4 portrait

    const QString some = dir.filePath(QStringLiteral("some.pdf"));
    Print(some, tank, {7, 9, 14});
    EXPECT_EQ(3, PdfPageCount(some));
    const QString copies = dir.filePath(QStringLiteral("copies.pdf"));
    EXPECT_EQ(4, Print(copies, tank, {7, 14}, 2).sheets);
    EXPECT_EQ(4, PdfPageCount(copies));
    EXPECT_EQ((QStringList{QStringLiteral("all.pdf"), QStringLiteral("copies.pdf"), QStringLiteral("some.pdf")}),
              QDir(dir.path()).entryList(QDir::Files, QDir::Name));
}

TEST(PagePrinting, OptionsPassFromPageToPage)
{
    // Sheet 2's record never chose a frame: it is printed in the frame of sheet 1.
    test::ScopedDecimalSeparator comma(',');
    TSteelVertCylTank tank;
    SheetSettings framed;
    framed.FrameStyle = 2;
    framed.TitleLines = 1;
    framed.Title = "Заголовок";
    tank.SetSheet(SheetKind::Calibration, 1, framed);
    SheetSettings undecided;
    undecided.FrameStyle = 9;
    undecided.Title = "Второй";
    tank.SetSheet(SheetKind::Calibration, 2, undecided);
    PageOptions options;
    DocumentSelection selection;
    for (int page : {7, 8}) {
        ASSERT_TRUE(SelectGlobalPage(tank, selection, page));
        const test::DrawnPage drawn = test::DrawPage(tank, selection.docKind, selection.curPage, options);
        EXPECT_TRUE(drawn.HasText(page == 7 ? QStringLiteral("Заголовок") : QStringLiteral("Второй"))) << page;
    }
    EXPECT_EQ(FrameButton::FramedVD, options.frame);
}

TEST(PagePrinting, AFailedWriteLeavesNothingUnderTheName)
{
    QTemporaryDir dir;
    const QString blocker = dir.filePath(QStringLiteral("file"));
    QFile(blocker).open(QIODevice::WriteOnly);
    TSteelVertCylTank tank;
    EXPECT_THROW(Print(blocker + QStringLiteral("/out.pdf"), tank, {1}), TankFileError);

    // An existing file is replaced only by a whole new one.
    const QString target = dir.filePath(QStringLiteral("kept.pdf"));
    {
        QFile old(target);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old bytes");
    }
    Print(target, tank, {8});
    EXPECT_EQ(1, PdfPageCount(target));
    EXPECT_EQ(2, QDir(dir.path()).entryList(QDir::Files).size());
}

} // namespace
} // namespace veloquin
