#pragma once

#include <string>
#include <vector>

namespace Orvane::MonitoredEntry {

// Turns account passwords into cipher text for storage and back. The cipher text is a random
// nonce followed by an authenticated secret box, so each encryption of the same text differs.
class PasswordCodec
{
public:
    // The key every stored password is sealed with.
    static constexpr char Key[] = "REDUVEZIZO";

    // Result codes of the cipher, mapped to exceptions by the operations below.
    enum Result {
        Success = 0,
        OutOfMemory = 1, // std::bad_alloc
        CryptFailure = 100, // kestle::fatal_error with the message "md5 crypt failure."
        Failure = 999 // kestle::fatal_error without a message
    };

    static std::vector<unsigned char> Encrypt(const std::wstring& plain, const std::string& key = Key);

    // An empty vector is the empty password. Cipher text that was not sealed with this key, or was
    // changed since, fails with CryptFailure; cipher text too short or not holding UTF-16 text, Failure.
    static std::wstring Decrypt(const std::vector<unsigned char>& data, const std::string& key = Key);
};

} // namespace Orvane::MonitoredEntry
