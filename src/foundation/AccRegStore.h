#pragma once

// Typed settings of the open company data, kept in ACCREG (typed values),
// ACCREG_BLOB_BINARY (pictures and memo texts) and MSD_HOUKOKU (values of
// the medical-corporation report). Reading a missing value stores the
// caller's default, so the tables fill with every setting a version asks for.

#include "foundation/SettingText.h"

#include <cstdint>
#include <string>
#include <variant>

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
