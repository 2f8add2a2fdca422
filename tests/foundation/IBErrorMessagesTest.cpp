#include "foundation/IBErrorMessages.h"

#include "platform/Cp932.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

// The codes the table must hold, as ranges of consecutive values.
const std::vector<std::pair<std::int32_t, std::int32_t>> kRanges = {
    {335544321, 335544378}, {335544380, 335544384}, {335544386, 335544386}, {335544388, 335544397},
    {335544403, 335544416}, {335544418, 335544421}, {335544424, 335544439}, {335544441, 335544447},
    {335544450, 335544467}, {335544469, 335544504}, {335544506, 335544701}, {335544788, 335544788},
    {336330766, 336330766}, {336330817, 336330817},
};

bool StartsWith(const std::string& s, std::string_view p)
{
    return s.compare(0, p.size(), p) == 0;
}
bool EndsWith(const std::string& s, std::string_view p)
{
    return s.size() >= p.size() && s.compare(s.size() - p.size(), p.size(), p) == 0;
}

TEST(IBErrorMessages, TableHoldsExactlyTheListedCodesInFullWidthParentheses)
{
    std::vector<std::int32_t> expected;
    for (const auto& [first, last] : kRanges)
        for (std::int32_t code = first; code <= last; ++code)
            expected.push_back(code);
    ASSERT_EQ(expected.size(), 368u);

    std::vector<std::int32_t> codes;
    int gated = 0;
    for (const TIBErrorMessageRow& row : IBErrorMessageTable()) {
        codes.push_back(row.ErrorCode);
        if (row.HasRequiredSQLCode)
            ++gated;
        const std::string text(row.Explanation);
        SCOPED_TRACE(row.ErrorCode);
        // Every explanation goes into CP932 logs.
        EXPECT_TRUE(cp932::IsRepresentable(text));
        EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos);
        if (row.ErrorCode == 335544450) {
            EXPECT_EQ(text, " ");
            continue;
        }
        EXPECT_TRUE(StartsWith(text, "（")) << text;
        // The corruption row has lost its closing parenthesis, and keeps it lost.
        if (row.ErrorCode != 335544335) {
            EXPECT_TRUE(EndsWith(text, "）")) << text;
        }
        EXPECT_EQ(text.find('@'), std::string::npos) << "placeholders are written <string> or <long>: " << text;
    }
    EXPECT_EQ(codes, expected);
    EXPECT_EQ(gated, 2);
}

struct TLookupCase {
    std::int32_t Code;
    std::int32_t SQLCode;
    const char* Expected;
};

void PrintTo(const TLookupCase& c, std::ostream* os)
{
    *os << c.Code << " sql " << c.SQLCode;
}

class IBErrorMessageLookup : public ::testing::TestWithParam<TLookupCase> {};

TEST_P(IBErrorMessageLookup, AnswersTheRowOrABlank)
{
    EXPECT_EQ(GetIBErrorMessage(GetParam().Code, GetParam().SQLCode), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, IBErrorMessageLookup,
    ::testing::Values(
        TLookupCase{335544321, -802,
                    "（算術式の例外，数値のオーバーフロー，文字列の切り捨てのいずれかが発生しました）"},
        TLookupCase{335544324, 0, "（データベースハンドルが無効です。有効な接続がありません）"},
        TLookupCase{335544333, -902, "（isc 内部のソフトウェア一貫性チェック）"},
        TLookupCase{335544335, -902, "（データベースファイルが破損している可能性があります"},
        TLookupCase{335544336, -913, "（デッドロック：変更できません。）"},
        TLookupCase{335544344, -902, "（ファイルの入出力エラーが発生しました）"},
        TLookupCase{335544345, -901, "（NO WAIT トランザクションのロックが衝突しています）"},
        TLookupCase{335544347, -625, "（他のテーブルが参照しています。『列の値で検査エラーが発生しました』）"},
        TLookupCase{335544349, -803,
                    "（指定のコード（索引）は既に登録されています。『索引は重複値を格納できません』）"},
        TLookupCase{335544351, -607, "（メタデータの更新が失敗しました）"},
        TLookupCase{335544352, -551, "（アクセスは許可されていません）"},
        TLookupCase{335544375, -904, "（データベースが使用できません）"}, TLookupCase{335544450, -901, " "},
        TLookupCase{335544451, -904, "（並列更新の更新動作が衝突しています）"},
        TLookupCase{335544466, -530,
                    "（他のテーブルが参照しているか？ 又は、マスターが登録されていません。,"
                    "『キーの追加・削除・変更はできません』）"},
        TLookupCase{335544472, -902, "（ユーザー名とパスワードが定義されていません。）"},
        TLookupCase{335544558, -297, "（ビューまたはテーブルに対する，CHECK 制約<\"\"> に違反しています）"},
        TLookupCase{335544569, -204, "（動的SQL エラー）"},
        TLookupCase{335544665, -803, "（同じコードが登録されています。「PRIMARY KEY またはUNIQUE KEY 制約に違反」）"},
        TLookupCase{336330766, 0, "（データベースの上書きはできません。）"},
        // Only the two gated rows care about the SQL code.
        TLookupCase{335544788, -901,
                    "（操作を実行することができません。データベースのSYSDBAか所有者のどちらかでなければなりません。）"},
        TLookupCase{335544788, -902, " "}, TLookupCase{335544788, 0, " "},
        TLookupCase{336330817, -902, "（ディレクトリ名・データーベスに全角文字は使用できません。）"},
        TLookupCase{336330817, -901, " "},
        // Placeholders stay as written.
        TLookupCase{335544395, 12345, "（テーブル <string> が定義されていません）"},
        // Outside the table: the gaps, the neighbours, codes Firebird added later.
        TLookupCase{335544379, -901, " "}, TLookupCase{335544385, 0, " "}, TLookupCase{335544448, 0, " "},
        TLookupCase{335544505, 0, " "}, TLookupCase{335544320, 0, " "}, TLookupCase{335544702, 0, " "},
        TLookupCase{335544721, -902, " "}, TLookupCase{336330767, 0, " "}, TLookupCase{0, 0, " "},
        TLookupCase{-1, -1, " "}));

}  // namespace
