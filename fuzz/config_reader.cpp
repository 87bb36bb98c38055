// Feeds arbitrary bytes as a configuration file to load(). Only the exceptions the reader
// documents may come out; anything else, a crash or a runaway allocation is a finding.

#include "kestle/config.hpp"
#include "kestle/exception.hpp"

#include <boost/filesystem/operations.hpp>
#include <boost/program_options/errors.hpp>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>

namespace fs = boost::filesystem;

namespace {

class FuzzConfig : public kestle::config<std::string>
{
public:
    explicit FuzzConfig(const fs::path& path)
        : m_path(path.string())
    { }

private:
    void define(definition& declared) override
    {
        declared.path(m_path).version(1.0).add_integer("PORT", 61000).add_boolean("NOTICE", true).add("NAME", "x");
    }

    std::string m_path;
};

// One folder for the whole run, removed at exit.
struct Folder
{
    Folder()
        : path(fs::temp_directory_path() / fs::unique_path("fuzz-config-%%%%-%%%%"))
    {
        fs::create_directories(path);
    }
    ~Folder()
    {
        boost::system::error_code ignored;
        fs::remove_all(path, ignored);
    }
    const fs::path path;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const Folder folder;
    const fs::path file = folder.path / "config.dat";
    {
        std::ofstream out(file.string(), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    FuzzConfig config(file);
    try {
        config.load();
    } catch (const kestle::defective_config&) {
        config.save(true);
    } catch (const kestle::nonsupport_version&) {
    } catch (const kestle::open_file_failure&) {
        return 0;
    } catch (const boost::program_options::invalid_config_file_syntax&) {
        return 0;
    }
    // Whatever was read, every declared key has a value afterwards.
    config.value("PORT");
    config.value("NOTICE");
    config.value("NAME");
    return 0;
}
