#include "HTTP/ElementTable.hpp"

#include <array>

namespace Orvane::HTTP {

namespace {

constexpr std::array<const char*, ElementTable::Count> Names
    = {"A",          "CATEGORY",    "CHANNEL",     "COMMAND",  "COUNT",          "DESCRIPTION",
       "DETAILS",    "DISPLAYNAME", "ENCLOSURE",   "FEEDATOM", "FEEDRSS",        "GENERATOR",
       "GUESTLOGIN", "GUID",        "IMG",         "ITEM",     "LANGUAGE",       "LASTBUILDDATE",
       "LINK",       "LISTENPORT",  "MACHINENAME", "MFPID",    "PARAM",          "PASSWORD",
       "PUBDATE",    "REQUEST",     "RESPONSE",    "RESULT",   "SECURITYPOLICY", "TABLE",
       "TBODY",      "TD",          "TITLE",       "TR",       "USER",           "USERGROUP",
       "USERID",     "USERNAME"};

// ASCII only: the locale must not decide whether "title" is TITLE.
bool EqualIgnoringCase(const char* a, const char* b)
{
    const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; };
    for (; *a && *b; ++a, ++b)
        if (upper(*a) != upper(*b))
            return false;
    return *a == *b;
}

} // namespace

int ElementTable::IdOf(const std::string& name)
{
    for (int id = 0; id < Count; ++id)
        if (name == Names[id])
            return id;
    return Unknown;
}

int ElementTable::IdOfIgnoringCase(const char* name)
{
    if (!name)
        return Unknown;
    for (int id = 0; id < Count; ++id)
        if (EqualIgnoringCase(name, Names[id]))
            return id;
    return Unknown;
}

std::string ElementTable::NameOf(int id)
{
    return id >= 0 && id < Count ? Names[id] : std::string();
}

} // namespace Orvane::HTTP
