#pragma once
// The values an operator entered last time on a screen (periods, choices,
// switches), one text per operator and screen, kept in the system
// database's style table STYLECOLOR under the style name "020-" + the
// screen name (upper case, at most 40 bytes). The same table holds the
// report colours under other names; a row written here has every colour -1.
//
// How a screen packs its values into the text is the screen's business;
// the text is stored as given, but for trimming and the 1024-byte cut.
//
// Both operations run in the data module's system-database transaction,
// starting and committing it only when it was not active. A failure is
// shown only when the operation started the transaction (and that
// transaction is still committed); inside a caller's transaction it is
// dropped. Nothing is passed on. Before an operator is logged on (operator
// code 0), and for an empty screen name, nothing is read or written.

#include <cstdint>
#include <string>

class TGamenKeyValue final {
public:
    // Takes the operator code of the logged-on operator.
    TGamenKeyValue();

    // The saved text of the screen into value; value keeps what it held
    // when nothing is saved (or nothing could be read).
    void FukugenValue(const std::string& screenName, std::string& value);
    // Saves the text (trimmed of half- and full-width blanks, cut to 1024
    // CP932 bytes without tearing a double-byte character).
    void HozonValue(const std::string& screenName, const std::string& value);

    // "020-" + the screen name, upper case, cut to 40 bytes and trimmed.
    static std::string StyleNameOf(const std::string& screenName);

private:
    std::int32_t opCode_;
    std::string styleName_;
    std::string value_;
};
