#pragma once

// BOOST_SPIRIT_THREADSAFE is set for every user of kestle (see its CMakeLists): grammar objects take
// their ids from a process-wide supply that must be locked when several threads create parsers.
#include <boost/spirit/include/classic_core.hpp>
#include <boost/spirit/include/classic_symbols.hpp>

#include <string>

namespace kestle::network {

// RFC 822 date-time with the four-digit year of RFC 1123:
//   [day ","] day month year hh:mm[:ss] zone
// White space may precede each token but nothing may follow the zone. Values are taken as written.
class rfc822_date_grammar : public boost::spirit::classic::grammar<rfc822_date_grammar>
{
public:
    // Absent values are -1.
    struct fields
    {
        int day_of_week = -1;
        int day = -1;
        int month = -1;
        int year = -1;
        int hours = -1;
        int minutes = -1;
        int seconds = -1;
        std::string zone;
    };

    using name_table = boost::spirit::classic::symbols<int>;

    // Matches write into out, which must outlive the grammar.
    explicit rfc822_date_grammar(fields& out);

    fields& out() const { return m_out; }

    // "Sun" 1 ... "Sat" 7 and "Jan" 1 ... "Dec" 12; built once, read-only afterwards.
    static const name_table& day_names();
    static const name_table& month_names();

    template <typename ScannerT>
    struct definition
    {
        explicit definition(const rfc822_date_grammar& self);

        const boost::spirit::classic::rule<ScannerT>& start() const { return date_time; }

        boost::spirit::classic::rule<ScannerT> date_time, day_of_week, date, time, zone;
    };

private:
    fields& m_out;
};

template <typename ScannerT>
rfc822_date_grammar::definition<ScannerT>::definition(const rfc822_date_grammar& self)
{
    using namespace boost::spirit::classic;
    fields& out = self.out();
    const uint_parser<int, 10, 1, 2> one_or_two_digits;
    const uint_parser<int, 10, 2, 2> two_digits;
    const uint_parser<int, 10, 4, 4> four_digits;

    // A day name not directly followed by "," is no day-of-week part; the date must start there.
    day_of_week = lexeme_d[day_names()[assign_a(out.day_of_week)] >> ch_p(',')];
    date
        = one_or_two_digits[assign_a(out.day)] >> month_names()[assign_a(out.month)] >> four_digits[assign_a(out.year)];
    time = lexeme_d[two_digits[assign_a(out.hours)] >> ':' >> two_digits[assign_a(out.minutes)]
                    >> !(':' >> two_digits[assign_a(out.seconds)])];
    zone = lexeme_d[(str_p("UT") | "GMT" | "EST" | "EDT" | "CST" | "CDT" | "MST" | "MDT" | "PST" | "PDT"
                     | (range_p('A', 'Z') - 'J') | ((ch_p('+') | '-') >> four_digits))][assign_a(out.zone)];
    date_time = !day_of_week >> date >> time >> zone;
}

} // namespace kestle::network
