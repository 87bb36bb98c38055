#include "DeviceState.hpp"

#include "DocumentContent.hpp"
#include "FeedClock.hpp"
#include "Signaller.hpp"

#include <algorithm>
#include <stdexcept>

using nlohmann::json;

namespace OrvaneDevSim {

namespace {

std::string text(const json& desc, const char* key, const std::string& fallback)
{
    if (!desc.contains(key))
        return fallback;
    if (!desc.at(key).is_string())
        throw std::invalid_argument(std::string("\"") + key + "\" must be a string");
    return desc.at(key).get<std::string>();
}

bool flag(const json& desc, const char* key, bool fallback)
{
    if (!desc.contains(key))
        return fallback;
    if (!desc.at(key).is_boolean())
        throw std::invalid_argument(std::string("\"") + key + "\" must be true or false");
    return desc.at(key).get<bool>();
}

json documentJson(const Document& document)
{
    return {{"id", document.id},
            {"title", document.title},
            {"category", document.category},
            {"contentType", document.contentType},
            {"size", document.content.size()},
            {"pubDate", document.pubDate},
            {"read", document.read},
            {"printCount", document.printCount}};
}

json accountJson(const Account& account)
{
    json documents = json::array();
    for (const Document& document : account.documents)
        documents.push_back(documentJson(document));
    json subscribers = json::array();
    for (const Subscription& subscriber : account.subscribers)
        subscribers.push_back({{"address", subscriber.address}, {"port", subscriber.port}});
    return {{"id", account.id},
            {"password", account.password},
            {"displayName", account.displayName},
            {"lastBuildDate", account.lastBuildDate},
            {"documents", documents},
            {"subscribers", subscribers}};
}

} // namespace

DeviceState::DeviceState(Signaller& signaller)
    : m_signaller(signaller)
{ }

json DeviceState::demoConfig()
{
    return {{"machine", {{"name", "Orvane Demo MFP"}}},
            {"accounts", json::array({{{"id", "demo"}, {"password", "demo"}, {"displayName", "Demo"}}})}};
}

void DeviceState::load(const json& config)
{
    if (!config.is_object())
        throw std::invalid_argument("the configuration must be a JSON object");
    const json machine = config.value("machine", json::object());
    std::lock_guard<std::mutex> lock(m_mutex);
    m_machine = Machine {text(machine, "name", "Orvane Device"), flag(machine, "securityPolicy", false),
                         flag(machine, "guestLogin", false)};
    m_accounts.clear();
    for (const json& desc : config.value("accounts", json::array()))
        loadAccount(desc);
}

void DeviceState::loadAccount(const json& desc)
{
    Account account;
    account.id = text(desc, "id", "");
    if (account.id.empty() || find(account.id))
        throw std::invalid_argument("every account needs a distinct non-empty \"id\"");
    account.password = text(desc, "password", "");
    account.displayName = text(desc, "displayName", account.id);
    account.lastBuildDate = FeedClock::now();
    m_accounts.push_back(account);
    // Added one by one so that duplicate ids within the account are caught as well.
    for (const json& document : desc.value("documents", json::array()))
        m_accounts.back().documents.push_back(makeDocument(document));
}

Document DeviceState::makeDocument(const json& desc)
{
    Document document;
    document.id = text(desc, "id", "");
    while (document.id.empty() || (!desc.contains("id") && findDocumentLocked(document.id)))
        document.id = "DOC" + std::to_string(m_nextDocument++);
    if (findDocumentLocked(document.id))
        throw std::invalid_argument("document id \"" + document.id + "\" is already in use");
    document.title = text(desc, "title", "Document " + document.id);
    document.category = text(desc, "category", "Scan");
    document.contentType = text(desc, "contentType", "application/pdf");
    document.pubDate = text(desc, "pubDate", FeedClock::now());
    document.read = flag(desc, "read", false);
    document.content = desc.contains("content") ? text(desc, "content", "")
                                                : DocumentContent::placeholder(document.contentType, document.title);
    return document;
}

Machine DeviceState::machine() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_machine;
}

void DeviceState::changeMachine(const json& changes)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_machine
        = Machine {text(changes, "name", m_machine.name), flag(changes, "securityPolicy", m_machine.securityPolicy),
                   flag(changes, "guestLogin", m_machine.guestLogin)};
}

