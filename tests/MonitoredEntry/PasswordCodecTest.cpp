#include "MonitoredEntry/PasswordCodec.hpp"
#include "MonitoredEntry/Exceptions.hpp"

#include <boost/exception/get_error_info.hpp>

#include <gtest/gtest.h>
#include <sodium.h>

namespace {

using Orvane::MonitoredEntry::ErrorMessage;
using Orvane::MonitoredEntry::PasswordCodec;
using Bytes = std::vector<unsigned char>;

// The message a codec failure carries, or "" when it carries none; fails the test when nothing is thrown.
template <class Operation>
std::string fatalMessage(Operation operation)
{
    try {
        operation();
    } catch (const kestle::fatal_error& error) {
        const std::string* message = boost::get_error_info<ErrorMessage>(error);
        return message ? *message : std::string();
    }
    ADD_FAILURE() << "no kestle::fatal_error";
    return "<none>";
}

// Seals raw bytes the way the codec does, to build cipher text whose content the codec would never write.
Bytes sealRaw(const Bytes& plain)
{
    unsigned char key[crypto_secretbox_KEYBYTES];
    const std::string keyText = PasswordCodec::Key;
    crypto_generichash(key, sizeof key, reinterpret_cast<const unsigned char*>(keyText.data()), keyText.size(), nullptr,
                       0);
    Bytes out(crypto_secretbox_NONCEBYTES + crypto_secretbox_MACBYTES + plain.size());
    randombytes_buf(out.data(), crypto_secretbox_NONCEBYTES);
    crypto_secretbox_easy(out.data() + crypto_secretbox_NONCEBYTES, plain.data(), plain.size(), out.data(), key);
    return out;
}

TEST(PasswordCodec, RoundTripsAnyText)
{
    const std::wstring texts[] = {L"secret",
                                  L"",
                                  L"パスワード",
                                  L"日本語のパスワード123",
                                  L"\U00020BB7x",
                                  std::wstring(28, L'a'),
                                  std::wstring(1000, L'z')};
    for (const std::wstring& text : texts)
        EXPECT_EQ(text, PasswordCodec::Decrypt(PasswordCodec::Encrypt(text)));
}

TEST(PasswordCodec, EmptyInputs)
{
    EXPECT_EQ(L"", PasswordCodec::Decrypt(Bytes()));
    // The empty text is sealed like any other: the stored bytes are never empty.
    const Bytes sealed = PasswordCodec::Encrypt(L"");
    EXPECT_EQ(crypto_secretbox_NONCEBYTES + crypto_secretbox_MACBYTES, sealed.size());
    EXPECT_EQ(L"", PasswordCodec::Decrypt(sealed));
}

TEST(PasswordCodec, EachEncryptionDiffersAndHidesTheText)
{
    const Bytes first = PasswordCodec::Encrypt(L"secret");
    const Bytes second = PasswordCodec::Encrypt(L"secret");
    EXPECT_NE(first, second);
    const std::string asText(first.begin(), first.end());
    EXPECT_EQ(std::string::npos, asText.find("s\0e\0c", 0, 5));
}

TEST(PasswordCodec, WrongKeyOrChangedCipherTextIsACryptFailure)
{
    const Bytes sealed = PasswordCodec::Encrypt(L"secret");
    EXPECT_EQ("md5 crypt failure.", fatalMessage([&] { PasswordCodec::Decrypt(sealed, "OTHERKEY"); }));
    for (std::size_t at : {std::size_t(0), sealed.size() / 2, sealed.size() - 1}) {
        Bytes changed = sealed;
        changed[at] ^= 0x01;
        EXPECT_EQ("md5 crypt failure.", fatalMessage([&] { PasswordCodec::Decrypt(changed); })) << at;
    }
}

TEST(PasswordCodec, MalformedCipherTextIsAFailureWithoutMessage)
{
    const Bytes sealed = PasswordCodec::Encrypt(L"secret");
    const Bytes cases[] = {
        Bytes(1, 0x00), // shorter than nonce and tag
        Bytes(sealed.begin(), sealed.begin() + crypto_secretbox_NONCEBYTES + crypto_secretbox_MACBYTES - 1),
        sealRaw({'a', 0, 'b'}), // odd number of UTF-16 bytes
        sealRaw({0x00, 0xD8, 'a', 0}), // high surrogate without its low half
        sealRaw({0x00, 0xDC}), // lone low surrogate
    };
    for (const Bytes& data : cases)
        EXPECT_EQ("", fatalMessage([&] { PasswordCodec::Decrypt(data); }));
}

TEST(PasswordCodec, TextThatIsNotUnicodeIsRefused)
{
    for (wchar_t c : {wchar_t(0xD800), wchar_t(0xDFFF), wchar_t(0x110000)})
        EXPECT_EQ("", fatalMessage([&] { PasswordCodec::Encrypt(std::wstring(L"ab") + c); }));
}

TEST(PasswordCodec, StoresUTF16LittleEndianUnits)
{
    // Cipher text from another installation is read through the same unit layout.
    EXPECT_EQ(L"a\U0001F600", PasswordCodec::Decrypt(sealRaw({'a', 0, 0x3D, 0xD8, 0x00, 0xDE})));
}

} // namespace
