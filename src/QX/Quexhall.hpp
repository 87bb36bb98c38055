#pragma once

#include "HTTP/Timeout.hpp"
#include "QX/MachineSettings.hpp"
#include "QX/MemoryImage.hpp"
#include "QX/User.hpp"
#include "QX/UserInfo.hpp"
#include "RSS/RSSFeed.hpp"

#include <memory>
#include <string>
#include <vector>

namespace Orvane::MonitoredEntry {
class MFP;
class User;
} // namespace Orvane::MonitoredEntry

namespace Orvane::QX {

// The client of one device's web service, made from the entry's device record for one action.
// Commands are XML documents posted to the device's cgi pages; document actions are GETs of its
// document page. Each operation has a form that takes its time-out set and a short form that reads
// the set from the current QX::Config. Accounts are sent by their ID (never their display name)
// and plain password, in the narrow character set.
//
// Failures: the HTTP:: exceptions of the transport pass through (HTTP::NoAuthority for 403,
// HTTP::ServerError for other statuses, HTTP::OpenFailure, HTTP::InvalidResponse ...); a failure
// RESULT raises its QX::ErrorResult class; an answer without an expected element, or with an
// unexpected value or RESULT, raises QX::InvalidResponse. Nothing partial is returned.
// One object is used by one thread at a time; each object has its own connection.
class Quexhall
{
public:
    // HTTP::Error when the device's host is no host name or address.
    explicit Quexhall(const MonitoredEntry::MFP& mfp);

    // Whether document actions ask the device to mark the document read ("ISR"); initially false.
    bool IsMarkAsRead() const;
    void SetMarkAsRead(bool markAsRead);

    std::unique_ptr<MachineSettings> GetMachineSettings() const;
    std::unique_ptr<MachineSettings> GetMachineSettings(const HTTP::Timeout& timeout) const;
    std::unique_ptr<UserInfo> GetUserInfo(const MonitoredEntry::User& user) const;
    std::unique_ptr<UserInfo> GetUserInfo(const MonitoredEntry::User& user, const HTTP::Timeout& timeout) const;
    // Numbered from 1 in the device's order.
    std::unique_ptr<std::vector<User>> GetUserList() const;
    std::unique_ptr<std::vector<User>> GetUserList(const HTTP::Timeout& timeout) const;

    // Asks the device to signal changes of the user's feed to the given local UDP port (the short
    // form: the configured PORT); answers the feed location for GetRSSFeed.
    std::wstring SubscribeToRSSFeed(const MonitoredEntry::User& user) const;
    std::wstring SubscribeToRSSFeed(int port, const MonitoredEntry::User& user, const HTTP::Timeout& timeout) const;
    void UnsubscribeToRSSFeed(const MonitoredEntry::User& user) const;
    void UnsubscribeToRSSFeed(const MonitoredEntry::User& user, const HTTP::Timeout& timeout) const;

    // QX::InvalidRSSFeed (and the analysis' other errors) when the answer is no usable feed.
    std::unique_ptr<RSS::RSSFeed> GetRSSFeed(const MonitoredEntry::User& user, const std::wstring& location);
    std::unique_ptr<RSS::RSSFeed> GetRSSFeed(const MonitoredEntry::User& user, const std::wstring& location,
                                             const HTTP::Timeout& timeout);
    // Only the path and query of the address are used: the thumbnail always comes from this device.
    std::unique_ptr<MemoryImage> GetThumbnail(const MonitoredEntry::User& user, const std::wstring& url);
    std::unique_ptr<MemoryImage> GetThumbnail(const MonitoredEntry::User& user, const std::wstring& url,
                                              const HTTP::Timeout& timeout);

    // Opens the device page in the browser: mode 3 its login, mode 4 the notified-items choice.
    void OpenWebPage(const MonitoredEntry::User& user, int mode) const;

    // Saves the document to path, first given the extension of its content type unless it already
    // ends in it (ignoring case; ".tiff" serves for ".tif" and ".jpg" for ".jpeg").
    void DownloadDocument(const MonitoredEntry::User& user, const std::wstring& documentId, std::wstring& path);
    void DownloadDocument(const MonitoredEntry::User& user, const std::wstring& documentId, std::wstring& path,
                          const HTTP::Timeout& timeout);
    // Starts a download and leaves the answer open for GetDocumentExtension and SaveDocument; the
    // object must live until then, and destroying it abandons the answer.
    void RequestDocument(const MonitoredEntry::User& user, const std::wstring& documentId);
    void RequestDocument(const MonitoredEntry::User& user, const std::wstring& documentId,
                         const HTTP::Timeout& timeout);
    // ".jpeg", ".pdf", ".tif", ".xml" or "" for the requested document's content type.
    std::wstring GetDocumentExtension() const;
    void SaveDocument(const std::wstring& path);

    void PrintDocument(const MonitoredEntry::User& user, const std::wstring& documentId);
    void PrintDocument(const MonitoredEntry::User& user, const std::wstring& documentId, const HTTP::Timeout& timeout);
    void DeleteDocument(const MonitoredEntry::User& user, const std::wstring& documentId);
    void DeleteDocument(const MonitoredEntry::User& user, const std::wstring& documentId, const HTTP::Timeout& timeout);

private:
    struct Pimpl;
    std::shared_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::QX