std::vector<Account> DeviceState::accounts() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_accounts;
}

std::optional<Account> DeviceState::account(const std::string& id) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const Account* found = find(id);
    return found ? std::optional<Account>(*found) : std::nullopt;
}

bool DeviceState::checkPassword(const std::string& account, const std::string& password) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const Account* found = find(account);
    return found && found->password == password;
}

bool DeviceState::renameAccount(const std::string& account, const std::string& displayName)
{
    std::vector<Subscription> toSignal;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        Account* found = find(account);
        if (!found)
            return false;
        found->displayName = displayName;
        toSignal = feedChanged(*found); // the channel title shows the display name
    }
    m_signaller.notify(toSignal);
    return true;
}

std::string DeviceState::addDocument(const json& desc)
{
    std::vector<Subscription> toSignal;
    std::string id;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        Account* owner = find(text(desc, "account", ""));
        if (!owner)
            throw std::invalid_argument("no such account: " + text(desc, "account", ""));
        owner->documents.push_back(makeDocument(desc));
        id = owner->documents.back().id;
        toSignal = feedChanged(*owner);
    }
    m_signaller.notify(toSignal);
    return id;
}

bool DeviceState::deleteDocument(const std::string& id)
{
    std::vector<Subscription> toSignal;
    bool deleted = false;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        for (Account& account : m_accounts) {
            auto& documents = account.documents;
            const auto found
                = std::find_if(documents.begin(), documents.end(), [&](const Document& d) { return d.id == id; });
            if (found != documents.end()) {
                documents.erase(found);
                deleted = true;
                toSignal = feedChanged(account);
                break;
            }
        }
    }
    m_signaller.notify(toSignal);
    return deleted;
}

std::optional<DeviceState::OwnedDocument> DeviceState::findDocument(const std::string& id) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    for (const Account& account : m_accounts)
        for (const Document& document : account.documents)
            if (document.id == id)
                return OwnedDocument {account.id, document};
    return std::nullopt;
}

void DeviceState::markRead(const std::string& id)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (Document* document = findDocumentLocked(id))
        document->read = true;
}

void DeviceState::markPrinted(const std::string& id)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (Document* document = findDocumentLocked(id))
        ++document->printCount;
}

void DeviceState::subscribe(const std::string& account, const Subscription& subscriber)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    Account* found = find(account);
    if (!found)
        return;
    auto& list = found->subscribers;
    const bool known = std::any_of(list.begin(), list.end(), [&](const Subscription& s) {
        return s.address == subscriber.address && s.port == subscriber.port;
    });
    if (!known)
        list.push_back(subscriber);
}

bool DeviceState::unsubscribe(const std::string& account, const std::string& address)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    Account* found = find(account);
    if (!found)
        return false;
    auto& list = found->subscribers;
    const auto kept
        = std::remove_if(list.begin(), list.end(), [&](const Subscription& s) { return s.address == address; });
    const bool removed = kept != list.end();
    list.erase(kept, list.end());
    return removed;
}

json DeviceState::toJson() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    json accounts = json::array();
    for (const Account& account : m_accounts)
        accounts.push_back(accountJson(account));
    return {{"machine",
             {{"name", m_machine.name},
              {"securityPolicy", m_machine.securityPolicy},
              {"guestLogin", m_machine.guestLogin}}},
            {"accounts", accounts},
            {"signalsSent", m_signaller.sentCount()}};
}

Account* DeviceState::find(const std::string& id)
{
    const auto found = std::find_if(m_accounts.begin(), m_accounts.end(), [&](const Account& a) { return a.id == id; });
    return found == m_accounts.end() ? nullptr : &*found;
}

const Account* DeviceState::find(const std::string& id) const
{
    return const_cast<DeviceState*>(this)->find(id);
}

Document* DeviceState::findDocumentLocked(const std::string& id)
{
    for (Account& account : m_accounts)
        for (Document& document : account.documents)
            if (document.id == id)
                return &document;
    return nullptr;
}

std::vector<Subscription> DeviceState::feedChanged(Account& account)
{
    account.lastBuildDate = FeedClock::now();
    return account.subscribers;
}

} // namespace OrvaneDevSim
