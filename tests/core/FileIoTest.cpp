// Which files a store may replace and a read may open: regular files only, a
// write-protected one never, long names as well as short ones, and a locked
// folder no obstacle to changing a file the user may change.

#include "FileIo.h"
#include "FileIdentity.h"
#include "FilledTank.h"
#include "TankFile.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

namespace veloquin {
namespace {

namespace fs = std::filesystem;

template <class Action> std::string ErrorOf(Action action)
{
    try {
        action();
    } catch (const TankFileError& error) {
        return error.what();
    }
    return "";
}

struct stat FileInfo(mode_t mode, uid_t uid, gid_t gid)
{
    struct stat info;
    std::memset(&info, 0, sizeof info);
    info.st_mode = S_IFREG | mode;
    info.st_uid = uid;
    info.st_gid = gid;
    return info;
}

TEST(FilePermissions, DecidedByTheModeBitsWithReadOnlyMeaningReadOnlyForRootToo)
{
    const UserIds alice{1000, 1000, {1000, 27}};
    const UserIds root{0, 0, {}};
    struct Case
    {
        mode_t mode;
        uid_t uid;
        gid_t gid;
        bool forAlice;
        bool forRoot;
    };
    const Case cases[] = {
        {0644, 1000, 1000, true, true},                                    // her own file
        {0444, 1000, 1000, false, false},                                  // write-protected: refused to everyone
        {0000, 2000, 2000, false, false}, {0464, 1000, 1000, false, true}, // the owner's bits decide for the owner
        {0464, 2000, 27, true, true},                                      // a group she is in besides her own
        {0020, 2000, 1000, true, true},                                    // her own group
        {0664, 2000, 2000, false, true},                                   // a group she is not in
        {0646, 2000, 2000, true, true},                                    // anybody may write
        {0600, 2000, 2000, false, true},                                   // someone else's
        {0200, 1000, 1000, true, true},                                    // write-only is writable
    };
    for (const Case& c : cases) {
        const struct stat info = FileInfo(c.mode, c.uid, c.gid);
        EXPECT_EQ(c.forAlice, MayWrite(info, alice)) << std::oct << c.mode << " owned by " << std::dec << c.uid;
        EXPECT_EQ(c.forRoot, MayWrite(info, root)) << std::oct << c.mode;
    }
}

TEST(FileErrorTexts, SystemErrorsReadAsTheUserKnowsThem)
{
    EXPECT_EQ("File not found", IoErrorText(ENOENT));
    EXPECT_EQ("Path not found", IoErrorText(ENOTDIR));
    EXPECT_EQ("File access denied", IoErrorText(EISDIR));
    EXPECT_EQ("Too many open files", IoErrorText(EMFILE));
    EXPECT_EQ("Invalid filename", IoErrorText(ENAMETOOLONG));
    EXPECT_EQ("I/O error 40", IoErrorText(ELOOP));
}

using OutputNames = test::TempFolder;

TEST_F(OutputNames, AFileIsItselfUnderEveryNameAndNothingElse)
{
    const std::string tank = PathOf("tank.vlq");
    std::ofstream(tank) << "tank";
    fs::create_directory(PathOf("sub"));
    fs::create_symlink(tank, PathOf("link.json"));
    fs::create_hard_link(tank, PathOf("hard.json"));
    for (const char* name : {"tank.vlq", "link.json", "hard.json", "sub/../tank.vlq", "./sub/.././tank.vlq"})
        EXPECT_TRUE(OutputIsInput(PathOf(name), tank)) << name;
    std::ofstream(PathOf("TANK.vlq")) << "another";
    // Another spelling is another file where the system says so.
    EXPECT_FALSE(OutputIsInput(PathOf("TANK.vlq"), tank));
    EXPECT_FALSE(OutputIsInput(PathOf("new.json"), tank));
    EXPECT_FALSE(OutputIsInput(tank, PathOf("gone.vlq")));
    EXPECT_FALSE(OutputIsInput(tank, ""));
}

// Special files stand in a test folder; no node of the system's is ever used.
class SpecialFiles : public test::TempFolder
{
protected:
    std::string MakeFifo(const std::string& name)
    {
        const std::string path = PathOf(name);
        EXPECT_EQ(0, ::mkfifo(path.c_str(), 0666));
        return path;
    }
    std::string MakeSocket(const std::string& name)
    {
        const std::string path = PathOf(name);
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        EXPECT_LT(path.size(), sizeof address.sun_path);
        std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
        EXPECT_EQ(0, ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address));
        ::close(fd);
        return path;
    }
    // A node of the null device's numbers; empty where the system does not let
    // the tests make one (an unprivileged user, a container).
    std::string MakeDevice(const std::string& name)
    {
        const std::string path = PathOf(name);
        return ::mknod(path.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0 ? path : std::string();
    }
};

// A pipe without a writer would keep a blocking open waiting for ever: the alarm
// turns such a fault into a failed test instead of a hung suite.
class AlarmGuard
{
public:
    AlarmGuard() { ::alarm(20); }
    ~AlarmGuard() { ::alarm(0); }
};

using FileRead = SpecialFiles;

TEST_F(FileRead, OnlyRegularFilesAreReadAndAPipeNeverBlocks)
{
    AlarmGuard guard;
    const std::string fifo = MakeFifo("pipe.vlq");
    EXPECT_EQ("Это канал, а не файл", ErrorOf([&] { ReadFileBytes(fifo); }));
    const std::string link = PathOf("link-to-pipe.vlq");
    fs::create_symlink(fifo, link);
    EXPECT_EQ("Это канал, а не файл", ErrorOf([&] { LoadTankFile(link); }));
    EXPECT_EQ("Это сокет, а не файл", ErrorOf([&] { LoadTankFile(MakeSocket("socket.vlq")); }));
    EXPECT_EQ("File access denied", ErrorOf([&] { LoadTankFile(m_dir.string()); }));
    if (const std::string device = MakeDevice("device.vlq"); !device.empty()) {
        EXPECT_EQ("Это устройство, а не файл", ErrorOf([&] { LoadTankFile(device); }));
    }

    const std::string real = PathOf("real.vlq");
    WriteBytes(real, "abc");
    const std::string realLink = PathOf("link.vlq");
    fs::create_symlink(real, realLink);
    EXPECT_EQ("abc", ReadFileBytes(realLink));
}

TEST_F(FileRead, FileBeyondTheLimitSaysSo)
{
    const std::string path = PathOf("big.vlq");
    WriteBytes(path, std::string((1u << 20) + 1, 'x'));
    EXPECT_EQ("Файл больше 1 МБ: это не файл данных Veloquin", ErrorOf([&] { ReadFileBytes(path, 1u << 20); }));
    EXPECT_EQ((1u << 20) + 1, ReadFileBytes(path, (1u << 20) + 1).size());

    // A sparse file costs no space; the reader refuses it before reading a byte.
    const std::string huge = PathOf("huge.vlq");
    WriteBytes(huge, "");
    fs::resize_file(huge, kMaxTankFileBytes + 1);
    EXPECT_EQ("Файл больше 64 МБ: это не файл данных Veloquin", ErrorOf([&] { LoadTankFile(huge); }));
}

using FileReplace = SpecialFiles;

TEST_F(FileReplace, AnythingButARegularFileIsRefusedAndLeftAsItIs)
{
    AlarmGuard guard;
    const std::string image = WriteTank(TSteelVertCylTank(), 1);
    const std::string fifo = MakeFifo("pipe.vlq");
    EXPECT_EQ("Это канал, а не файл", ErrorOf([&] { ReplaceFile(fifo, image); }));
    EXPECT_TRUE(fs::is_fifo(fifo));

    const std::string link = PathOf("link-to-pipe.vlq");
    fs::create_symlink(fifo, link);
    EXPECT_EQ("Это канал, а не файл", ErrorOf([&] { ReplaceFile(link, image); }));
    EXPECT_TRUE(fs::is_symlink(link));

    const std::string socket = MakeSocket("socket.vlq");
    EXPECT_EQ("Это сокет, а не файл", ErrorOf([&] { ReplaceFile(socket, image); }));
    EXPECT_TRUE(fs::is_socket(socket));

    fs::create_directory(PathOf("folder.vlq"));
    EXPECT_EQ("File access denied", ErrorOf([&] { ReplaceFile(PathOf("folder.vlq"), image); }));
    EXPECT_TRUE(fs::is_directory(PathOf("folder.vlq")));

    std::vector<std::string> expected = {"folder.vlq", "link-to-pipe.vlq", "pipe.vlq", "socket.vlq"};
    if (const std::string device = MakeDevice("device.vlq"); !device.empty()) {
        EXPECT_EQ("Это устройство, а не файл", ErrorOf([&] { ReplaceFile(device, image); }));
        EXPECT_TRUE(fs::is_character_file(device));
        expected.insert(expected.begin(), "device.vlq");
    }
    EXPECT_EQ(expected, Entries()) << "a temporary file was left behind";
}

TEST_F(FileReplace, WriteProtectedFileIsRefusedEvenForTheAdministrator)
{
    const std::string path = PathOf("protected.vlq");
    WriteBytes(path, "old");
    ASSERT_EQ(0, ::chmod(path.c_str(), 0444));
    EXPECT_EQ("File access denied", ErrorOf([&] { ReplaceFile(path, "new"); }));
    EXPECT_EQ("old", ReadBytes(path));
    EXPECT_EQ(fs::perms(0444), fs::status(path).permissions());
    EXPECT_EQ(std::vector<std::string>{"protected.vlq"}, Entries());
}

TEST_F(FileReplace, LongNamesAreStoredAndOpened)
{
    std::string cyrillic;
    for (int i = 0; i < 120; ++i)
        cyrillic += "ж";
    const TSteelVertCylTank tank = test::MakeFilledTank();
    for (const std::string& name : {std::string(240, 'a') + ".vlq", cyrillic + ".vlq"}) {
        const std::string path = PathOf(name);
        StoreTankFile(path, TSteelVertCylTank(), 1);
        StoreTankFile(path, tank, 1); // and replaced
        EXPECT_EQ(WriteTank(tank, 1), ReadBytes(path));
        EXPECT_EQ(tank.Name(), LoadTankFile(path).tank.Name());
        fs::remove(path);
        EXPECT_TRUE(Entries().empty()) << "a temporary file was left behind";
    }
}

// Records the temporary names a store creates; optionally a folder that refuses
// every new file, as a folder without write permission does.
class RecordingWriter : public FileWriter
{
public:
    explicit RecordingWriter(bool refuseNewFiles = false) : m_refuse(refuseNewFiles) {}
    int CreateExclusive(const char* path, mode_t mode) override
    {
        created.push_back(path);
        if (m_refuse) {
            errno = EACCES;
            return -1;
        }
        return FileWriter::CreateExclusive(path, mode);
    }
    std::vector<std::string> created;

private:
    bool m_refuse;
};

TEST_F(FileReplace, TemporaryNamesAreShortUniqueAndNeverAUsersFile)
{
    const std::string path = PathOf("tank.vlq");
    WriteBytes(PathOf("tank.vlq.tmp"), "the user's own");
    WriteBytes(PathOf("Veloquin.ini.tmp"), "the user's own too");
    RecordingWriter writer;
    for (int i = 0; i < 20; ++i)
        ReplaceFile(path, "bytes " + std::to_string(i), writer);

    std::set<std::string> names;
    for (const std::string& temporary : writer.created) {
        const fs::path name = fs::path(temporary).filename();
        EXPECT_EQ(fs::path(temporary).parent_path(), m_dir);
        EXPECT_LE(name.string().size(), 20u) << name;
        names.insert(name.string());
    }
    EXPECT_EQ(writer.created.size(), names.size()) << "a temporary name came twice";
    EXPECT_EQ("the user's own", ReadBytes(PathOf("tank.vlq.tmp")));
    EXPECT_EQ("the user's own too", ReadBytes(PathOf("Veloquin.ini.tmp")));
    EXPECT_EQ((std::vector<std::string>{"Veloquin.ini.tmp", "tank.vlq", "tank.vlq.tmp"}), Entries());
}

TEST_F(FileReplace, FolderThatRefusesNewFilesGetsTheFileRewrittenInPlace)
{
    const std::string path = PathOf("tank.vlq");
    WriteBytes(path, std::string(5000, 'o'));
    ASSERT_EQ(0, ::chmod(path.c_str(), 0640));
    struct stat before;
    ASSERT_EQ(0, ::stat(path.c_str(), &before));

    RecordingWriter locked(true);
    for (const std::string& bytes : {std::string("shorter"), std::string(9000, 'n')}) {
        ReplaceFile(path, bytes, locked);
        EXPECT_EQ(bytes, ReadBytes(path));
    }
    struct stat info;
    ASSERT_EQ(0, ::stat(path.c_str(), &info));
    EXPECT_EQ(before.st_ino, info.st_ino);
    EXPECT_EQ(0640u, info.st_mode & 07777);

    // A new file cannot be made there at all.
    EXPECT_EQ("File access denied", ErrorOf([&] { ReplaceFile(PathOf("new.vlq"), "x", locked); }));
    EXPECT_EQ(std::vector<std::string>{"tank.vlq"}, Entries());
}

// A device that takes `limit` bytes and then reports itself full.
class FullAfter : public RecordingWriter
{
public:
    explicit FullAfter(std::size_t limit) : RecordingWriter(true), m_limit(limit) {}
    long Write(int fd, const char* data, std::size_t size) override
    {
        if (m_written >= m_limit) {
            errno = ENOSPC;
            return -1;
        }
        const std::size_t now = std::min(size, m_limit - m_written);
        m_written += now;
        return FileWriter::Write(fd, data, now);
    }

private:
    std::size_t m_limit;
    std::size_t m_written = 0;
};

TEST_F(FileReplace, InPlaceFailureIsReportedNotHidden)
{
    // Without a temporary file a device that fails part-way damages the file;
    // what must never happen is a store that reports success.
    const std::string path = PathOf("tank.vlq");
    WriteBytes(path, "old");
    FullAfter full(100);
    EXPECT_EQ("Disk full", ErrorOf([&] { ReplaceFile(path, std::string(1000, 'n'), full); }));
}

TEST_F(FileReplace, LinksAreFollowedOrRefusedAsAsked)
{
    const std::string real = PathOf("real.vlq");
    WriteBytes(real, "old");
    const std::string link = PathOf("link.vlq");
    fs::create_symlink(real, link);
    EXPECT_EQ("File access denied", ErrorOf([&] { ReplaceFile(link, "new", LinkPolicy::Refuse); }));
    EXPECT_EQ("old", ReadBytes(real));

    const std::string second = PathOf("second-name.vlq");
    fs::create_hard_link(real, second);
    EXPECT_EQ("File access denied", ErrorOf([&] { ReplaceFile(second, "new", LinkPolicy::Refuse); }));
    EXPECT_EQ("old", ReadBytes(real));

    ReplaceFile(link, "new");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ("new", ReadBytes(real));

    // A link that points nowhere is replaced by the file: nothing is made where it points.
    const std::string dangling = PathOf("dangling.vlq");
    fs::create_directory(PathOf("elsewhere"));
    fs::create_symlink(PathOf("elsewhere/absent.vlq"), dangling);
    ReplaceFile(dangling, "here");
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(dangling)));
    EXPECT_EQ("here", ReadBytes(dangling));
    EXPECT_TRUE(Entries("elsewhere").empty());
}

