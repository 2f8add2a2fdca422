#include "platform/IniFile.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

class IniFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string tmpl = (fs::temp_directory_path() / "inifile-XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        dir_ = tmpl;
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }

    static void Put(const std::string& path, const std::string& bytes)
    {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static std::string Get(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    fs::path dir_;
};

using Lines = std::vector<std::string>;

TEST_F(IniFileTest, JapaneseNamesAndValuesRoundTripAsCp932WithCrLf)
{
    IniFile ini(PathOf("jp.ini"));
    // "ソ" has the trail byte 0x5C ("\") and ① is one of CP932's own characters.
    ini.WriteString("会社", "ソフト", "株式会社①");
    ini.WriteInteger("会社", "件数", 12);

    EXPECT_EQ(Get(ini.FileName()),
              "[\x89\xEF\x8E\xD0]\r\n"
              "\x83\x5C\x83\x74\x83\x67=\x8A\x94\x8E\xAE\x89\xEF\x8E\xD0\x87\x40\r\n"
              "\x8C\x8F\x90\x94=12\r\n");
    EXPECT_EQ(ini.ReadString("会社", "ソフト", ""), "株式会社①");
    EXPECT_EQ(ini.ReadInteger("会社", "件数", 0), 12);
    EXPECT_EQ(ini.ReadSections(), Lines{"会社"});
}

TEST_F(IniFileTest, LineEndsOfOtherToolsReadTheSameAndWritesUseCrLf)
{
    const std::string crlf = "[A]\r\nx=1\r\ny = two \r\n\r\n[B]\r\nz=3\r\n";
    const struct {
        const char* name;
        std::string bytes;
    } files[] = {
        {"lf.ini", "[A]\nx=1\ny = two \n\n[B]\nz=3"},
        {"cr.ini", "[A]\rx=1\ry = two \r\r[B]\rz=3\r"},
        {"crlf.ini", crlf},
    };
    for (const auto& f : files) {
        SCOPED_TRACE(f.name);
        Put(PathOf(f.name), f.bytes);
        IniFile ini(PathOf(f.name));
        EXPECT_EQ(ini.ReadSections(), (Lines{"A", "B"}));
        EXPECT_EQ(ini.ReadSectionValues("A"), (Lines{"x=1", "y=two"}));
        EXPECT_EQ(ini.ReadString("B", "z", ""), "3");

        ini.WriteString("B", "z", "3");  // same value: the file needs no rewrite
        ini.WriteString("B", "w", "4");
        EXPECT_EQ(Get(ini.FileName()), "[A]\r\nx=1\r\ny = two \r\n\r\n[B]\r\nz=3\r\nw=4\r\n");
    }
}

TEST_F(IniFileTest, NamesCompareCaseInsensitivelyForAsciiOnly)
{
    Put(PathOf("case.ini"), "[Section]\r\nKey=v\r\n\x82\x60=full\r\n");  // "Ａ=full"
    IniFile ini(PathOf("case.ini"));
    EXPECT_EQ(ini.ReadString("SECTION", "key", "-"), "v");
    EXPECT_EQ(ini.ReadString("  section ", " KEY ", "-"), "v");
    EXPECT_TRUE(ini.ValueExists("section", "KEY"));
    EXPECT_EQ(ini.ReadString("Section", "Ａ", "-"), "full");
    EXPECT_EQ(ini.ReadString("Section", "ａ", "-"), "-");  // full-width letters compare exactly

    ini.WriteString("SECTION", "KEY", "w");
    EXPECT_EQ(Get(ini.FileName()), "[Section]\r\nKey=w\r\n\x82\x60=full\r\n");
}

TEST_F(IniFileTest, ValuesAreTrimmedAndLoseOnePairOfQuotes)
{
    const struct {
        const char* line;
        const char* value;
    } cases[] = {
        {"k=plain", "plain"},
        {"k =  spaced\t ", "spaced"},
        {"k=\" keep \"", " keep "},
        {"k='single'", "single"},
        {"k=\"mixed'", "\"mixed'"},
        {"k=\"", "\""},
        {"k=\"\"", ""},
        {"k=\"\"x\"\"", "\"x\""},
        {"k=a=b", "a=b"},
        {"k=", ""},
        {"k=a ; not a comment", "a ; not a comment"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        Put(PathOf("q.ini"), std::string("[S]\r\n") + c.line + "\r\n");
        EXPECT_EQ(IniFile(PathOf("q.ini")).ReadString("S", "k", "default"), c.value);
    }
}

TEST_F(IniFileTest, IntegersAndBooleansFollowTIniFile)
{
    const struct {
        const char* text;
        std::int32_t value;
    } cases[] = {
        {"42", 42},
        {"-5", -5},
        {"+7", 7},
        {"0x1F", 31},
        {"0X1f", 31},
        {"$10", 16},
        {"0xFFFFFFFF", -1},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"2147483648", -99},
        {"0x100000000", -99},
        {"12a", -99},
        {"abc", -99},
        {"0x", -99},
        {"", -99},
        {"\"8\"", 8},
        {"1.5", -99},
    };
    IniFile ini(PathOf("n.ini"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        ini.WriteString("N", "v", c.text);
        EXPECT_EQ(ini.ReadInteger("N", "v", -99), c.value);
    }
    EXPECT_EQ(ini.ReadInteger("N", "absent", 120), 120);

    ini.WriteBool("B", "on", true);
    ini.WriteBool("B", "off", false);
    ini.WriteString("B", "two", "2");
    ini.WriteString("B", "word", "true");
    EXPECT_EQ(ini.ReadString("B", "on", ""), "1");
    EXPECT_EQ(ini.ReadString("B", "off", ""), "0");
    EXPECT_TRUE(ini.ReadBool("B", "on", false));
    EXPECT_FALSE(ini.ReadBool("B", "off", true));
    EXPECT_TRUE(ini.ReadBool("B", "two", false));
    EXPECT_FALSE(ini.ReadBool("B", "word", false));  // not a number: the default
    EXPECT_TRUE(ini.ReadBool("B", "absent", true));
}

TEST_F(IniFileTest, MalformedLinesAreIgnoredByReadsAndKeptByWrites)
{
    // 0xED40 decodes to a character that CP932 writes back as 0xFA5C, so the
    // comment only survives when untouched lines keep their own bytes.
    const std::string original =
        "orphan=1\r\n"
        "; comment \xED\x40\r\n"
        "[A]\r\n"
        "junk line\r\n"
        "=no key\r\n"
        "[broken\r\n"
        "a=1\r\n"
        "\r\n"
        "[B]\r\n";
    Put(PathOf("m.ini"), original);
    IniFile ini(PathOf("m.ini"));
    EXPECT_EQ(ini.ReadSections(), (Lines{"A", "B"}));
    EXPECT_EQ(ini.ReadSection("A"), Lines{"a"});
    EXPECT_EQ(ini.ReadString("", "orphan", "-"), "-");
    EXPECT_FALSE(ini.SectionExists("B"));  // a bare header holds no keys

    ini.WriteString("A", "b", "2");
    ini.WriteString("C", "c", "3");
    EXPECT_EQ(Get(ini.FileName()),
              "orphan=1\r\n; comment \xED\x40\r\n[A]\r\njunk line\r\n=no key\r\n[broken\r\na=1\r\nb=2\r\n"
              "\r\n[B]\r\n[C]\r\nc=3\r\n");
}

TEST_F(IniFileTest, RepeatedSectionsReadAsOneAndEraseCompletely)
{
    Put(PathOf("d.ini"), "[A]\r\nk=first\r\nx=1\r\n[B]\r\nb=1\r\n[a]\r\nK=second\r\ny=2\r\n");
    IniFile ini(PathOf("d.ini"));
    EXPECT_EQ(ini.ReadSections(), (Lines{"A", "B"}));
    EXPECT_EQ(ini.ReadSectionValues("A"), (Lines{"k=first", "x=1", "y=2"}));

    ini.DeleteKey("A", "K");
    EXPECT_FALSE(ini.ValueExists("A", "k"));  // no older copy shows through
    EXPECT_EQ(ini.ReadSection("A"), (Lines{"x", "y"}));

    ini.EraseSection("a");
    EXPECT_FALSE(ini.SectionExists("A"));
    EXPECT_EQ(Get(ini.FileName()), "[B]\r\nb=1\r\n");

    ini.DeleteKey("B", "b");
    EXPECT_EQ(Get(ini.FileName()), "[B]\r\n");
    ini.DeleteKey("B", "absent");
    ini.EraseSection("absent");
    EXPECT_EQ(Get(ini.FileName()), "[B]\r\n");
}

TEST_F(IniFileTest, ReplaceSectionRewritesItInPlace)
{
    Put(PathOf("h.ini"), "[A]\r\na=1\r\n[Hist]\r\nHIST1=old\r\nHIST2=older\r\n[Z]\r\nz=1\r\n[hist]\r\nHIST9=x\r\n");
    IniFile ini(PathOf("h.ini"));
    ini.ReplaceSection("HIST", {{"HIST1", "/new"}, {"HIST2", "/old"}, {"hist1", "/newest"}});
    EXPECT_EQ(Get(ini.FileName()), "[A]\r\na=1\r\n[HIST]\r\nHIST1=/newest\r\nHIST2=/old\r\n[Z]\r\nz=1\r\n");

    ini.ReplaceSection("New", {});
    EXPECT_EQ(ini.ReadSections(), (Lines{"A", "HIST", "Z", "New"}));
    ini.CreateSection("new");
    ini.CreateSection("Other");
    EXPECT_EQ(ini.ReadSections(), (Lines{"A", "HIST", "Z", "New", "Other"}));
}

TEST_F(IniFileTest, NamesAndValuesThatWouldCorruptTheFileAreRefused)
{
    const std::string original = "[S]\r\nk=v\r\n";
    Put(PathOf("r.ini"), original);
    IniFile ini(PathOf("r.ini"));
    const struct {
        const char* section;
        const char* key;
        std::string value;
    } cases[] = {
        {"", "k", "v"},
        {"  ", "k", "v"},
        {"a]b", "k", "v"},
        {"a\nb", "k", "v"},
        {"S", "", "v"},
        {"S", "a=b", "v"},
        {"S", ";k", "v"},
        {"S", "[k", "v"},
        {"S", "a\r", "v"},
        {"S", "k", "a\r\nb"},
        {"S", "k", std::string("a\0b", 3)},
        {"S", "k", "\xF0\x9F\x98\x80"},  // no CP932 form
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.section) + "/" + c.key);
        EXPECT_THROW(ini.WriteString(c.section, c.key, c.value), IniFileError);
    }
    EXPECT_THROW(ini.ReplaceSection("S", {{"a=b", "1"}}), IniFileError);
    EXPECT_THROW(ini.EraseSection("a]"), IniFileError);
    EXPECT_EQ(Get(ini.FileName()), original);
    EXPECT_EQ(fs::directory_iterator(dir_)->path().filename(), "r.ini");  // no temporary file left

    ini.WriteString("S", "k", "a=b");
    EXPECT_EQ(ini.ReadString("S", "k", ""), "a=b");
}

