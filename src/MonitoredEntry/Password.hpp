#pragma once

#include <memory>
#include <string>
#include <vector>

namespace Orvane::MonitoredEntry {

// An account password, held only as cipher text.
class Password
{
public:
    using Data = std::vector<unsigned char>;

    // The empty password.
    Password();
    // Encrypts the text; raises what PasswordCodec raises.
    explicit Password(const std::wstring& plain);
    Password(const Password& other);
    Password& operator=(const Password& other);
    ~Password();

    const Data& GetData() const;
    void SetData(const Data& data);

    // Decrypts; raises what PasswordCodec raises.
    std::wstring GetPlainText() const;

    // At most 28 characters, all below U+0080. Cipher text that does not decrypt is not valid.
    bool IsValid() const;

    // Equal cipher text, or cipher texts of the same password: each encryption draws a new nonce,
    // so entering the same password again must not make the account look changed.
    bool operator==(const Password& other) const;
    bool operator!=(const Password& other) const;

private:
    struct Pimpl;
    std::unique_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::MonitoredEntry