TEST_F(FileReplace, AdministratorKeepsTheOwnerOfAReplacedFile)
{
    if (!test::RunningAsRoot())
        GTEST_SKIP() << "only the administrator can store onto another user's file";
    const std::string path = PathOf("users.vlq");
    WriteBytes(path, "old");
    ASSERT_EQ(0, ::chown(path.c_str(), test::kNobodyUid, test::kNobodyGid));
    ASSERT_EQ(0, ::chmod(path.c_str(), 0600));
    ReplaceFile(path, "new");
    struct stat info;
    ASSERT_EQ(0, ::stat(path.c_str(), &info));
    EXPECT_EQ(test::kNobodyUid, info.st_uid);
    EXPECT_EQ(test::kNobodyGid, info.st_gid);
    EXPECT_EQ(0600u, info.st_mode & 07777);
    EXPECT_EQ("new", ReadBytes(path));
}

// What an ordinary user meets; as root the child drops to "nobody", for whom the
// system checks permissions as it does for any user.
class OrdinaryUser : public test::TempFolder
{
protected:
    void SetUp() override
    {
        TempFolder::SetUp();
        ASSERT_EQ(0, ::chmod(m_dir.c_str(), 0777)); // any user may make files here
    }
    // A file that belongs to the user who runs the child.
    void MakeOwnFile(const std::string& path, const std::string& bytes, mode_t mode)
    {
        WriteBytes(path, bytes);
        if (test::RunningAsRoot()) {
            ASSERT_EQ(0, ::chown(path.c_str(), test::kNobodyUid, test::kNobodyGid));
        }
        ASSERT_EQ(0, ::chmod(path.c_str(), mode));
    }
};

