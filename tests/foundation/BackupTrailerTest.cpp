#include "foundation/BackupTrailer.h"

#include "foundation/BufFileStream.h"
#include "platform/Cp932.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class BackupTrailerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_ = fs::temp_directory_path() / ("trailer-" + std::to_string(::getpid()) + "-" +
                                               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string Path(const char* name) const { return (folder_ / name).string(); }

    static void Write(const std::string& path, const std::string& bytes)
    {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    }
    static std::string Read(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }

    static TBackupTrailerValues Sample()
    {
        TBackupTrailerValues values;
        values.SHOUGOU = "株式会社①サンプル";
        values.KISHU = "2025/04/01";
        values.KIMATU = "2026/03/31";
        values.SIWAKE = 1234;
        values.TOTALSIWAKE = 1300;
        values.DATAVARSION = "15.0.0";
        values.GASSAN = 2;
        values.USEMYNUMBER = 1;
        return values;
    }

    // Bytes that look like a backup body: binary, NULs included.
    static std::string Body(std::size_t length)
    {
        std::string body(length, '\0');
        for (std::size_t i = 0; i < length; ++i)
            body[i] = static_cast<char>((i * 7 + 3) % 256);
        return body;
    }

    fs::path folder_;
};

TEST_F(BackupTrailerTest, AppendWritesTheNineLinesInCp932)
{
    const std::string file = Path("a.fbk");
    Write(file, "BODY");
    Sample().AppendBackupTrailer(file);
    EXPECT_EQ(Read(file), "BODY" + cp932::FromUtf8("## ZorvathZone\r\nSHOUGOU=株式会社①サンプル\r\n"
                                                   "KISHU=2025/04/01\r\nKIMATU=2026/03/31\r\nSIWAKE=1234\r\n"
                                                   "TOTALSIWAKE=1300\r\nDATAVARSION=15.0.0\r\nGASSAN=2\r\n"
                                                   "USEMYNUMBER=1\r\n"));

    TBackupTrailerValues unnamed = Sample();
    unnamed.SHOUGOU.clear();
    Write(file, "BODY");
    unnamed.AppendBackupTrailer(file);
    EXPECT_EQ(Read(file), "BODY");
}

// The body sizes put the marker on both sides of the reader's 512-byte
// blocks and far into a longer file.
TEST_F(BackupTrailerTest, StripLeavesTheBackupAsItWasAndReadsEveryValue)
{
    for (std::size_t length : {1u, 500u, 511u, 512u, 40000u}) {
        SCOPED_TRACE(length);
        const std::string file = Path("b.fbk");
        const std::string body = Body(length);
        Write(file, body);
        Sample().AppendBackupTrailer(file);

        TBackupTrailerValues read;
        ASSERT_TRUE(read.GetBackupFileInfo(file, true));
        EXPECT_EQ(read.SHOUGOU, "株式会社①サンプル");
        EXPECT_EQ(read.KISHU, "2025/04/01");
        EXPECT_EQ(read.KIMATU, "2026/03/31");
        EXPECT_EQ(read.SIWAKE, 1234);
        EXPECT_EQ(read.TOTALSIWAKE, 1300);
        EXPECT_EQ(read.DATAVARSION, "15.0.0");
        EXPECT_EQ(read.GASSAN, 2);
        EXPECT_EQ(read.USEMYNUMBER, 1);
        EXPECT_EQ(Read(file), body);
        EXPECT_FALSE(fs::exists(fs::path(file).replace_extension(".wk_")));
    }
}

TEST_F(BackupTrailerTest, WithoutTrailerTheFileStaysAndTheValuesAreCleared)
{
    const std::string file = Path("c.fbk");
    Write(file, Body(3000));
    TBackupTrailerValues read = Sample();
    EXPECT_FALSE(read.GetBackupFileInfo(file, true));
    EXPECT_EQ(read.SHOUGOU, "");
    EXPECT_EQ(read.SIWAKE, 0);
    EXPECT_EQ(read.USEMYNUMBER, 0);
    EXPECT_EQ(Read(file), Body(3000));

    // A file that only begins with the marker holds no trailer behind a body.
    Write(file, std::string(BackupTrailerMarker) + "\r\nSHOUGOU=x\r\n");
    std::string text = "old";
    EXPECT_EQ(FindFileMarker(file, BackupTrailerMarker, text), 0);
    EXPECT_EQ(text, "");
}

