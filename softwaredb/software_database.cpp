#include "software_database.h"

#include "base/errors.h"
#include "files/file_io.h"

#include <cstdlib>
#include <system_error>

namespace softwaredb {

namespace {

// The installed database is about 1.2 MB; anything far larger is not one.
constexpr std::uintmax_t largestDatabase = 64u << 20;
// The largest MSX cartridges hold a few megabytes.
constexpr std::uintmax_t largestRom = 64u << 20;

std::optional<std::string> readDatabase(const std::filesystem::path& path)
{
    try {
        fileio::Prefix text = fileio::readRegular(path.string(), largestDatabase);
        if (text.cut)
            return std::nullopt;
        return std::move(text.bytes);
    } catch (const VeldrunError&) {
        return std::nullopt;
    }
}

} // namespace

std::filesystem::path userDatabasePath()
{
    if (const char* home = std::getenv("OPENMSX_HOME"); home && *home)
        return std::filesystem::path(home) / "share/softwaredb.xml";
    if (const char* home = std::getenv("HOME"); home && *home)
        return std::filesystem::path(home) / ".openMSX/share/softwaredb.xml";
    return {};
}

Database::Database(std::filesystem::path path, std::filesystem::path userPath)
    : path(std::move(path)), userPath(std::move(userPath))
{
}

const Database& Database::installed()
{
    static const Database database;
    return database;
}

std::optional<Software> Database::find(std::string_view sha1) const
{
    std::call_once(loaded, [this] {
        if (auto text = readDatabase(path))
            table = Table::parse(*text);
        // The system's entry for a dump stays first; the user's own adds what it lacks.
        if (auto text = userPath.empty() ? std::nullopt : readDatabase(userPath))
            table.merge(Table::parse(*text));
    });
    if (const Software* software = table.find(sha1))
        return *software;
    return std::nullopt;
}

Identity Database::identify(const std::filesystem::path& rom) const
{
    Identity identity;
    if (auto sha1 = sha1OfFile(rom, largestRom)) {
        identity.sha1 = std::move(*sha1);
        identity.known = find(identity.sha1);
    }
    return identity;
}

} // namespace softwaredb
