#include "foundation/FolderOps.h"

#include "foundation/XdgTrash.h"
#include "platform/DateTime.h"
#include "platform/Registry.h"
#include "support/RecordingMessagePresenter.h"
#include "support/ScopedEnv.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <list>
#include <optional>
#include <sstream>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::MatchesRegex;
using ::testing::StartsWith;

namespace {

void Write(const fs::path& file, const std::string& text)
{
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
}

std::string Read(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

bool Exists(const fs::path& p)
{
    std::error_code ec;
    return fs::exists(fs::symlink_status(p, ec));
}

int RenameAcrossDevices(const char*, const char*)
{
    errno = EXDEV;
    return -1;
}

fs::path MakeTempDir(const fs::path& base, const char* prefix)
{
    std::string tmpl = (base / (std::string(prefix) + "XXXXXX")).string();
    if (!::mkdtemp(tmpl.data()))
        throw std::runtime_error("mkdtemp failed");
    return fs::canonical(tmpl);
}

// A private tree: the system folder, the registry store and the data home
// (with its trash) all live inside it.
class FolderOpsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        root = MakeTempDir(fs::temp_directory_path(), "folderops-");
        sys = root / "sys";
        work = root / "work";
        Write(sys / "keep.txt", "system");
        fs::create_directories(sys / "sub");
        fs::create_directories(work);
        env.emplace_back("LEDRIX_SYSTEM_DIR", sys.string());
        env.emplace_back("LEDRIX_REGISTRY_DIR", (root / "reg").string());
        env.emplace_back("LEDRIX_COMMON_APPDATA", (root / "data").string());
    }
    void TearDown() override
    {
        SetRenameFunction(nullptr);
        fs::remove_all(root);
    }

    void MapDrive(const std::string& letter, const fs::path& folder)
    {
        Registry reg(RootKey::HKEY_CURRENT_USER);
        ASSERT_TRUE(reg.OpenKey("\\Network\\" + letter, true));
        reg.WriteString("RemotePath", folder.string());
    }

    std::string LastMessage() const { return messages.shown.empty() ? std::string() : messages.shown.back().Text; }

    fs::path root, sys, work;
    std::list<ScopedEnv> env;
    RecordingMessagePresenter messages;
};

// ---------------------------------------------------------------------------
// The guard

TEST_F(FolderOpsTest, GuardRefusesEverySpellingOfTheRootTheSystemFolderAndDrives)
{
    const std::string r = root.string();
    const std::string s = sys.string();
    fs::create_directory_symlink(sys, root / "linksys");
    fs::create_directory_symlink("/", work / "linkroot");
    struct Case {
        std::string path;
        bool deletable;  // safe to hand to a real delete if the guard failed
    };
    const std::vector<Case> refused = {
        {"/", false},
        {"//", false},
        {"/.", false},
        {"/..", false},
        {"///.//..", false},
        {r + "/../../../../../../../..", false},
        {(work / "linkroot").string(), false},
        {(work / "linkroot/.").string(), false},
        {r + "/sys/../..//../../../../..", false},
        {s, true},
        {s + "/", true},
        {s + "/.", true},
        {s + "/sub/..", true},
        {r + "//sys", true},
        {r + "/nothing/../sys", true},
        {r + "/./sys/./", true},
        {r + "/sys/sub/../../sys", true},
        {(root / "linksys").string(), true},
        {r, true},
        {r + "/work/..", true},
        {"", true},
        {"   ", true},
        {"C:", true},
        {"c:", true},
        {"C:\\", true},
        {"z:/", true},
        {"C:\\.", true},
        {"C:\\\\", true},
        {"C:\\windows\\..", true},
        {"c:/a/../..", true},
    };
    for (const Case& c : refused) {
        SCOPED_TRACE(c.path);
        EXPECT_FALSE(IsSafeShellPath(c.path));
        messages.shown.clear();
        EXPECT_FALSE(ShellDeleteEx(c.path, FO_RENAME, false, false));
        EXPECT_EQ(LastMessage().rfind("ルート・システムディレクトリは、変更できません。", 0), 0u);
        if (c.deletable) {
            messages.shown.clear();
            EXPECT_FALSE(ShellDeleteEx(c.path, FO_DELETE, false, false));
            EXPECT_EQ(LastMessage().rfind("ルート・システムディレクトリは、削除できません。", 0), 0u);
        }
    }
    EXPECT_EQ(Read(sys / "keep.txt"), "system");
    EXPECT_TRUE(fs::is_directory(sys / "sub"));

    for (const std::string& allowed : {s + "/sub", s + "/sub/../keep.txt", r + "/work", r + "/other"}) {
        SCOPED_TRACE(allowed);
        EXPECT_TRUE(IsSafeShellPath(allowed));
    }
}

