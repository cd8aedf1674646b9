// The tank file: the byte layout, a faithful round trip, and damaged or hostile
// files that must neither crash nor allocate what they claim nor leave a
// half-loaded tank; stores that fail must leave the previous file intact.

#include "TankFile.h"
#include "Cp1251.h"
#include "FileIo.h"
#include "FilledTank.h"
#include "TempFolder.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>

namespace veloquin {
namespace {

namespace fs = std::filesystem;

// Offsets in the file of a new tank (name of 10 bytes, 8 girdles, 12 generatrices).
constexpr std::size_t kNameOffset = 4;
constexpr std::size_t kWeldCountOffset = 22;
constexpr std::size_t kGirdleCountOffset = 42;
constexpr std::size_t kGeneratrixCountOffset = 118;

// The text of the TankFileError that `action` throws, or "" when it succeeds.
template <class Action> std::string ErrorOf(Action action)
{
    try {
        action();
    } catch (const TankFileError& error) {
        return error.what();
    }
    return "";
}

std::string ReadError(std::string_view bytes)
{
    return ErrorOf([&] { ReadTank(bytes); });
}

void PutInt32(std::string& image, std::size_t offset, std::int32_t value)
{
    for (int i = 0; i < 4; ++i)
        image[offset + static_cast<std::size_t>(i)] =
            static_cast<char>((static_cast<std::uint32_t>(value) >> (8 * i)) & 0xFF);
}

std::string Slurp(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(TankFileLayout, NewTankBeginsWithTheDocumentedBytes)
{
    const std::string image = WriteTank(TSteelVertCylTank(), 1);
    const unsigned char expected[] = {
        0x01, 0x00, 0x00, 0x00, 0x0A, 0x00, 0x00, 0x00, 0xD0, 0xE5, 0xE7, 0xE5, 0xF0, 0xE2, 0xF3, 0xE0, 0xF0, 0x31,
        0xC8, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x00, 0x88, 0xD3, 0x40, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x88, 0xD3, 0x40, 0x08, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x18, 0x40,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x18, 0x40, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x18, 0x40, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x18, 0x40, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x18, 0x40, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x18, 0x40, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x18, 0x40, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x18, 0x40, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF0, 0x3F, 0x0C, 0x00, 0x00, 0x00};
    ASSERT_GE(image.size(), sizeof expected + 252 * 8);
    EXPECT_EQ(0, std::memcmp(image.data(), expected, sizeof expected));
    EXPECT_EQ(std::string(252 * 8, '\0'), image.substr(sizeof expected, 252 * 8)); // the plumb values
}

TEST(TankFileLayout, ProtocolBlocksFollowTheGeneratrixCount)
{
    // A block of empty texts is 2 bytes and 9 empty strings.
    constexpr std::size_t kEmptySheetBytes = 2 + 9 * 4;
    const TSteelVertCylTank reference;
    const std::size_t referenceSize = WriteTank(reference, 1).size(); // 12 generatrices, 6 blocks
    for (const auto& [generatrices, blocks] : {std::pair{12, 6}, {13, 7}, {24, 7}, {25, 8}, {36, 8}}) {
        TSteelVertCylTank tank;
        tank.SetGeneratrixCount(generatrices);
        tank.SetProtocolText(ProtocolTextId::Add_3, "последний текст");
        const std::string image = WriteTank(tank, 1);
        const std::size_t plumbBytes = static_cast<std::size_t>(21 * (generatrices - 12) * 8);
        const std::size_t textBytes = Utf8ToCp1251("последний текст").size();
        EXPECT_EQ(referenceSize + plumbBytes + (blocks - 6) * kEmptySheetBytes + textBytes, image.size())
            << generatrices << " generatrices";
        const LoadedTank loaded = ReadTank(image);
        EXPECT_EQ(blocks, loaded.tank.ProtocolSheetCount());
        EXPECT_EQ("последний текст", loaded.tank.ProtocolText(ProtocolTextId::Add_3));
    }
}

TEST(TankFileLayout, WeldCorrectionsAreStoredOnlyForAPositiveCount)
{
    const std::size_t base = WriteTank(TSteelVertCylTank(), 1).size();
    for (const auto& [count, values] : {std::pair{-1, 0}, {0, 0}, {3, 3}}) {
        TSteelVertCylTank tank;
        tank.SetWeldCorrectionCount(count);
        if (count > 0)
            tank.SetWeldCorrection(3, 4.5);
        const std::string image = WriteTank(tank, 1);
        EXPECT_EQ(base + static_cast<std::size_t>(values) * 8, image.size()) << count;
        const LoadedTank loaded = ReadTank(image);
        EXPECT_EQ(count, loaded.tank.WeldCorrectionCount());
        if (count > 0) {
            EXPECT_EQ(4.5, loaded.tank.WeldCorrection(3));
        }
    }
}

TEST(TankFileRoundTrip, EveryStoredValueComesBack)
{
    TSteelVertCylTank tank = test::MakeFilledTank();
    const std::string image = WriteTank(tank, 1);
    const LoadedTank loaded = ReadTank(image);
    EXPECT_FALSE(loaded.tank.Modified());
    EXPECT_EQ(1, loaded.version);
    // The file is every stored value: writing the loaded tank gives the same bytes.
    EXPECT_EQ(image, WriteTank(loaded.tank, 1));
    EXPECT_EQ(tank.DeadCavityHeight(), loaded.tank.DeadCavityHeight());
    EXPECT_EQ(tank.VolumeAtLevel(), loaded.tank.VolumeAtLevel());
    for (int i = 1; i <= tank.GirdleCount(); ++i)
        EXPECT_EQ(tank.GirdleCapacity(i), loaded.tank.GirdleCapacity(i)) << "girdle " << i;
}

TEST(TankFileRoundTrip, DetailsAreAddedAgainByKind)
{
    TSteelVertCylTank tank;
    tank.AddArbitraryDetail(0.25, 100, 300);
    tank.SetDetailDiameter(1, 50); // not part of an arbitrary detail: dropped
    tank.SetDetailLength(1, 60);
    tank.AddCylindricalDetail(10, 90, 200, 3000);
    tank.SetDetailVolume(2, 99); // a cylinder's volume is recomputed
    const LoadedTank loaded = ReadTank(WriteTank(tank, 1));
    ASSERT_EQ(2, loaded.tank.DetailCount());
    EXPECT_TRUE(loaded.tank.DetailIsArbitrary(1));
    EXPECT_EQ(0.25, loaded.tank.DetailVolume(1));
    EXPECT_EQ(0, loaded.tank.DetailDiameter(1));
    EXPECT_EQ(0, loaded.tank.DetailLength(1));
    EXPECT_FALSE(loaded.tank.DetailIsArbitrary(2));
    EXPECT_NEAR(0.0942477796, loaded.tank.DetailVolume(2), 1e-9);
    EXPECT_EQ(200, loaded.tank.DetailDiameter(2));
}

TEST(TankFileRoundTrip, StaffReadingsKeepTheStoredDeadCavity)
{
    // Readings on a levelling staff are about 1400 mm at the wall; half-way through
    // them the touch point passes 1400 mm, and the dead cavity must not stay there.
    const TSteelVertCylTank tank = test::MakeRealisticTank();
    ASSERT_GT(tank.BottomReading(8, 1), 1300);
    ASSERT_EQ(250, tank.DeadCavityHeight());
    const LoadedTank loaded = ReadTank(WriteTank(tank, 1));
    EXPECT_EQ(250, loaded.tank.DeadCavityHeight());
    EXPECT_EQ(tank.DeadCavityCapacity(), loaded.tank.DeadCavityCapacity());
}

TEST(TankFileRoundTrip, VersionWordIsKeptAndWrittenBack)
{
    std::string image = WriteTank(TSteelVertCylTank(), 1);
    PutInt32(image, 0, 7);
    const LoadedTank loaded = ReadTank(image);
    EXPECT_EQ(7, loaded.version);
    EXPECT_EQ(image, WriteTank(loaded.tank, loaded.version));
}

TEST(TankFileRoundTrip, ByteSlotsArePassedOnUnchanged)
{
    TSteelVertCylTank tank;
    tank.SetSheetFrameStyle(SheetKind::Calibration, 2, 7);
    tank.SetSheetTitleLines(SheetKind::Protocol, 1, 3); // the title page's purpose choice
    const LoadedTank loaded = ReadTank(WriteTank(tank, 1));
    EXPECT_EQ(7, loaded.tank.SheetFrameStyle(SheetKind::Calibration, 2));
    EXPECT_EQ(3, loaded.tank.SheetTitleLines(SheetKind::Protocol, 1));
}

TEST(TankFileDamage, EveryCutReadsBeyondTheEnd)
{
    // Every kind of field, with few girdles so that the test stays quick.
    const std::string image = WriteTank(test::MakeFilledTank(4, 5, 4), 1);
    for (std::size_t size = 0; size < image.size(); ++size)
        ASSERT_EQ("Read beyond end of file", ReadError(std::string_view(image).substr(0, size))) << size << " bytes";
}

TEST(TankFileDamage, FailedLoadLeavesTheHeldTankAlone)
{
    // What the program does on Open: the held tank is replaced only by a whole file.
    TSteelVertCylTank held = test::MakeRealisticTank();
    held.SetModified(true);
    const std::string before = WriteTank(held, 1);
    const std::string damaged = WriteTank(TSteelVertCylTank(), 1).substr(0, 3000);
    EXPECT_EQ("Read beyond end of file", ErrorOf([&] { held = ReadTank(damaged).tank; }));
    EXPECT_EQ(before, WriteTank(held, 1));
    EXPECT_TRUE(held.Modified());
}

TEST(TankFileDamage, NegativeStringLengthIsAnEmptyText)
{
    const std::string image = WriteTank(TSteelVertCylTank(), 1);
    std::string damaged = image.substr(0, kNameOffset) + std::string("\xFB\xFF\xFF\xFF", 4) + image.substr(18);
    const LoadedTank loaded = ReadTank(damaged);
    EXPECT_EQ("", loaded.tank.Name());
    EXPECT_EQ(200, loaded.tank.DesignCapacity()); // the next field is still in step
}

TEST(TankFileDamage, HugeCountsAndLengthsAreRefusedBeforeAllocating)
{
    const std::string image = WriteTank(TSteelVertCylTank(), 1);
    for (std::int32_t count : {INT_MAX, INT_MIN, 1 << 20, -(1 << 20)}) {
        std::string damaged = image;
        PutInt32(damaged, kWeldCountOffset, count);
        EXPECT_EQ("Read beyond end of file", ReadError(damaged)) << "weld corrections " << count;
    }
    std::string longName = image;
    PutInt32(longName, kNameOffset, INT_MAX);
    EXPECT_EQ("Read beyond end of file", ReadError(longName));

    // Field 22 of a new tank: the four bytes after the six values of fields 16 to 21.
    const std::size_t detailCountOffset = 122 + 21 * 12 * 8 + 3 * 8 * 8 + 6 * 8;
    ASSERT_EQ(std::string(4, '\0'), image.substr(detailCountOffset, 4));
    std::string manyDetails = image;
    PutInt32(manyDetails, detailCountOffset, INT_MAX);
    EXPECT_EQ("Read beyond end of file", ReadError(manyDetails));
}

TEST(TankFileDamage, SmallNegativeWeldCountMeansNoCorrection)
{
    std::string image = WriteTank(TSteelVertCylTank(), 1);
    PutInt32(image, kWeldCountOffset, -3);
    const LoadedTank loaded = ReadTank(image); // no values follow a negative count
    EXPECT_EQ(-3, loaded.tank.WeldCorrectionCount());
    EXPECT_EQ(20000, loaded.tank.ExtCircumference());

    // However short the file, such a count reads back from the file it is stored in.
    PutInt32(image, kWeldCountOffset, -1000);
    const LoadedTank longList = ReadTank(image);
    EXPECT_EQ("", ReadError(WriteTank(longList.tank, 1)));
}

TEST(TankFileDamage, CountsAreTakenAsTheTankClampsThem)
{
    TSteelVertCylTank tank;
    tank.SetGirdleCount(12);
    tank.SetGeneratrixCount(36);
    tank.SetProtocolText(ProtocolTextId::Add_3, "конец");
    const std::string image = WriteTank(tank, 1);
    std::string damaged = image;
    PutInt32(damaged, kGirdleCountOffset, 20);
    const std::size_t generatrixOffset = kGeneratrixCountOffset + 4 * 8; // four more thicknesses
    PutInt32(damaged, generatrixOffset, 40);
    const LoadedTank loaded = ReadTank(damaged);
    EXPECT_EQ(12, loaded.tank.GirdleCount());
    EXPECT_EQ(36, loaded.tank.GeneratrixCount());
    EXPECT_EQ("конец", loaded.tank.ProtocolText(ProtocolTextId::Add_3));
}

TEST(TankFileDamage, FuzzFindingsStayFixed)
{
    // Inputs the fuzzer once found troublesome: each must load or fail cleanly.
    test::RecordingReporter quiet;
    const fs::path dir = fs::path(VELOQUIN_TEST_DATA_DIR) / "fuzz-regressions";
    // A missing folder is a broken checkout, not a pass.
    ASSERT_TRUE(fs::is_directory(dir)) << dir;
    std::size_t replayed = 0;
    for (const auto& entry : fs::directory_iterator(dir)) {
        ++replayed;
        const std::string bytes = Slurp(entry.path());
        const std::string error = ReadError(bytes);
        EXPECT_TRUE(error.empty() || error == "Read beyond end of file") << entry.path() << ": " << error;
        if (error.empty()) {
            const LoadedTank loaded = ReadTank(bytes);
            EXPECT_EQ("", ReadError(WriteTank(loaded.tank, loaded.version))) << entry.path() << " stored again";
        }
    }
    EXPECT_GE(replayed, 8u) << "findings kept in " << dir;
}

TEST(TankFileErrors, SystemErrorsReadAsTheUserSeesThem)
{
    EXPECT_EQ("File access denied", IoErrorText(EACCES));
    EXPECT_EQ("File access denied", IoErrorText(EPERM));
    EXPECT_EQ("File access denied", IoErrorText(EROFS));
    EXPECT_EQ("Disk full", IoErrorText(ENOSPC));
    EXPECT_EQ("Disk full", IoErrorText(EDQUOT));
    EXPECT_EQ("I/O error 5", IoErrorText(EIO));
}

using TankFileStore = test::TempFolder;

TEST_F(TankFileStore, StoreThenLoad)
{
    const TSteelVertCylTank tank = test::MakeFilledTank();
    const std::string path = PathOf("Резервуар.vlq");
    StoreTankFile(path, tank, 3);
    const LoadedTank loaded = LoadTankFile(path);
    EXPECT_EQ(3, loaded.version);
    EXPECT_EQ(WriteTank(tank, 3), Slurp(path));
    EXPECT_EQ(std::vector<std::string>{"Резервуар.vlq"}, Entries());
}

TEST_F(TankFileStore, MissingFileAndDirectoryAreReported)
{
    auto loadError = [](const std::string& path) { return ErrorOf([&] { LoadTankFile(path); }); };
    EXPECT_EQ("File not found", loadError(PathOf("absent.vlq")));
    EXPECT_EQ("Path not found", loadError(PathOf("no-folder/absent.vlq")));
    EXPECT_EQ("File access denied", loadError(m_dir.string()));
}

// A device that takes `limit` bytes and then reports itself full, or fails to flush.
class FailingWriter : public FileWriter
{
public:
    FailingWriter(std::size_t limit, bool failSync) : m_limit(limit), m_failSync(failSync) {}
    long Write(int fd, const char* data, std::size_t size) override
    {
        if (m_written >= m_limit) {
            errno = ENOSPC;
            return -1;
        }
        const std::size_t now = std::min({size, m_limit - m_written, std::size_t{100}});
        m_written += now;
        return FileWriter::Write(fd, data, now);
    }
    int Sync(int fd) override
    {
        if (!m_failSync)
            return FileWriter::Sync(fd);
        errno = EIO;
        return -1;
    }

private:
    std::size_t m_limit;
    bool m_failSync;
    std::size_t m_written = 0;
};

TEST_F(TankFileStore, FailingDeviceLeavesThePreviousFileIntact)
{
    const std::string path = PathOf("tank.vlq");
    StoreTankFile(path, TSteelVertCylTank(), 1);
    const std::string previous = Slurp(path);
    const TSteelVertCylTank changed = test::MakeFilledTank();

    for (std::size_t limit : {std::size_t{0}, std::size_t{1}, std::size_t{1000}, previous.size()}) {
        FailingWriter full(limit, false);
        EXPECT_EQ("Disk full", ErrorOf([&] { StoreTankFile(path, changed, 1, full); }));
        EXPECT_EQ(previous, Slurp(path)) << limit;
        EXPECT_EQ(std::vector<std::string>{"tank.vlq"}, Entries()) << "a temporary file was left behind";
    }

    FailingWriter unflushable(SIZE_MAX, true);
    EXPECT_EQ("I/O error 5", ErrorOf([&] { StoreTankFile(path, changed, 1, unflushable); }));
    EXPECT_EQ(previous, Slurp(path));
    EXPECT_EQ(std::vector<std::string>{"tank.vlq"}, Entries());
}

TEST_F(TankFileStore, ParentThatIsAFileRefusesTheStore)
{
    const std::string blocker = PathOf("not-a-directory");
    std::ofstream(blocker) << "x";
    EXPECT_EQ("Path not found", ErrorOf([&] { StoreTankFile(blocker + "/tank.vlq", TSteelVertCylTank(), 1); }));
    EXPECT_EQ("Path not found", ErrorOf([&] { StoreTankFile(PathOf("no-folder/tank.vlq"), TSteelVertCylTank(), 1); }));
    EXPECT_EQ(std::vector<std::string>{"not-a-directory"}, Entries());
}

TEST_F(TankFileStore, ReplacedFileKeepsItsPermissionsAndLinks)
{
    const std::string real = PathOf("real.vlq");
    StoreTankFile(real, TSteelVertCylTank(), 1);
    ASSERT_EQ(0, ::chmod(real.c_str(), 0640));
    const std::string link = PathOf("link.vlq");
    fs::create_symlink(real, link);

    StoreTankFile(link, test::MakeFilledTank(), 1);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(WriteTank(test::MakeFilledTank(), 1), Slurp(real));
    struct stat info;
    ASSERT_EQ(0, ::stat(real.c_str(), &info));
    EXPECT_EQ(0640u, info.st_mode & 07777);
}

} // namespace
} // namespace veloquin
