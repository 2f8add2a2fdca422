#pragma once

// Typed settings of the open company data, kept in ACCREG (typed values),
// ACCREG_BLOB_BINARY (pictures and memo texts) and MSD_HOUKOKU (values of
// the medical-corporation report). Reading a missing value stores the
// caller's default, so the tables fill with every setting a version asks for.

#include "platform/DateTime.h"
#include "platform/NumberText.h"

#include <cstdint>
#include <string>
#include <variant>

// A date ("日付") or date-time ("日時") value; a tag of its own so that it is
// not confused with a "実数" double.
struct AccRegDate {
    TDateTime value = 0;
    bool operator==(const AccRegDate&) const = default;
};

// "文字" text, "論理" bool, "整数" int32, "金額" Currency, "実数" double,
// "日付"/"日時" AccRegDate; monostate for "no value".
using AccRegValue = std::variant<std::monostate, std::string, bool, std::int32_t, Currency, double, AccRegDate>;

void GetAccReg(const std::string& group, const std::string& code, const std::string& typeName,
               const std::string& defaultText, AccRegValue& value);
void PutAccReg(const std::string& group, const std::string& code, const std::string& typeName,
               const AccRegValue& value);
void DelAccReg(const std::string& group, const std::string& code);

// Pictures ("画像", "BMP", "JPG") travel as file names, memos ("メモ") as text.
void GetAccRegBlob(const std::string& group, const std::string& key, const std::string& kind, AccRegValue& value);
void PutAccRegBlob(const std::string& group, const std::string& key, const std::string& kind, const AccRegValue& value);

void GetMsdHoukoku(const std::string& group, const std::string& code, const std::string& typeName,
                   const std::string& defaultText, AccRegValue& value);

bool GetHoujinGaiyouKind();
bool GetHoujinGaiyouKikin();