TEST_F(FolderOpsTest, RefusalShowsThePathAsAnErrorEvenWithoutErrorDisplay)
{
    EXPECT_FALSE(ShellDeleteEx(sys.string(), FO_DELETE, true, false));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].Text, "ルート・システムディレクトリは、削除できません。<" + sys.string() + "> \r");
    EXPECT_EQ(messages.shown[0].Type, TMsgDlgType::mtError);
    EXPECT_TRUE(Exists(sys / "keep.txt"));
}

TEST_F(FolderOpsTest, WildcardThatWouldEmptyOrHitTheSystemFolderIsRefused)
{
    for (const fs::path& p : {sys / "*", sys / "*.*", root / "s*", root / "*"}) {
        SCOPED_TRACE(p);
        messages.shown.clear();
        EXPECT_FALSE(ShellDeleteEx(p.string(), FO_DELETE, false, true));
        EXPECT_THAT(LastMessage(), StartsWith("ルート・システムディレクトリは、削除できません。"));
    }
    EXPECT_TRUE(Exists(sys / "keep.txt"));
    EXPECT_TRUE(Exists(work));
    // Moving them away is refused just the same.
    EXPECT_FALSE(ShellCopyEx((sys / "*").string(), (work / "out").string(), FO_MOVE));
    EXPECT_THAT(LastMessage(), StartsWith("指定ディレクトリ["));
    EXPECT_FALSE(ShellCopyEx(sys.string(), (work / "out").string(), FO_MOVE));
    EXPECT_FALSE(ShellCopyEx((work).string(), "/", FO_COPY));
    EXPECT_TRUE(Exists(sys / "keep.txt"));
    EXPECT_FALSE(Exists(work / "out"));
}

// ---------------------------------------------------------------------------
// Delete

TEST_F(FolderOpsTest, DeleteRemovesFilesFoldersAndWildcardMatches)
{
    for (const char* name : {"a.txt", "b.txt", "c.dat", "qhacc", "qhacc.fdb", "qhacc2.fdb"})
        Write(work / name, name);
    Write(work / "tree/x/y.txt", "y");
    Write(root / "outside/precious.txt", "p");
    fs::create_directory_symlink(root / "outside", work / "tree/link");

    EXPECT_TRUE(ShellDeleteEx((work / "*.txt").string(), FO_DELETE, false, true));
    EXPECT_FALSE(Exists(work / "a.txt"));
    EXPECT_FALSE(Exists(work / "b.txt"));
    EXPECT_TRUE(Exists(work / "c.dat"));

    // "name.*" also takes the name without an extension, as the Windows search does.
    EXPECT_TRUE(ShellDeleteEx((work / "qhacc.*").string(), FO_DELETE, false, true));
    EXPECT_FALSE(Exists(work / "qhacc"));
    EXPECT_FALSE(Exists(work / "qhacc.fdb"));
    EXPECT_TRUE(Exists(work / "qhacc2.fdb"));

    // A link inside the tree goes, what it leads to stays.
    EXPECT_TRUE(ShellDeleteEx((work / "tree").string(), FO_DELETE, false, true));
    EXPECT_FALSE(Exists(work / "tree"));
    EXPECT_EQ(Read(root / "outside/precious.txt"), "p");
    EXPECT_TRUE(messages.shown.empty());

    EXPECT_FALSE(ShellDeleteEx((work / "c.dat").string(), 2, false, true));
    EXPECT_TRUE(Exists(work / "c.dat"));
}

