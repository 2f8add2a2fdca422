#pragma once
// One journal entry (TSWKREC) and one side of it (TSwkBalance), in the
// order of the journal procedures' parameters. The tax calculation fills the
// sides' tax kinds and amounts; the journal writer reads and writes the rest.

#include "platform/DateTime.h"
#include "platform/NumberText.h"

#include <cstdint>
#include <string>

struct TSwkBalance {
    std::string KGROUP;  // the account's group code
    std::string KCODE;   // the account code as the user sees it (its USERCODE)
    std::string HCODE;   // sub-account
    std::string BCODE;   // department
    std::string KNAME;
    std::string HNAME;
    std::string BNAME;
    std::int32_t TAXCODE = 910;
    std::int32_t TAXUH = 0;
    std::int32_t TAXDC = 0;
    Currency NUK = 0;           // amount without tax
    Currency ZEI = 0;           // tax
    Currency RIT = 0;           // rate in percent
    std::int32_t SIKIN = 0;     // cash-flow item code
    std::int32_t RateCode = 0;  // tax-rate code of this side
};

struct TSWKREC {
    std::string ComputerName;
    std::int32_t REC = 0;  // 0 = a new entry
    std::int32_t SITREC = 0;
    std::int32_t SWKREC = 0;
    std::int32_t SWKNO = 0;
    std::int32_t DELFLG = 0;
    std::int32_t TAISHAKU = 1;
    TDateTime HIZUKE = 0;
    std::int32_t MNUM = 0;
    std::int32_t KESSAN = 0;
    std::int32_t SDAYNUM = 0;
    std::int32_t MDAYNUM = 0;
    std::int32_t DNUM = 0;
    std::int32_t SNUM = 0;
    std::string SCODE;
    TSwkBalance Debit;
    TSwkBalance Credit;
    Currency KINGAKU = 0;
    Currency ZEIGAKU = 0;
    std::int32_t ZEIRITUNO = 0;
    std::int32_t AUTCALCU = 0;  // automatic tax calculation
    std::int32_t TAXCALCU = 0;  // 0 tax included, 1 tax excluded, other: no tax
    std::int32_t OLDRATE = 0;   // tax-rate code of the entry
    std::int32_t TEKCODE = 0;
    std::string TEKTEXT;
    std::int32_t TORCODE = 0;
    std::string TORTEXT;
    std::int32_t FUSEN1 = 0;
    std::int32_t FUSEN2 = 0;
    std::int32_t FUSEN3 = 0;
    std::int32_t FUSEN4 = 0;
    std::int32_t FUSEN5 = 0;
    TDateTime CTIME = 0;
    std::string COMMENT;
    std::string AO_COMMENT;
    std::string LINKKEY;
    std::int32_t LINKKUB = 0;
    std::int32_t LINKREC = 0;
    std::int32_t LOCALFLG = 0;
    std::int32_t Reserve1 = 0;
    std::int32_t Reserve2 = 0;
    TDateTime RTIME = 0;
    std::int32_t OPCODE = 0;
    TDateTime SHONIN_HIZUKE = 0;
    std::int32_t SHONIN_OPCODE = 0;
    std::string SHONIN_NAME;
};
