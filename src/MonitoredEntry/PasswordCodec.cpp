#include "MonitoredEntry/PasswordCodec.hpp"

#include "MonitoredEntry/Exceptions.hpp"

#include <sodium.h>

#include <cstdint>
#include <cstdlib>
#include <limits>
#include <new>

namespace Orvane::MonitoredEntry {

namespace {

// Heap bytes wiped before they are released, since they hold plain text or key material.
class SecretBuffer
{
public:
    SecretBuffer() = default;
    SecretBuffer(const SecretBuffer&) = delete;
    SecretBuffer& operator=(const SecretBuffer&) = delete;
    ~SecretBuffer() { Release(); }

    bool Allocate(std::size_t size)
    {
        Release();
        // malloc(0) may answer null, which would read as a failure.
        m_data = static_cast<unsigned char*>(std::malloc(size == 0 ? 1 : size));
        m_size = m_data ? size : 0;
        return m_data != nullptr;
    }
    unsigned char* Data() const { return m_data; }
    std::size_t Size() const { return m_size; }

private:
    void Release()
    {
        if (m_data)
            sodium_memzero(m_data, m_size);
        std::free(m_data);
        m_data = nullptr;
        m_size = 0;
    }

    unsigned char* m_data = nullptr;
    std::size_t m_size = 0;
};

constexpr std::size_t HeaderSize = crypto_secretbox_NONCEBYTES + crypto_secretbox_MACBYTES;
constexpr std::size_t CountMax = std::numeric_limits<std::uint32_t>::max();

int Initialise()
{
    static const int result = sodium_init();
    return result < 0 ? PasswordCodec::Failure : PasswordCodec::Success;
}

int DeriveKey(const std::string& text, SecretBuffer& key)
{
    if (!key.Allocate(crypto_secretbox_KEYBYTES))
        return PasswordCodec::OutOfMemory;
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    if (crypto_generichash(key.Data(), key.Size(), bytes, text.size(), nullptr, 0) != 0)
        return PasswordCodec::Failure;
    return PasswordCodec::Success;
}

bool IsScalarValue(wchar_t c)
{
    const auto value = static_cast<std::uint32_t>(c);
    return value <= 0x10FFFF && (value < 0xD800 || value > 0xDFFF);
}

void PutUnit(unsigned char*& out, std::uint32_t unit)
{
    *out++ = static_cast<unsigned char>(unit & 0xFF);
    *out++ = static_cast<unsigned char>(unit >> 8);
}

// The text as UTF-16LE code units, the form the cipher text has always held.
int EncodeUTF16LE(const std::wstring& text, SecretBuffer& out)
{
    std::size_t units = 0;
    for (wchar_t c : text) {
        if (!IsScalarValue(c))
            return PasswordCodec::Failure;
        units += static_cast<std::uint32_t>(c) > 0xFFFF ? 2 : 1;
    }
    if (!out.Allocate(units * 2))
        return PasswordCodec::OutOfMemory;
    unsigned char* cursor = out.Data();
    for (wchar_t c : text) {
        const auto value = static_cast<std::uint32_t>(c);
        if (value <= 0xFFFF) {
            PutUnit(cursor, value);
            continue;
        }
        PutUnit(cursor, 0xD800 + ((value - 0x10000) >> 10));
        PutUnit(cursor, 0xDC00 + ((value - 0x10000) & 0x3FF));
    }
    return PasswordCodec::Success;
}

int DecodeUTF16LE(const SecretBuffer& in, std::wstring& text)
{
    if (in.Size() % 2 != 0)
        return PasswordCodec::Failure;
    const unsigned char* bytes = in.Data();
    const std::size_t units = in.Size() / 2;
    auto unitAt = [bytes](std::size_t i) { return std::uint32_t(bytes[2 * i]) | std::uint32_t(bytes[2 * i + 1]) << 8; };
    for (std::size_t i = 0; i < units; ++i) {
        const std::uint32_t unit = unitAt(i);
        if (unit < 0xD800 || unit > 0xDFFF) {
            text.push_back(static_cast<wchar_t>(unit));
            continue;
        }
        const bool paired = unit < 0xDC00 && i + 1 < units && unitAt(i + 1) >= 0xDC00 && unitAt(i + 1) <= 0xDFFF;
        if (!paired)
            return PasswordCodec::Failure;
        text.push_back(static_cast<wchar_t>(0x10000 + ((unit - 0xD800) << 10) + (unitAt(++i) - 0xDC00)));
    }
    return PasswordCodec::Success;
}

// Seals the bytes under the key: a random nonce, then the authenticated box.
int Seal(const SecretBuffer& plain, const std::string& keyText, SecretBuffer& out)
{
    if (plain.Size() > CountMax - HeaderSize)
        return PasswordCodec::Failure;
    SecretBuffer key;
    if (const int result = DeriveKey(keyText, key))
        return result;
    if (!out.Allocate(HeaderSize + plain.Size()))
        return PasswordCodec::OutOfMemory;
    unsigned char* nonce = out.Data();
    randombytes_buf(nonce, crypto_secretbox_NONCEBYTES);
    if (crypto_secretbox_easy(nonce + crypto_secretbox_NONCEBYTES, plain.Data(), plain.Size(), nonce, key.Data()) != 0)
        return PasswordCodec::CryptFailure;
    return PasswordCodec::Success;
}

int Open(const std::vector<unsigned char>& data, const std::string& keyText, SecretBuffer& out)
{
    if (data.size() < HeaderSize || data.size() > CountMax)
        return PasswordCodec::Failure;
    SecretBuffer key;
    if (const int result = DeriveKey(keyText, key))
        return result;
    if (!out.Allocate(data.size() - HeaderSize))
        return PasswordCodec::OutOfMemory;
    const unsigned char* nonce = data.data();
    const unsigned char* box = nonce + crypto_secretbox_NONCEBYTES;
    if (crypto_secretbox_open_easy(out.Data(), box, data.size() - crypto_secretbox_NONCEBYTES, nonce, key.Data()) != 0)
        return PasswordCodec::CryptFailure;
    return PasswordCodec::Success;
}

[[noreturn]] void ThrowException(int code)
{
    switch (code) {
    case PasswordCodec::OutOfMemory:
        BOOST_THROW_EXCEPTION(std::bad_alloc());
    case PasswordCodec::CryptFailure:
        BOOST_THROW_EXCEPTION(kestle::fatal_error() << ErrorMessage("md5 crypt failure."));
    default:
        BOOST_THROW_EXCEPTION(kestle::fatal_error());
    }
}

void Check(int code)
{
    if (code != PasswordCodec::Success)
        ThrowException(code);
}

} // namespace

std::vector<unsigned char> PasswordCodec::Encrypt(const std::wstring& plain, const std::string& key)
{
    Check(Initialise());
    SecretBuffer units;
    Check(EncodeUTF16LE(plain, units));
    SecretBuffer cipher;
    Check(Seal(units, key, cipher));
    return std::vector<unsigned char>(cipher.Data(), cipher.Data() + cipher.Size());
}

std::wstring PasswordCodec::Decrypt(const std::vector<unsigned char>& data, const std::string& key)
{
    if (data.empty())
        return std::wstring();
    Check(Initialise());
    SecretBuffer units;
    Check(Open(data, key, units));
    std::wstring plain;
    plain.reserve(units.Size() / 2); // no reallocation leaves copies of the text behind
    const int result = DecodeUTF16LE(units, plain);
    if (result != Success)
        sodium_memzero(&plain[0], plain.size() * sizeof(wchar_t));
    Check(result);
    return plain;
}

} // namespace Orvane::MonitoredEntry