TEST_F(IniFileTest, MissingFileReadsDefaultsAndMissingFolderFailsWrites)
{
    for (const std::string& path : {PathOf("absent.ini"), PathOf("nofolder/absent.ini")}) {
        SCOPED_TRACE(path);
        IniFile ini(path);
        EXPECT_EQ(ini.ReadString("S", "k", "dflt"), "dflt");
        EXPECT_EQ(ini.ReadInteger("S", "k", 7), 7);
        EXPECT_TRUE(ini.ReadSections().empty());
        EXPECT_FALSE(ini.SectionExists("S"));
        ini.EraseSection("S");
        ini.DeleteKey("S", "k");
        EXPECT_FALSE(fs::exists(path));
    }
    IniFile lost(PathOf("nofolder/absent.ini"));
    EXPECT_THROW(lost.WriteString("S", "k", "v"), IniFileError);
    EXPECT_FALSE(fs::exists(PathOf("nofolder")));

    IniFile fresh(PathOf("fresh.ini"));
    fresh.WriteString("S", "k", "v");
    EXPECT_EQ(Get(fresh.FileName()), "[S]\r\nk=v\r\n");
}

TEST_F(IniFileTest, FileThatIsNotCp932IsRefusedAndLeftAlone)
{
    const std::string bad = "[S]\r\nk=\x81\x20\r\n";  // a lead byte without its trail byte
    Put(PathOf("bad.ini"), bad);
    IniFile ini(PathOf("bad.ini"));
    EXPECT_THROW(ini.ReadString("S", "other", ""), IniFileError);
    EXPECT_THROW(ini.WriteString("S", "other", "1"), IniFileError);
    EXPECT_EQ(Get(ini.FileName()), bad);

    IniFile folder(dir_.string());  // exists but is no file
    EXPECT_THROW(folder.ReadString("S", "k", ""), IniFileError);
}

