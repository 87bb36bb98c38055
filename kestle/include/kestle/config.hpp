#pragma once

// A set of named text values kept in a file of "key = value" lines. A derived class declares the
// path, the format version and every key with its default; load() reads the file, fills in what is
// missing and tells through the exception tree whether the file needs to be written back.

#include <boost/noncopyable.hpp>
#include <boost/shared_ptr.hpp>

#include <cstddef>
#include <map>
#include <string>
#include <vector>

namespace kestle {

template <class String>
class config : boost::noncopyable
{
    struct Pimpl;

public:
    typedef std::map<String, String> map_type;

    // Rewrites the values of an older format version into those of the next one.
    class converter
    {
    public:
        virtual ~converter() = default;
        virtual void operator()(map_type& values) const = 0;
    };
    typedef std::vector<boost::shared_ptr<const converter>> converter_list;

    // What the derived class declares. Every adder returns the definition, so calls chain.
    class definition
    {
    public:
        definition& path(const String& path);
        // Also records "VERSION" with the version text among the defaults.
        definition& version(double version);
        definition& add(const String& key, const String& value);
        definition& add_integer(const String& key, long long value);
        definition& add_boolean(const String& key, bool value);
        // Files of version `from` are read through `converters`, in order.
        definition& add_conversion(double from, const converter_list& converters);

    private:
        friend class config;
        explicit definition(Pimpl& state);
        Pimpl& m_state;
    };

    // Files larger than this are refused unread: the program writes a few kilobytes, and a larger
    // file would only make the reader allocate without need.
    static constexpr std::size_t max_file_size = 64 * 1024;

    virtual ~config();

    // Raises kestle::open_file_failure, kestle::nonsupport_version, kestle::convertible_version,
    // kestle::defective_config or the option library's syntax error; see config.cpp for which leave
    // complete values behind.
    void load();
    // Writes the values to the file; with `backup` the previous file is kept as the ".bak" file.
    void save(bool backup) const;

    // The text of a declared key; asking for any other key raises kestle::logic_error.
    String& value(const String& key);
    const String& value(const String& key) const;

protected:
    config();

    // Declares the path, the version and the keys. Called by every load() on a fresh definition.
    virtual void define(definition& declared) = 0;

private:
    boost::shared_ptr<Pimpl> m_pimpl;
};

} // namespace kestle
