#pragma once

#include <memory>
#include <string>

namespace Orvane::RSS {

// One item of a device's feed, every field as received.
class Item
{
public:
    Item(const std::string& title, const std::string& description, const std::string& category, const std::string& guid,
         const std::string& pub);
    Item(const Item& other);
    Item& operator=(const Item& other);
    ~Item();

    const std::string& GetTitle() const;
    // The document link, possibly empty.
    const std::string& GetDescription() const;
    const std::string& GetCategory() const;
    // Identifies the document on the device.
    const std::string& GetGuid() const;
    // An RFC 822 date-time.
    const std::string& GetPub() const;

private:
    struct Pimpl;
    std::unique_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::RSS