TEST_F(FolderOpsTest, DeleteOfNothingFailsAndReportsOnlyWhenAsked)
{
    EXPECT_FALSE(ShellDeleteEx((work / "missing").string(), FO_DELETE, false, false));
    EXPECT_FALSE(ShellDeleteEx((work / "*.none").string(), FO_DELETE, false, false));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(ShellDeleteEx((work / "missing").string(), FO_DELETE, false, true));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].Type, TMsgDlgType::mtError);
    EXPECT_THAT(messages.shown[0].Text, HasSubstr((work / "missing").string()));
}

TEST_F(FolderOpsTest, DeleteIntoTheTrashFollowsTheFreedesktopLayout)
{
    const fs::path file = work / "my file 表.txt";
    Write(file, "first");
    ASSERT_TRUE(ShellDeleteEx(file.string(), FO_DELETE, true, true));
    EXPECT_FALSE(Exists(file));

    const fs::path trash = root / "data/Trash";
    EXPECT_EQ(xdgtrash::HomeTrashDir(), trash.string());
    EXPECT_EQ(Read(trash / "files/my file 表.txt"), "first");
    EXPECT_THAT(
        Read(trash / "info/my file 表.txt.trashinfo"),
        MatchesRegex(
            "\\[Trash Info\\]\nPath=" + root.string() +
            "/work/my%20file%20%E8%A1%A8\\.txt\nDeletionDate=[0-9]{4}-[0-9]{2}-[0-9]{2}T[0-9]{2}:[0-9]{2}:[0-9]{2}\n"));
    EXPECT_EQ(fs::status(trash / "files").permissions() & fs::perms::all, fs::perms::owner_all);

    // The same name again gets a name of its own; a folder goes whole.
    Write(file, "second");
    Write(work / "folder/inner.txt", "inner");
    ASSERT_TRUE(ShellDeleteEx(file.string(), FO_DELETE, true, true));
    ASSERT_TRUE(ShellDeleteEx((work / "folder").string(), FO_DELETE, true, true));
    EXPECT_EQ(Read(trash / "files/my file 表.txt"), "first");
    EXPECT_EQ(Read(trash / "files/my file 表.txt.2"), "second");
    EXPECT_TRUE(Exists(trash / "info/my file 表.txt.2.trashinfo"));
    EXPECT_EQ(Read(trash / "files/folder/inner.txt"), "inner");
}

TEST_F(FolderOpsTest, TrashAcrossFileSystemsCopiesAndRefusesToSwallowItself)
{
    Write(work / "far/deep.txt", "deep");
    SetRenameFunction(RenameAcrossDevices);
    ASSERT_TRUE(ShellDeleteEx((work / "far").string(), FO_DELETE, true, true));
    EXPECT_FALSE(Exists(work / "far"));
    EXPECT_EQ(Read(root / "data/Trash/files/far/deep.txt"), "deep");
    SetRenameFunction(nullptr);

    // The data home holds the trash: it cannot go into it.
    messages.shown.clear();
    EXPECT_FALSE(ShellDeleteEx((root / "data").string(), FO_DELETE, true, true));
    EXPECT_EQ(Read(root / "data/Trash/files/far/deep.txt"), "deep");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(xdgtrash::EscapeTrashPath("/a b/%/ü~"), "/a%20b/%25/%C3%BC~");
}

// ---------------------------------------------------------------------------
// Copy and move