TEST_F(OrdinaryUser, WriteProtectedOrForeignFilesAreRefused)
{
    const std::string own = PathOf("protected.vlq");
    MakeOwnFile(own, "old", 0444);
    EXPECT_EQ("File access denied", test::RunAsOrdinaryUser([&] { return ErrorOf([&] { ReplaceFile(own, "new"); }); }));
    EXPECT_EQ("old", ReadBytes(own));

    if (test::RunningAsRoot()) {
        // Root's file in a folder anybody may write: the rename would succeed, the store must not.
        const std::string foreign = PathOf("roots.vlq");
        WriteBytes(foreign, "old");
        ASSERT_EQ(0, ::chmod(foreign.c_str(), 0644));
        EXPECT_EQ("File access denied",
                  test::RunAsOrdinaryUser([&] { return ErrorOf([&] { ReplaceFile(foreign, "new"); }); }));
        EXPECT_EQ("old", ReadBytes(foreign));
    }
}

TEST_F(OrdinaryUser, ReplacedFileKeepsItsPermissions)
{
    const std::string path = PathOf("tank.vlq");
    MakeOwnFile(path, "old", 0640);
    EXPECT_EQ("", test::RunAsOrdinaryUser([&] { return ErrorOf([&] { ReplaceFile(path, "new"); }); }));
    EXPECT_EQ("new", ReadBytes(path));
    EXPECT_EQ(fs::perms(0640), fs::status(path).permissions());
}

TEST_F(OrdinaryUser, LockedFolderStillLetsAWritableFileChange)
{
    const std::string folder = PathOf("locked");
    fs::create_directory(folder);
    const std::string path = folder + "/tank.vlq";
    MakeOwnFile(path, std::string(3000, 'o'), 0666);
    ASSERT_EQ(0, ::chmod(folder.c_str(), 0555));

    const std::string image = WriteTank(test::MakeFilledTank(), 1);
    EXPECT_EQ("", test::RunAsOrdinaryUser([&] { return ErrorOf([&] { ReplaceFile(path, image); }); }));
    EXPECT_EQ(image, ReadBytes(path));
    EXPECT_EQ(std::vector<std::string>{"tank.vlq"}, Entries("locked"));
    EXPECT_EQ("File access denied",
              test::RunAsOrdinaryUser([&] { return ErrorOf([&] { ReplaceFile(folder + "/new.vlq", image); }); }));
}

} // namespace
} // namespace veloquin
