// orvane-lrc: compiles a text table of translations into a language resource file, and shows a
// compiled file as a text table again.
#include "LrcFormat.hpp"
#include "TextTable.hpp"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <set>
#include <sstream>

using namespace OrvaneLrc;

namespace {

const char* const kUsage
    = "usage: orvane-lrc compile [--version A.B.C.D] [--charset N] [--require-ids FILE] TABLE OUT\n"
      "       orvane-lrc dump FILE\n";

class UsageError : public std::runtime_error
{
public:
    UsageError()
        : std::runtime_error(kUsage)
    { }
};

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error(path + ": cannot be read");
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::array<std::uint8_t, 4> parseVersion(const std::string& text)
{
    std::array<std::uint8_t, 4> version {};
    std::istringstream in(text);
    for (std::size_t i = 0; i < version.size(); ++i) {
        unsigned part = 0;
        if (!(in >> part) || part > 255 || (i + 1 < version.size() && in.get() != '.'))
            throw std::runtime_error("--version wants four numbers 0-255 joined by dots");
        version[i] = static_cast<std::uint8_t>(part);
    }
    if (in.peek() != std::char_traits<char>::eof())
        throw std::runtime_error("--version wants four numbers 0-255 joined by dots");
    return version;
}

// Every id of the program must be translated, and the table must not carry ids the program no longer
// has: either way the translation is out of step with the program.
void checkIds(const std::vector<LrcEntry>& entries, const std::string& idsFile)
{
    std::istringstream in(readFile(idsFile));
    std::set<std::uint32_t> wanted(std::istream_iterator<std::uint32_t>(in), {});
    std::set<std::uint32_t> given;
    for (const LrcEntry& entry : entries)
        given.insert(entry.id);
    std::string problems;
    for (std::uint32_t id : wanted)
        if (!given.count(id))
            problems += "  string " + std::to_string(id) + " has no translation\n";
    for (std::uint32_t id : given)
        if (!wanted.count(id))
            problems += "  string " + std::to_string(id) + " is not a string of the program\n";
    if (!problems.empty())
        throw std::runtime_error("the table does not match the program's strings:\n" + problems);
}

// Written beside the target and renamed, so a failed run never leaves a file that looks current.
void writeAtomically(const std::string& path, const std::string& bytes)
{
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())) || !out.flush())
            throw std::runtime_error(temporary + ": cannot be written");
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0)
        throw std::runtime_error(path + ": cannot be written");
}

int compile(const std::vector<std::string>& args)
{
    LrcTable table;
    std::string idsFile;
    std::vector<std::string> files;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const bool hasValue = i + 1 < args.size();
        if (args[i] == "--version" && hasValue)
            table.version = parseVersion(args[++i]);
        else if (args[i] == "--charset" && hasValue)
            table.charset = static_cast<std::uint32_t>(std::stoul(args[++i]));
        else if (args[i] == "--require-ids" && hasValue)
            idsFile = args[++i];
        else if (args[i].rfind("--", 0) == 0)
            throw UsageError();
        else
            files.push_back(args[i]);
    }
    if (files.size() != 2)
        throw UsageError();
    std::istringstream in(readFile(files[0]));
    table.entries = TextTable::Parse(in, files[0]);
    if (!idsFile.empty())
        checkIds(table.entries, idsFile);
    writeAtomically(files[1], LrcFormat::Encode(table));
    return 0;
}

int dump(const std::vector<std::string>& args)
{
    if (args.size() != 1)
        throw UsageError();
    const LrcTable table = LrcFormat::Decode(readFile(args[0]));
    std::cout << "# version " << +table.version[0] << '.' << +table.version[1] << '.' << +table.version[2] << '.'
              << +table.version[3] << ", character set " << table.charset << '\n';
    TextTable::Write(std::cout, table.entries);
    return std::cout.flush() ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[])
{
    const std::vector<std::string> args(argv + std::min(argc, 2), argv + argc);
    const std::string command = argc > 1 ? argv[1] : "";
    try {
        if (command == "compile")
            return compile(args);
        if (command == "dump")
            return dump(args);
        throw UsageError();
    } catch (const UsageError& error) {
        std::cerr << error.what();
        return 2;
    } catch (const std::exception& error) {
        std::cerr << "orvane-lrc: " << error.what() << '\n';
        return 1;
    }
}
