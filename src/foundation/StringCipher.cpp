#include "foundation/StringCipher.h"

#include <openssl/evp.h>
#include <openssl/rand.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

constexpr unsigned char FormatByte = 0x01;
constexpr std::size_t NonceSize = 12;
constexpr std::size_t TagSize = 16;
constexpr std::size_t Overhead = 1 + NonceSize + TagSize;
constexpr std::size_t MaxCodedChars = StringCipherBufferSize - 1;  // room for the zero byte

constexpr std::size_t Base64UrlLength(std::size_t bytes)
{
    return (bytes * 4 + 2) / 3;
}
static_assert(Base64UrlLength(StringCipherMaxPlainBytes + Overhead) <= MaxCodedChars);
static_assert(Base64UrlLength(StringCipherMaxPlainBytes + 1 + Overhead) > MaxCodedChars);

// The program key: SHA-256 of a fixed phrase, so the key is the same on every
// installation and no 32-byte block of key material stands in the binary.
// Null should the digest ever fail; every call then fails rather than run
// under some other key.
const unsigned char* ProgramKey()
{
    static const std::optional<std::array<unsigned char, 32>> key = [] {
        static constexpr std::string_view Phrase = "LEDRIX settings string cipher, format 1";
        std::array<unsigned char, 32> digest{};
        unsigned int size = 0;
        if (EVP_Digest(Phrase.data(), Phrase.size(), digest.data(), &size, EVP_sha256(), nullptr) != 1 ||
            size != digest.size())
            return std::optional<std::array<unsigned char, 32>>{};
        return std::optional<std::array<unsigned char, 32>>{digest};
    }();
    return key ? key->data() : nullptr;
}

struct CipherCtxFree {
    void operator()(EVP_CIPHER_CTX* ctx) const { EVP_CIPHER_CTX_free(ctx); }
};
using CipherCtx = std::unique_ptr<EVP_CIPHER_CTX, CipherCtxFree>;

constexpr std::string_view Base64UrlChars = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";

std::string ToBase64Url(const Bytes& data)
{
    std::string text;
    text.reserve(Base64UrlLength(data.size()));
    std::size_t i = 0;
    for (; i + 3 <= data.size(); i += 3) {
        const std::uint32_t v = (data[i] << 16) | (data[i + 1] << 8) | data[i + 2];
        for (int shift = 18; shift >= 0; shift -= 6)
            text += Base64UrlChars[(v >> shift) & 0x3F];
    }
    const std::size_t rest = data.size() - i;
    if (rest == 1) {
        const std::uint32_t v = data[i] << 16;
        text += Base64UrlChars[(v >> 18) & 0x3F];
        text += Base64UrlChars[(v >> 12) & 0x3F];
    } else if (rest == 2) {
        const std::uint32_t v = (data[i] << 16) | (data[i + 1] << 8);
        text += Base64UrlChars[(v >> 18) & 0x3F];
        text += Base64UrlChars[(v >> 12) & 0x3F];
        text += Base64UrlChars[(v >> 6) & 0x3F];
    }
    return text;
}

// Strict: only base64url characters, no padding, and the unused low bits of
// the last character zero, so each byte sequence has exactly one text.
std::optional<Bytes> FromBase64Url(std::string_view text)
{
    if (text.size() % 4 == 1)
        return std::nullopt;
    Bytes data;
    data.reserve(text.size() * 3 / 4);
    std::uint32_t acc = 0;
    int bits = 0;
    for (const char c : text) {
        const std::size_t v = Base64UrlChars.find(c);
        if (v == std::string_view::npos)
            return std::nullopt;
        acc = (acc << 6) | static_cast<std::uint32_t>(v);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            data.push_back(static_cast<unsigned char>((acc >> bits) & 0xFF));
        }
    }
    if ((acc & ((1u << bits) - 1)) != 0)
        return std::nullopt;
    return data;
}

bool IsBlank(char c)
{
    return static_cast<unsigned char>(c) <= 0x20;
}

std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// Outcome of one direction: the output text, or the reason it failed.
struct Outcome {
    std::string text;
    const char* error = nullptr;
};

Outcome Fail(const char* reason)
{
    return Outcome{{}, reason};
}