TEST_F(FolderOpsTest, CopyFilesAndFoldersWithTheShellRules)
{
    Write(work / "src/a.txt", "A");
    Write(work / "src/sub/b.txt", "B");
    Write(root / "outside/o.txt", "o");
    fs::create_directory_symlink(root / "outside", work / "src/link");
    const std::string src = (work / "src").string();

    // A file to a new name in a folder that does not exist yet.
    ASSERT_TRUE(ShellCopyEx(src + "/a.txt", (work / "new/dir/renamed.txt").string(), FO_COPY));
    EXPECT_EQ(Read(work / "new/dir/renamed.txt"), "A");
    // A file into an existing folder, then over an existing file.
    ASSERT_TRUE(ShellCopyEx(src + "/a.txt", (work / "new").string(), FO_COPY));
    EXPECT_EQ(Read(work / "new/a.txt"), "A");
    Write(work / "src/a.txt", "A2");
    ASSERT_TRUE(ShellCopyEx(src + "/a.txt", (work / "new/a.txt").string(), FO_COPY));
    EXPECT_EQ(Read(work / "new/a.txt"), "A2");

    // A folder to a new name: the whole tree, links kept as links.
    ASSERT_TRUE(ShellCopyEx(src, (work / "copy").string(), FO_COPY));
    EXPECT_EQ(Read(work / "copy/sub/b.txt"), "B");
    EXPECT_TRUE(fs::is_symlink(work / "copy/link"));
    EXPECT_EQ(fs::read_symlink(work / "copy/link"), root / "outside");

    // A folder into an existing folder merges with what is there.
    Write(work / "dest/src/sub/b.txt", "old");
    Write(work / "dest/src/other.txt", "other");
    ASSERT_TRUE(ShellCopyEx(src, (work / "dest").string(), FO_COPY));
    EXPECT_EQ(Read(work / "dest/src/sub/b.txt"), "B");
    EXPECT_EQ(Read(work / "dest/src/other.txt"), "other");
    EXPECT_EQ(Read(work / "dest/src/a.txt"), "A2");

    // A wildcard source fills a folder that it creates.
    ASSERT_TRUE(ShellCopyEx(src + "/*.*", (work / "wild").string(), FO_COPY));
    EXPECT_EQ(Read(work / "wild/a.txt"), "A2");
    EXPECT_EQ(Read(work / "wild/sub/b.txt"), "B");
    EXPECT_TRUE(Exists(work / "src/a.txt"));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(FolderOpsTest, CopyRefusesCopiesIntoThemselves)
{
    Write(work / "src/a.txt", "A");
    const std::string src = (work / "src").string();
    EXPECT_FALSE(ShellCopyEx(src, src + "/inner", FO_COPY));
    EXPECT_FALSE(ShellCopyEx(src, src, FO_COPY));
    EXPECT_FALSE(ShellCopyEx(src + "/a.txt", src + "/a.txt", FO_COPY));
    EXPECT_FALSE(ShellCopyEx(src, src + "/inner", FO_MOVE));
    EXPECT_EQ(messages.shown.size(), 4u);
    EXPECT_FALSE(Exists(work / "src/inner"));
    EXPECT_EQ(Read(work / "src/a.txt"), "A");
    EXPECT_FALSE(ShellCopyEx(src, (work / "x").string(), 3));
    EXPECT_FALSE(ShellCopyEx((work / "missing").string(), (work / "x").string(), FO_COPY));
    EXPECT_FALSE(Exists(work / "x"));
}

TEST_F(FolderOpsTest, MoveRenamesAndMergesWithinOneFileSystem)
{
    Write(work / "src/a.txt", "A");
    Write(work / "dest/src/b.txt", "B");
    ASSERT_TRUE(ShellCopyEx((work / "src").string(), (work / "dest").string(), FO_MOVE));
    EXPECT_FALSE(Exists(work / "src"));
    EXPECT_EQ(Read(work / "dest/src/a.txt"), "A");
    EXPECT_EQ(Read(work / "dest/src/b.txt"), "B");

    Write(work / "f.txt", "new");
    Write(work / "g.txt", "old");
    ASSERT_TRUE(ShellCopyEx((work / "f.txt").string(), (work / "g.txt").string(), FO_MOVE));
    EXPECT_EQ(Read(work / "g.txt"), "new");
    EXPECT_FALSE(Exists(work / "f.txt"));
}

TEST_F(FolderOpsTest, MoveAcrossFileSystemsCopiesThenDeletes)
{
    Write(work / "src/a.txt", "A");
    Write(work / "src/sub/b.txt", "B");
    fs::create_symlink("a.txt", work / "src/alias");
    Write(work / "target/f.txt", "old");
    Write(work / "f.txt", "new");
    SetRenameFunction(RenameAcrossDevices);

    ASSERT_TRUE(ShellCopyEx((work / "src").string(), (work / "moved").string(), FO_MOVE));
    EXPECT_FALSE(Exists(work / "src"));
    EXPECT_EQ(Read(work / "moved/a.txt"), "A");
    EXPECT_EQ(Read(work / "moved/sub/b.txt"), "B");
    EXPECT_EQ(fs::read_symlink(work / "moved/alias"), "a.txt");

    // Over an existing file.
    ASSERT_TRUE(ShellCopyEx((work / "f.txt").string(), (work / "target").string(), FO_MOVE));
    EXPECT_EQ(Read(work / "target/f.txt"), "new");
    EXPECT_FALSE(Exists(work / "f.txt"));
}

TEST_F(FolderOpsTest, FailedMoveAcrossFileSystemsKeepsTheSourceWhole)
{
    Write(work / "src/a.txt", "A");
    ASSERT_EQ(::mkfifo((work / "src/pipe").c_str(), 0600), 0);  // cannot be copied
    SetRenameFunction(RenameAcrossDevices);
    EXPECT_FALSE(ShellCopyEx((work / "src").string(), (work / "moved").string(), FO_MOVE));
    EXPECT_EQ(Read(work / "src/a.txt"), "A");
    EXPECT_TRUE(Exists(work / "src/pipe"));
    EXPECT_FALSE(Exists(work / "moved"));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_THAT(messages.shown[0].Text, HasSubstr("移動できませんでした"));
}

TEST_F(FolderOpsTest, MoveBetweenRealFileSystems)
{
    struct stat a {
    }, b{};
    if (::stat("/dev/shm", &b) != 0 || ::stat(root.c_str(), &a) != 0 || a.st_dev == b.st_dev)
        GTEST_SKIP() << "no second file system at /dev/shm";
    const fs::path shm = MakeTempDir("/dev/shm", "folderops-");
    Write(work / "src/sub/b.txt", "B");
    const bool there = ShellCopyEx((work / "src").string(), (shm / "src").string(), FO_MOVE);
    const bool back = ShellCopyEx((shm / "src").string(), work.string(), FO_MOVE);
    const bool shmEmpty = fs::is_empty(shm);
    fs::remove_all(shm);
    EXPECT_TRUE(there);
    EXPECT_TRUE(back);
    EXPECT_TRUE(shmEmpty);
    EXPECT_EQ(Read(work / "src/sub/b.txt"), "B");
}

TEST_F(FolderOpsTest, CopyFileExReplacesTheTargetKeepingModeAndTime)
{
    Write(work / "s.bin", std::string("data\0more", 9));
    fs::permissions(work / "s.bin", fs::perms::owner_read | fs::perms::owner_write | fs::perms::owner_exec);
    const auto stamp = fs::file_time_type::clock::now() - std::chrono::hours(48);
    fs::last_write_time(work / "s.bin", stamp);
    Write(work / "t.bin", "old target");

    ASSERT_TRUE(CopyFileEx((work / "s.bin").string(), (work / "t.bin").string()));
    EXPECT_EQ(Read(work / "t.bin"), std::string("data\0more", 9));
    EXPECT_EQ(fs::status(work / "t.bin").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::owner_exec);
    EXPECT_EQ(fs::last_write_time(work / "t.bin"), stamp);

    fs::create_directory(work / "dir");
    EXPECT_FALSE(CopyFileEx((work / "missing").string(), (work / "t.bin").string()));
    EXPECT_FALSE(CopyFileEx((work / "dir").string(), (work / "t.bin").string()));
    EXPECT_FALSE(CopyFileEx((work / "s.bin").string(), (work / "no/such/dir/t.bin").string()));
    EXPECT_FALSE(CopyFileEx((work / "s.bin").string(), (work / "dir").string()));
    EXPECT_FALSE(CopyFileEx((work / "s.bin").string(), (work / "s.bin").string()));
    EXPECT_EQ(Read(work / "t.bin"), std::string("data\0more", 9));
    EXPECT_EQ(Read(work / "s.bin"), std::string("data\0more", 9));
    // No temporary file is left behind.
    int entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(work))
        ++entries;
    EXPECT_EQ(entries, 3);
}

