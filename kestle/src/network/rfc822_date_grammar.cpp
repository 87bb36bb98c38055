#include "kestle/network/rfc822_date_grammar.hpp"

namespace kestle::network {

namespace {

rfc822_date_grammar::name_table makeTable(std::initializer_list<const char*> names)
{
    rfc822_date_grammar::name_table table;
    int value = 1;
    for (const char* name : names)
        table.add(name, value++);
    return table;
}

} // namespace

rfc822_date_grammar::rfc822_date_grammar(fields& out)
    : m_out(out)
{ }

const rfc822_date_grammar::name_table& rfc822_date_grammar::day_names()
{
    static const name_table table = makeTable({"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"});
    return table;
}

const rfc822_date_grammar::name_table& rfc822_date_grammar::month_names()
{
    static const name_table table
        = makeTable({"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"});
    return table;
}

} // namespace kestle::network