// A body that holds the marker text (a memo typed by a user) must not be
// cut there: with a trailer behind it the trailer is found, without one the
// file is left whole.
TEST_F(BackupTrailerTest, AMarkerInsideTheBodyNeverCutsTheBackup)
{
    const std::string file = Path("d.fbk");
    const std::string body = Body(2000) + "## ZorvathZone\r\nSHOUGOU=memo\r\n" + Body(3000);
    Write(file, body);
    TBackupTrailerValues read;
    EXPECT_FALSE(read.GetBackupFileInfo(file, true));
    EXPECT_EQ(Read(file), body);

    Sample().AppendBackupTrailer(file);
    ASSERT_TRUE(read.GetBackupFileInfo(file, true));
    EXPECT_EQ(read.SHOUGOU, "株式会社①サンプル");
    EXPECT_EQ(Read(file), body);

    // The marker near the end of a body, followed by the engine's NULs.
    const std::string late = Body(1000) + "## ZorvathZone" + std::string(100, '\0');
    Write(file, late);
    EXPECT_FALSE(read.GetBackupFileInfo(file, true));
    EXPECT_EQ(Read(file), late);
}

TEST_F(BackupTrailerTest, OffsetsBeyondFourGiBAreKept)
{
    const std::string file = Path("big.fbk");
    const std::int64_t bodySize = (std::int64_t{1} << 32) + 4097;
    {
        std::ofstream(file, std::ios::binary) << "";
    }
    fs::resize_file(file, static_cast<std::uintmax_t>(bodySize));  // sparse: no disk space used
    Sample().AppendBackupTrailer(file);
    std::string text;
    std::int64_t offset = -2;
    ASSERT_TRUE(ReadFileTrailer(file, BackupTrailerMarker, text, false, &offset));
    EXPECT_EQ(offset, bodySize);
    EXPECT_EQ(text.rfind(BackupTrailerMarker, 0), 0u);
}

TEST_F(BackupTrailerTest, StripThatCannotRenameLeavesTheFile)
{
    const std::string file = Path("e.fbk");
    Write(file, Body(100));
    Sample().AppendBackupTrailer(file);
    const std::string before = Read(file);
    fs::permissions(folder_, fs::perms::owner_read | fs::perms::owner_exec);
    std::string text;
    const bool cut = ReadFileTrailer(file, BackupTrailerMarker, text, true);
    fs::permissions(folder_, fs::perms::owner_all);
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    EXPECT_FALSE(cut);
    EXPECT_EQ(Read(file), before);
}

TEST_F(BackupTrailerTest, BufferedReadRefusesMoreThanItsBuffer)
{
    const std::string file = Path("f.bin");
    Write(file, Body(5000));
    TBufFileStream stream(file, 1, TFileOpenMode::Read);
    char bytes[2048];
    try {
        stream.Read(bytes, 1025);
        FAIL() << "no error";
    } catch (const TBufFileStreamError& error) {
        EXPECT_STREQ(error.what(), "バッファの大きさを越えています。");
    }
    // Reads across refills hand out the file in order.
    std::string all;
    for (std::int64_t got; (got = stream.Read(bytes, 700)) > 0;)
        all.append(bytes, static_cast<std::size_t>(got));
    EXPECT_EQ(all, Body(5000));
    stream.Seek(-10, TSeekOrigin::End);
    EXPECT_EQ(stream.Read(bytes, 100), 10);
    EXPECT_EQ(std::string(bytes, 10), Body(5000).substr(4990));
}

}  // namespace
