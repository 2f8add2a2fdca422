#pragma once
// The consumption-tax codes 110-910 of the journal: what each one means and
// the checks that keep a code consistent with the suspense-tax and sundry
// accounts and with the data's taxation method (TaxContext.h). The checks
// report through their message argument, for the caller to show, and some
// put a usable code in place of a refused one.

#include "platform/DateTime.h"

#include <cstdint>
#include <string>

// One tax code as GetTaxCodeInfo describes it. ClassName is padded with
// half-width blanks to 24 CP932 bytes. Marker: 1 a base code that takes the
// business kind under simplified taxation, 2 a code carrying a business
// kind, 0 other. TAXUH: 1 taxable sales, 2 taxable purchases, 0 neither.
// TAXDC: 3 the tax arises on the credit side, 1 on the debit side, 0 none.
struct TTaxCodeInfo {
    std::string Category;
    std::string ClassName;
    std::int32_t Marker = 9;
    std::int32_t TAXUH = 0;
    std::int32_t TAXDC = 0;
};

// Under simplified taxation 110, 310, 610 and 630 take the data's business
// kind (110 becomes 113 for kind 3); otherwise the codes that carry a kind
// (111-116, 311-316, 611-616, 631-636) go back to their base code.
void NormalizeSalesTaxCode(std::int32_t& code);

// False for a code outside the table: category "Error" padded to 20
// characters, class name " ", marker 9, TAXUH and TAXDC 0.
bool GetTaxCodeInfo(std::int32_t code, TTaxCodeInfo& info);

// Whether the code suits the account: 700s only with 仮払消費税 (which
// takes 700s, 810 and 910), 600s only with 仮受消費税, whose codes also
// follow the taxation method. A caution leaves the result true.
bool CheckTaxCodeForAccount(std::string& message, const std::string& account, std::int32_t code);
// Against 仮払消費税 and 仮受消費税 the other side's code must be 810 or
// 910; a refused code becomes 810.
bool CheckTaxCounterCode(std::string& message, const std::string& account, std::int32_t& code);
// 諸口 takes only 810 and 910; a refused code becomes 810.
bool CheckSundryTaxCode(std::string& message, const std::string& account, std::int32_t& code);

// 551-553 and 581-583.
bool IsSpecifiedPurchaseCode(std::int32_t code);
// 1 allowed, 0 refused: a specified-purchase code is refused before
// 2015/10/01 and with the rate codes 1 (3%), 2 (5%) and 4 (reduced 8%).
std::int32_t CheckSpecifiedPurchaseCode(std::string& message, std::int32_t& code, std::int32_t rateCode,
                                        TDateTime date);
