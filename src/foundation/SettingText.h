#pragma once
// The typed settings stores (ACCREG and MSD_HOUKOKU of the company data,
// SYSREG of the system database) keep every value as a text beside its
// type name: "文字" text, "論理" boolean "TRUE"/"FALSE", "日付" date
// "yyyy/mm/dd", "整数" integer, "金額" currency, and in ACCREG also "実数"
// floating and "日時" date-time "yyyy/mm/dd hh:nn:ss". These convert between
// the stored text and the value.

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

// What a store reads: All adds "実数" and "日時" to the five basic types;
// ExactTrue reads "論理" as true only for exactly "TRUE" (else any case).
struct TSettingTypes {
    bool All = false;
    bool ExactTrue = false;
};

// The value of a stored text. An empty text reads as " " first; a text that
// does not convert reads as 0; an unknown type gives the text
// "Data Type Error".
AccRegValue SettingFromText(std::string text, const std::string& typeName, TSettingTypes types);

// The stored text of a value by its type name ("実数" and "日時" only with
// allTypes); false for a type without a text. A text value is stored as it
// is under any known type. A value that does not fit the type throws
// std::invalid_argument or std::bad_variant_access.
bool SettingToText(const AccRegValue& value, const std::string& typeName, bool allTypes, std::string& text);