// ---------------------------------------------------------------------------
// Folders, names and sizes

TEST_F(FolderOpsTest, ForceDirCreatesParentsButNeverABareDrive)
{
    EXPECT_TRUE(ForceDir(work.string()));
    EXPECT_TRUE(ForceDir((work / "a/b/c").string()));
    EXPECT_TRUE(fs::is_directory(work / "a/b/c"));
    Write(work / "file", "x");
    EXPECT_FALSE(ForceDir((work / "file/sub").string()));
    EXPECT_FALSE(ForceDir(""));
    EXPECT_FALSE(ForceDir("  "));
    for (const char* drive : {"Q:", "q:\\", "Q:/"}) {
        EXPECT_FALSE(ForceDir(drive)) << drive;
        EXPECT_FALSE(Exists(drive)) << drive;
    }
    // A mapped drive is its folder.
    fs::create_directory(root / "share");
    MapDrive("X", root / "share");
    EXPECT_TRUE(ForceDir("X:"));
    EXPECT_TRUE(ForceDir("X:\\data\\2024"));
    EXPECT_TRUE(fs::is_directory(root / "share/data/2024"));
    MapDrive("Y", root / "gone");
    EXPECT_FALSE(ForceDir("Y:\\"));
    EXPECT_FALSE(Exists(root / "gone"));
}