Outcome Encode(std::string_view plain)
{
    if (plain.find('\0') != std::string_view::npos)
        return Fail("text contains a zero byte");
    if (plain.size() > StringCipherMaxPlainBytes)
        return Fail("text too long");

    Bytes blob(Overhead + plain.size());
    blob[0] = FormatByte;
    unsigned char* nonce = blob.data() + 1;
    unsigned char* body = nonce + NonceSize;
    unsigned char* tag = body + plain.size();
    if (RAND_bytes(nonce, static_cast<int>(NonceSize)) != 1)
        return Fail("no random nonce");

    const unsigned char* key = ProgramKey();
    const CipherCtx ctx(EVP_CIPHER_CTX_new());
    int len = 0;
    if (key == nullptr || !ctx || EVP_EncryptInit_ex(ctx.get(), EVP_aes_256_gcm(), nullptr, key, nonce) != 1 ||
        EVP_EncryptUpdate(ctx.get(), nullptr, &len, blob.data(), 1) != 1)
        return Fail("cipher failure");
    if (!plain.empty() && EVP_EncryptUpdate(ctx.get(), body, &len, reinterpret_cast<const unsigned char*>(plain.data()),
                                            static_cast<int>(plain.size())) != 1)
        return Fail("cipher failure");
    if (EVP_EncryptFinal_ex(ctx.get(), body + plain.size(), &len) != 1 ||
        EVP_CIPHER_CTX_ctrl(ctx.get(), EVP_CTRL_GCM_GET_TAG, static_cast<int>(TagSize), tag) != 1)
        return Fail("cipher failure");
    return Outcome{ToBase64Url(blob), nullptr};
}

Outcome Decode(std::string_view coded)
{
    coded = TrimBlanks(coded);
    if (coded.size() > MaxCodedChars)
        return Fail("not a coded text");
    const std::optional<Bytes> blob = FromBase64Url(coded);
    if (!blob || blob->size() < Overhead || (*blob)[0] != FormatByte)
        return Fail("not a coded text");

    const unsigned char* nonce = blob->data() + 1;
    const unsigned char* body = nonce + NonceSize;
    const std::size_t bodySize = blob->size() - Overhead;
    std::array<unsigned char, TagSize> tag{};
    std::copy_n(body + bodySize, TagSize, tag.begin());

    Bytes plain(bodySize + 1);  // + 1: a final call may write nothing, but never pass a null buffer
    const unsigned char* key = ProgramKey();
    const CipherCtx ctx(EVP_CIPHER_CTX_new());
    int len = 0;
    if (key == nullptr || !ctx || EVP_DecryptInit_ex(ctx.get(), EVP_aes_256_gcm(), nullptr, key, nonce) != 1 ||
        EVP_DecryptUpdate(ctx.get(), nullptr, &len, blob->data(), 1) != 1)
        return Fail("cipher failure");
    if (bodySize > 0 && EVP_DecryptUpdate(ctx.get(), plain.data(), &len, body, static_cast<int>(bodySize)) != 1)
        return Fail("cipher failure");
    if (EVP_CIPHER_CTX_ctrl(ctx.get(), EVP_CTRL_GCM_SET_TAG, static_cast<int>(TagSize), tag.data()) != 1)
        return Fail("cipher failure");
    if (EVP_DecryptFinal_ex(ctx.get(), plain.data() + bodySize, &len) != 1)
        return Fail("coded text does not verify");

    std::string text(reinterpret_cast<const char*>(plain.data()), bodySize);
    // Only a text coded under our key gets here, and encoding refuses zero
    // bytes; still the result must read back whole up to its first zero.
    if (text.find('\0') != std::string::npos)
        return Fail("text contains a zero byte");
    return Outcome{std::move(text), nullptr};
}

// Copies a text and its zero byte into a buffer, cutting at the buffer's
// last byte (only a reason text could ever need that).
void Put(std::span<char, StringCipherBufferSize> buffer, std::string_view text)
{
    const std::size_t n = std::min(text.size(), buffer.size() - 1);
    std::copy_n(text.data(), n, buffer.data());
    buffer[n] = '\0';
}

}  // namespace

int StringCipher(std::string_view text, std::string_view mode, std::span<char, StringCipherBufferSize> result,
                 std::span<char, StringCipherBufferSize> detail)
{
    std::fill(result.begin(), result.end(), '\0');
    std::fill(detail.begin(), detail.end(), '\0');

    Outcome outcome;
    if (mode == StringCipherEncodeMode)
        outcome = Encode(text);
    else if (mode == StringCipherDecodeMode)
        outcome = Decode(text);
    else
        outcome = Fail("unknown mode");

    if (outcome.error != nullptr || outcome.text.size() > MaxCodedChars) {
        Put(detail, outcome.error != nullptr ? outcome.error : "cipher failure");
        return 0;
    }
    Put(result, outcome.text);
    return 1;
}
