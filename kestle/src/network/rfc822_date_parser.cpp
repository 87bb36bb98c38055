// GCC's optimiser (notably with sanitizers) takes the empty optional of a failed Spirit match for an
// uninitialised read; the value is never read on that path.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif

#include "kestle/network/rfc822_date_parser.hpp"

#include "kestle/network/rfc822_date_grammar.hpp"

namespace kestle::network {

namespace {

using scanner_t = boost::spirit::classic::scanner<
    const char*, boost::spirit::classic::scanner_policies<boost::spirit::classic::skipper_iteration_policy<>>>;

boost::optional<int> present(int value)
{
    return value < 0 ? boost::none : boost::make_optional(value);
}

} // namespace

// The grammar's rules are built once here and reused by every parse. They are not reached through
// grammar::parse, whose per-thread definition cache is freed by whichever thread drops the last
// copy of the parser and so races with parses of other parsers on the thread that built it.
class rfc822_date_parser::Pimpl
{
public:
    Pimpl()
        : grammar(result)
        , rules(grammar)
    { }
    Pimpl(const Pimpl&) = delete;
    Pimpl& operator=(const Pimpl&) = delete;

    bool parse(const std::string& text)
    {
        result = rfc822_date_grammar::fields();
        const char* first = text.data();
        const char* const last = first + text.size();
        scanner_t scan(first, last);
        // The skipper runs before tokens only, so trailing white space is left over and fails the match.
        const bool success = rules.start().parse(scan) && first == last;
        if (!success)
            result = rfc822_date_grammar::fields();
        return success;
    }

    rfc822_date_grammar::fields result;

private:
    rfc822_date_grammar grammar;
    rfc822_date_grammar::definition<scanner_t> rules;
};

rfc822_date_parser::rfc822_date_parser()
    : m_pimpl(std::make_shared<Pimpl>())
{ }

bool rfc822_date_parser::parse(const std::string& text)
{
    return m_pimpl->parse(text);
}

boost::optional<int> rfc822_date_parser::day_of_week() const
{
    return present(m_pimpl->result.day_of_week);
}

int rfc822_date_parser::day() const
{
    return m_pimpl->result.day;
}

int rfc822_date_parser::month() const
{
    return m_pimpl->result.month;
}

int rfc822_date_parser::year() const
{
    return m_pimpl->result.year;
}

int rfc822_date_parser::hours() const
{
    return m_pimpl->result.hours;
}

int rfc822_date_parser::minutes() const
{
    return m_pimpl->result.minutes;
}

boost::optional<int> rfc822_date_parser::seconds() const
{
    return present(m_pimpl->result.seconds);
}

std::string rfc822_date_parser::zone() const
{
    return m_pimpl->result.zone;
}

} // namespace kestle::network