TEST(PathDelimiters, AddAndRemoveOneTrailingDelimiter)
{
    const struct {
        const char* path;
        const char* excluded;
        const char* included;
    } cases[] = {
        {"/a/b", "/a/b", "/a/b/"}, {"/a/b/", "/a/b", "/a/b/"}, {"/a//", "/a/", "/a//"}, {"/", "", "/"}, {"", "", "/"},
        {"表/", "表", "表/"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExcludePathDelim(c.path), c.excluded) << c.path;
        EXPECT_EQ(IncludePathDelim(c.path), c.included) << c.path;
    }
}

TEST_F(FolderOpsTest, SubDirListHoldsFoldersOnly)
{
    for (const char* d : {"zeta", "alpha", "データ", ".hidden"})
        fs::create_directories(work / d / "inner");
    Write(work / "file.txt", "f");
    fs::create_directory_symlink(work / "alpha", work / "link");
    fs::create_symlink(work / "nowhere", work / "broken");

    std::vector<std::string> list{"stale"};
    GetSubDirList(work.string(), 1, list);
    EXPECT_EQ(list, (std::vector<std::string>{".hidden", "alpha", "link", "zeta", "データ"}));
    GetSubDirList(work.string() + "/", 0, list);
    ASSERT_EQ(list.size(), 5u);
    EXPECT_EQ(list[1], work.string() + "/alpha");

    GetSubDirList((work / "missing").string(), 1, list);
    EXPECT_TRUE(list.empty());
    list = {"stale"};
    GetSubDirList(" ", 1, list);
    EXPECT_TRUE(list.empty());
}

TEST_F(FolderOpsTest, FileSize64CountsBeyondFourGigabytes)
{
    Write(work / "b.dat", "12345");
    Write(work / "a.dat", "1");
    {
        std::ofstream(work / "big.bin");
    }
    fs::resize_file(work / "big.bin", 5'000'000'000ULL);  // sparse
    EXPECT_EQ(GetFileSize64((work / "big.bin").string()), 5'000'000'000LL);
    EXPECT_EQ(GetFileSize64((work / "b.dat").string()), 5);
    EXPECT_EQ(GetFileSize64((work / "*.dat").string()), 1);  // first match by name
    EXPECT_EQ(GetFileSize64((work / "missing").string()), 0);
    EXPECT_EQ(GetFileSize64((work / "*.none").string()), 0);
    EXPECT_EQ(GetFileSize64(work.string()), 0);
    EXPECT_EQ(GetFileSize64(""), 0);
}

TEST_F(FolderOpsTest, ShortAndUniversalNames)
{
    Write(work / "long name.txt", "x");
    EXPECT_EQ(GetShortPath((work / "long name.txt").string()), (work / "long name.txt").string());
    try {
        GetShortPath((work / "missing.txt").string());
        ADD_FAILURE() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "ファイルが見つかりません。");
    }

    MapDrive("S", root / "share");
    EXPECT_EQ(GetUNCName("S:\\data\\qhacc.fdb"), (root / "share/data/qhacc.fdb").string());
    EXPECT_EQ(GetUNCName("T:\\data"), "T:\\data");
    EXPECT_EQ(GetUNCName(work.string()), work.string());
    EXPECT_EQ(GetUNCName("  "), "  ");
}

}  // namespace
