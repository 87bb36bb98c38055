// Cost of splitting typical feed dates: with and without the day name and the seconds, with numeric
// and named zones. "Reused" is an event monitor's steady state; "Fresh" pays for building the grammar.
#include "kestle/network/rfc822_date_parser.hpp"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

const std::vector<std::string>& feedDates()
{
    static const std::vector<std::string> dates {"Tue, 09 Dec 2008 10:20:30 +0900", "9 Dec 2008 10:20 GMT",
                                                 "Wed, 10 Dec 2008 23:59 -0500",    "11 Dec 2008 07:05:00 Z",
                                                 "Thu, 11 Dec 2008 07:05:00 EST",   "Fri,12Dec2008 00:00 Z"};
    return dates;
}

void Rfc822DateReusedParser(benchmark::State& state)
{
    kestle::network::rfc822_date_parser parser;
    const auto& dates = feedDates();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(parser.parse(dates[i]));
        i = (i + 1) % dates.size();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(Rfc822DateReusedParser);

void Rfc822DateFreshParser(benchmark::State& state)
{
    const auto& dates = feedDates();
    std::size_t i = 0;
    for (auto _ : state) {
        kestle::network::rfc822_date_parser parser;
        benchmark::DoNotOptimize(parser.parse(dates[i]));
        i = (i + 1) % dates.size();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(Rfc822DateFreshParser);

} // namespace