TEST_F(IniFileTest, Utf8FileWithByteOrderMarkStaysUtf8)
{
    Put(PathOf("u.ini"), "\xEF\xBB\xBF[日本]\nキー=値\n");
    IniFile ini(PathOf("u.ini"));
    EXPECT_EQ(ini.ReadString("日本", "キー", ""), "値");
    ini.WriteString("日本", "絵", "\xF0\x9F\x98\x80");
    EXPECT_EQ(Get(ini.FileName()), "\xEF\xBB\xBF[日本]\r\nキー=値\r\n絵=\xF0\x9F\x98\x80\r\n");

    Put(PathOf("u.ini"), "\xEF\xBB\xBF[S]\nk=\xFF\n");
    EXPECT_THROW(ini.ReadString("S", "k", ""), IniFileError);
}

TEST_F(IniFileTest, ConcurrentWritersInTwoProcessesLoseNoKeys)
{
    IniFile ini(PathOf("shared.ini"));
    constexpr int kEach = 60;
    const pid_t child = ::fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        int status = 0;
        try {
            IniFile mine(PathOf("shared.ini"));
            for (int i = 0; i < kEach; ++i)
                mine.WriteInteger("Child", "k" + std::to_string(i), i);
        } catch (...) {
            status = 1;
        }
        ::_exit(status);
    }
    for (int i = 0; i < kEach; ++i)
        ini.WriteInteger("Parent", "k" + std::to_string(i), i);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(ini.ReadSection("Parent").size(), static_cast<std::size_t>(kEach));
    EXPECT_EQ(ini.ReadSection("Child").size(), static_cast<std::size_t>(kEach));
}

}  // namespace
