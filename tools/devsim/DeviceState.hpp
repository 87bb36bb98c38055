#pragma once

#include "Account.hpp"
#include "Machine.hpp"

#include <nlohmann/json.hpp>

#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace OrvaneDevSim {

class Signaller;

// Everything the device knows: its settings, accounts, documents and feed subscribers. Safe to use
// from every server thread; each change to an account's feed signals that account's subscribers.
class DeviceState
{
public:
    struct OwnedDocument
    {
        std::string account;
        Document document;
    };

    explicit DeviceState(Signaller& signaller);

    // Replaces everything by the contents of a configuration document; std::invalid_argument when
    // it is malformed.
    void load(const nlohmann::json& config);
    static nlohmann::json demoConfig();

    Machine machine() const;
    void changeMachine(const nlohmann::json& changes);

    std::vector<Account> accounts() const;
    std::optional<Account> account(const std::string& id) const;
    bool checkPassword(const std::string& account, const std::string& password) const;
    bool renameAccount(const std::string& account, const std::string& displayName);

    // Appends a document to its account's feed and answers its id; std::invalid_argument for an
    // unknown account or a duplicate id.
    std::string addDocument(const nlohmann::json& desc);
    bool deleteDocument(const std::string& id);
    std::optional<OwnedDocument> findDocument(const std::string& id) const;
    void markRead(const std::string& id);
    void markPrinted(const std::string& id);

    void subscribe(const std::string& account, const Subscription& subscriber);
    // Drops every subscription the caller's address holds for the account; false when there was none.
    bool unsubscribe(const std::string& account, const std::string& address);

    nlohmann::json toJson() const;

private:
    Account* find(const std::string& id);
    const Account* find(const std::string& id) const;
    Document* findDocumentLocked(const std::string& id);
    Document makeDocument(const nlohmann::json& desc);
    void loadAccount(const nlohmann::json& desc);
    std::vector<Subscription> feedChanged(Account& account);

    Signaller& m_signaller;
    mutable std::mutex m_mutex;
    Machine m_machine;
    std::vector<Account> m_accounts;
    long m_nextDocument = 1;
};

} // namespace OrvaneDevSim
