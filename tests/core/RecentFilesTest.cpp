// The recent-files list in the settings file: newest first, eight at most, no
// repeats, and a section of its own that leaves the window and printer settings
// alone in both directions.

#include "RecentFiles.h"
#include "Settings.h"
#include "TempFolder.h"

#include <algorithm>
#include <string>
#include <vector>

using namespace veloquin;

namespace {

using Paths = std::vector<std::string>;

class RecentFilesTest : public test::TempFolder
{
protected:
    std::string IniPath() const { return PathOf("Veloquin.ini"); }
};

Paths Numbered(int first, int last)
{
    Paths paths;
    for (int i = first; i <= last; ++i)
        paths.push_back("/tanks/Резервуар " + std::to_string(i) + ".vlq");
    return paths;
}

} // namespace

TEST(RecentFilesList, NewestFirstWithoutRepeatsAndAtMostEight)
{
    Paths paths;
    for (const std::string& path : Numbered(1, 10))
        paths = WithRecentFile(paths, path);
    // 10 down to 3: the two oldest fell off.
    Paths expected = Numbered(3, 10);
    std::reverse(expected.begin(), expected.end());
    EXPECT_EQ(paths, expected);

    // Opening a listed file again moves it up instead of listing it twice.
    paths = WithRecentFile(paths, "/tanks/Резервуар 5.vlq");
    ASSERT_EQ(paths.size(), kMaxRecentFiles);
    EXPECT_EQ(paths.front(), "/tanks/Резервуар 5.vlq");
    EXPECT_EQ(std::count(paths.begin(), paths.end(), "/tanks/Резервуар 5.vlq"), 1);
    EXPECT_EQ(paths.back(), "/tanks/Резервуар 3.vlq");

    const Paths shorter = WithoutRecentFile(paths, "/tanks/Резервуар 8.vlq");
    EXPECT_EQ(shorter.size(), kMaxRecentFiles - 1);
    EXPECT_EQ(std::count(shorter.begin(), shorter.end(), "/tanks/Резервуар 8.vlq"), 0);
    EXPECT_EQ(WithoutRecentFile(shorter, "/not/listed.vlq"), shorter);
}

TEST_F(RecentFilesTest, ListSurvivesTheFileAndAShorterListLeavesNoStaleNames)
{
    ProfileFile ini(IniPath());
    EXPECT_TRUE(ReadRecentFiles(ini).empty());
    const Paths eight = Numbered(1, 8);
    WriteRecentFiles(ini, eight);
    EXPECT_EQ(ReadRecentFiles(ProfileFile(IniPath())), eight);

    WriteRecentFiles(ini, Numbered(1, 2));
    EXPECT_EQ(ReadRecentFiles(ini), Numbered(1, 2));
    WriteRecentFiles(ini, {});
    EXPECT_TRUE(ReadRecentFiles(ini).empty());
}

TEST_F(RecentFilesTest, SectionOfItsOwnBesideTheOtherSettings)
{
    // A settings file of a version without the list: everything reads as before,
    // the list is empty.
    WriteBytes(IniPath(), "[WindowState]\r\nMaximized=0\r\nWindowWidth=640\r\nWindowHeight=110\r\n"
                          "WindowTop=30\r\nWindowLeft=40\r\n[InspectorState]\r\nCol1Width=150\r\n");
    ProfileFile ini(IniPath());
    EXPECT_TRUE(ReadRecentFiles(ini).empty());
    EXPECT_TRUE(InspectorColumnWidthStored(ini));

    // Writing the list changes none of the other values, and reading them
    // afterwards does not trip over the new section.
    WriteRecentFiles(ini, Numbered(1, 3));
    const MainWindowSettings window = ReadMainWindowSettings(ini);
    EXPECT_EQ(window.widthPx, 640);
    EXPECT_EQ(window.heightPx, 110);
    EXPECT_EQ(window.topPx, 30);
    EXPECT_EQ(window.leftPx, 40);
    EXPECT_EQ(ReadInspectorSettings(ini).col1WidthPx, 150);
    EXPECT_EQ(ReadRecentFiles(ini), Numbered(1, 3));
}

TEST_F(RecentFilesTest, HandEditedListSkipsHolesAndRepeats)
{
    WriteBytes(IniPath(), "[RecentFiles]\nFile1=/a.vlq\nFile2=\nFile3=/b.vlq\nFile4=/a.vlq\nFile9=/c.vlq\n");
    EXPECT_EQ(ReadRecentFiles(ProfileFile(IniPath())), (Paths{"/a.vlq", "/b.vlq"}));
}

TEST_F(RecentFilesTest, InspectorColumnWidthCountsAsStoredOnlyOnceWritten)
{
    ProfileFile ini(IniPath());
    EXPECT_FALSE(InspectorColumnWidthStored(ini));
    WriteRecentFiles(ini, Numbered(1, 1));
    EXPECT_FALSE(InspectorColumnWidthStored(ini));
    WriteInspectorSettings(ini, InspectorSettings());
    EXPECT_TRUE(InspectorColumnWidthStored(ini));
}

TEST_F(RecentFilesTest, EveryPathReadsBackAsItWasAndPlainPathsStayPlain)
{
    const Paths awkward = {// as many as the list holds"/tanks/tank.vlq ",
                           " /tanks/tank.vlq",
                           "/tanks/two\nlines.vlq",
                           "/tanks/cr\r\n.vlq",
                           "/tanks/vertical\x0btab\t.vlq",
                           "\"/tanks/quoted.vlq\"",
                           "/tanks/back\\slash \\x41 .vlq\x7f",
                           "/tanks/\xff\xfe not utf-8 " + std::string(300, 'x') + ".vlq"};
    ProfileFile ini(IniPath());
    WriteRecentFiles(ini, awkward);
    EXPECT_EQ(ReadRecentFiles(ProfileFile(IniPath())), awkward);

    // A plain path is written as it is, for earlier versions to read, and the
    // neighbour a trimmed or joined name would give is never what comes back.
    const Paths plain = {"/tanks/Резервуар 1.vlq", "/tanks/back\\slash.vlq", "/tanks/a \"b\".vlq"};
    WriteRecentFiles(ini, plain);
    for (std::size_t i = 0; i < plain.size(); ++i)
        EXPECT_EQ(plain[i], ini.ReadString("RecentFiles", "File" + std::to_string(i + 1), ""));
    EXPECT_EQ(ReadRecentFiles(ini), plain);
}

TEST_F(RecentFilesTest, DamagedQuotedEntryIsDroppedNotGuessed)
{
    WriteBytes(IniPath(), "[RecentFiles]\nFile1=\"/a.vlq\\x2\"\nFile2=\"/b\"c.vlq\"\nFile3=\"/c.vlq\\q\"\n"
                          "File4=\"/d.vlq\\x20\"\nFile5=\"\n");
    EXPECT_EQ(ReadRecentFiles(ProfileFile(IniPath())), (Paths{"/d.vlq ", "\""}));
}
