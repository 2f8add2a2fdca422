#pragma once
// TxPzConv: texts to Base64 and back, with the standard alphabet and "="
// fill of RFC 4648. The texts are byte strings (the relay server's CP932
// texts); no character set is converted.
//
// Decoding serves texts only: a character outside the alphabet ("=" among
// them) counts as 0, the second and third byte of a group are kept only when
// they are not 0, and an incomplete last group is ignored. So a decoded text
// never holds the zero bytes that the fill stands for, and loses any zero
// byte of its own in those places.

#include <string>

enum TJisByteCodeType { btAscii, btRoman };
enum TJisKanaConvType { ktNone, ktZenWithDaku, ktZenSepaDaku };

class TxPzConv final {
public:
    // Kept for the forms that set them; the conversions do not read them.
    TJisByteCodeType JisByteCodeType = btAscii;
    TJisKanaConvType JisKanaConvType = ktZenWithDaku;

    void Base64Encode(const std::string& text, std::string& result) const;
    void Base64Decode(const std::string& text, std::string& result) const;
};
