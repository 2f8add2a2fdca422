#pragma once
// The typed common variables of the system database (SYSREG): one text per
// operator code and key, with the value's type name beside it (SettingText.h).
// Per-operator values use the operator's OPCODE; the group-wide ones
// GROUPID × 10000 + 9999. They run on the data module's system connection
// in its ordinary transaction, joined when the caller has one running.
//
// Failures are reported here ("システム共通変数の取得に失敗しました。" /
// "システム共通変数の保存に失敗しました。") and leave the value as it was;
// a transaction the call started is rolled back, a caller's is left alone.

#include "foundation/SettingText.h"

#include <cstdint>
#include <string>

// Reads the value of (opcode, key). A missing row is inserted with the type
// and the default text, and the default is read. "論理" is true only for
// exactly "TRUE"; an empty text reads as " " (文字) or 0.
void funcGetSysReg(const std::string& key, const std::string& typeName, AccRegValue& value, std::int32_t opcode,
                   const std::string& defaultText);
// Writes the value: an existing row keeps its stored type; a type without a
// text form ("実数", unknown names) stores no text (NULL).
void funcPutSysReg(const std::string& key, const std::string& typeName, std::int32_t opcode, const AccRegValue& value);

// The same without the report, for a caller that decides what a failure
// means: it propagates as it is (a transaction started here is rolled back).
void ReadSysReg(const std::string& key, const std::string& typeName, AccRegValue& value, std::int32_t opcode,
                const std::string& defaultText);
void WriteSysReg(const std::string& key, const std::string& typeName, std::int32_t opcode, const AccRegValue& value);

// The same for the logged-on operator's OPCODE.
void GetSysRegOp(const std::string& key, const std::string& typeName, AccRegValue& value,
                 const std::string& defaultText);
void PutSysRegOp(const std::string& key, const std::string& typeName, const AccRegValue& value);

// The integer ("整数") value of (opcode, key) with its default; current is
// kept when the read fails.
std::int32_t SysRegInteger(const std::string& key, std::int32_t opcode, std::int32_t defaultValue,
                           std::int32_t current);
