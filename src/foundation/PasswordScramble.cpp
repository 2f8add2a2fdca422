#include "foundation/PasswordScramble.h"

#include "foundation/StringCipher.h"
#include "platform/Cp932.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

namespace {

constexpr int AlphabetSize = static_cast<int>(EasyEncodeAlphabet.size());
static_assert(AlphabetSize == 62);

// Index of each byte in the alphabet, −1 for a byte outside it.
constexpr std::array<int, 256> MakeAlphabetIndex()
{
    std::array<int, 256> index{};
    index.fill(-1);
    for (int i = 0; i < AlphabetSize; ++i)
        index[static_cast<unsigned char>(EasyEncodeAlphabet[i])] = i;
    return index;
}
constexpr std::array<int, 256> AlphabetIndex = MakeAlphabetIndex();

int IndexOf(char c)
{
    return AlphabetIndex[static_cast<unsigned char>(c)];
}

// The key as the bytes the running sum adds: its CP932 form. Empty when the
// key cannot be used (empty, not CP932, longer than the buffer).
std::optional<std::string> KeyBytes(const std::string& key)
{
    std::string bytes;
    try {
        bytes = cp932::FromUtf8(key);
    } catch (const cp932::TextEncodingError&) {
        return std::nullopt;
    }
    if (bytes.empty() || bytes.size() > EasyEncodeMaxBytes)
        return std::nullopt;
    return bytes;
}

// Walks the running sum over the key: each call adds the next key byte
// (the key repeating) and answers the sum. The sum keeps growing across the
// repeats; it never returns to 0.
class RunningSum {
public:
    explicit RunningSum(const std::string& key) : key_(key) {}
    int Next()
    {
        if (pos_ == key_.size())
            pos_ = 0;
        sum_ += static_cast<unsigned char>(key_[pos_]);
        ++pos_;
        return sum_;
    }

private:
    const std::string& key_;
    std::size_t pos_ = 0;
    int sum_ = 0;  // at most 255 × 255: no overflow
};

bool IsBlankText(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) <= 0x20; });
}

void CallCipher(std::string_view text, std::string_view mode, std::string& result)
{
    result.clear();
    if (IsBlankText(text))
        return;
    std::array<char, StringCipherBufferSize> output{};
    std::array<char, StringCipherBufferSize> detail{};
    if (StringCipher(text, mode, output, detail) != 1)
        return;
    // The cipher always leaves a zero byte at the end of its buffer.
    result.assign(output.data(), std::find(output.begin(), output.end(), '\0'));
}

}  // namespace

void ClearEasyEncodeInfo(TEasyEncodeInfo& info)
{
    info.TargetLen = 0;
    info.PlainLen = 0;
    info.PlainText.clear();
    info.CodeText.clear();
}

int EasyEncode(TEasyEncodeInfo& info)
{
    info.CodeText.clear();
    const std::optional<std::string> key = KeyBytes(info.Key);
    if (!key)
        return 0;

    // Computed in 64 bits: the difference of two 32-bit lengths can overflow.
    const std::int64_t filler = std::max<std::int64_t>(0, static_cast<std::int64_t>(info.TargetLen) - info.PlainLen);
    if (info.PlainText.size() + static_cast<std::uint64_t>(filler) > EasyEncodeMaxBytes)
        return 0;

    std::string plain = info.PlainText;
    for (std::int64_t i = 0; i < filler; ++i)
        plain += static_cast<char>('A' + i % 26);

    RunningSum sum(*key);
    std::string code;
    code.reserve(plain.size());
    for (const char c : plain) {
        const int j = IndexOf(c);
        if (j < 0)
            return 0;
        code += EasyEncodeAlphabet[(j + sum.Next()) % AlphabetSize];
    }
    info.CodeText = std::move(code);
    return 1;
}

bool EasyDecode(TEasyEncodeInfo& info)
{
    info.PlainText.clear();
    const std::optional<std::string> key = KeyBytes(info.Key);
    if (!key)
        return false;
    if (info.CodeText.size() > EasyEncodeMaxBytes)
        return false;

    const std::size_t count =
        info.PlainLen <= 0 ? 0 : std::min(info.CodeText.size(), static_cast<std::size_t>(info.PlainLen));
    RunningSum sum(*key);
    std::string plain;
    plain.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const int j = IndexOf(info.CodeText[i]);
        if (j < 0)
            return false;
        int k = (j - sum.Next()) % AlphabetSize;
        if (k < 0)
            k += AlphabetSize;
        plain += EasyEncodeAlphabet[k];
    }
    info.PlainText = std::move(plain);
    return true;
}

void CipherEncodeText(std::string_view Text, std::string_view /*KeyName*/, std::int32_t /*Length*/, std::string& Result)
{
    CallCipher(Text, StringCipherEncodeMode, Result);
}

void CipherDecodeText(std::string_view Text, std::string_view /*KeyName*/, std::int32_t /*Length*/, std::string& Result)
{
    CallCipher(Text, StringCipherDecodeMode, Result);
}
