// Analysing a device feed of 1,000 items, each with the usual thumbnail table in its description,
// alone and with the parse of its bytes. With ORVANE_BENCH_FEED_FILE set, the feed's bytes are
// written there first, for a peer to read the same.
#include "HTTP/Parser.hpp"
#include "QX/AnalyzeRSSFeed.hpp"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <string>

namespace {

std::string Feed(int items)
{
    std::string feed = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<rss version=\"2.0\"><channel><title>Alice</title>"
                       "<link>http://127.0.0.1/orvane.htm</link><description>Documents</description>"
                       "<lastBuildDate>Tue, 09 Dec 2008 10:20:00 GMT</lastBuildDate>";
    for (int i = 0; i < items; ++i) {
        const std::string id = "doc" + std::to_string(i);
        const std::string thumbnail = "http://127.0.0.1/thumbnail.jpg?DC=" + id;
        feed += "<item><title>Scan " + id + "</title><link>http://127.0.0.1/orvane.htm?IFM=1&amp;DC=" + id
            + "</link><description>&lt;table border=\"0\"&gt;&lt;tbody&gt;&lt;tr&gt;&lt;td&gt;&lt;a href=\"" + thumbnail
            + "\"&gt;&lt;img src=\"" + thumbnail
            + "\" width=\"48\" height=\"64\" alt=\"\"&gt;&lt;/a&gt;&lt;/td&gt;&lt;td&gt;Scan " + id
            + "&lt;/td&gt;&lt;/tr&gt;&lt;/tbody&gt;&lt;/table&gt;</description><category>Scan</category><guid>" + id
            + "</guid><pubDate>Tue, 09 Dec 2008 10:20:00 GMT</pubDate></item>\n";
    }
    return feed + "</channel></rss>\n";
}

void AnalyzeFeedOf1000Items(benchmark::State& state)
{
    const std::string text = Feed(1000);
    Orvane::HTTP::XML::Parser parser;
    if (!parser.Document().ParseXml(text.data(), text.size()))
        throw std::runtime_error("the benchmark feed does not parse");
    for (auto _ : state) {
        const auto feed = Orvane::QX::AnalyzeRSSFeed()(parser);
        benchmark::DoNotOptimize(feed->GetItemList().size());
    }
}
BENCHMARK(AnalyzeFeedOf1000Items)->Unit(benchmark::kMillisecond);

void ParseAndAnalyzeFeedOf1000Items(benchmark::State& state)
{
    const std::string text = Feed(1000);
    if (const char* file = std::getenv("ORVANE_BENCH_FEED_FILE"))
        std::ofstream(file, std::ios::binary) << text;
    for (auto _ : state) {
        Orvane::HTTP::XML::Parser parser;
        if (!parser.Document().ParseXml(text.data(), text.size()))
            throw std::runtime_error("the benchmark feed does not parse");
        const auto feed = Orvane::QX::AnalyzeRSSFeed()(parser);
        benchmark::DoNotOptimize(feed->GetItemList().size());
    }
}
BENCHMARK(ParseAndAnalyzeFeedOf1000Items)->Unit(benchmark::kMillisecond);

} // namespace
