#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// Reads openMSX's software database: for a ROM image its SHA-1 and, when the database holds that
// dump, the title, maker, year and mapper type. A database that is missing, unreadable or malformed
// knows nothing; no look-up ever fails because of it.
namespace softwaredb {

inline constexpr std::string_view installedPath = "/usr/share/openmsx/softwaredb.xml";

struct Software {
    std::string title;
    std::string company;
    std::string year;
    std::string type; // openMSX's mapper type ("KonamiSCC"); empty for a plain ROM that names none
    bool megaRom = false;
    std::string system; // "MSX", "COLECOVISION", "SVI"; empty when the entry names none
};

struct Identity {
    std::string sha1;              // 40 lower-case hex digits; empty when the file cannot be read
    std::optional<Software> known; // what the database says about this dump
};

// The dumps of a database text, by SHA-1 (lower case). Malformed text gives an empty table.
class Table {
  public:
    static Table parse(std::string_view xml);
    // Adds the dumps of another database text that this one does not hold yet.
    void merge(const Table& other);
    const Software* find(std::string_view sha1) const;
    std::size_t size() const { return bySha1.size(); }

  private:
    std::vector<Software> dumps;
    std::unordered_map<std::string, std::size_t> bySha1;
};

// The user's own database in openMSX's user folder (OPENMSX_HOME or ~/.openMSX), or empty.
std::filesystem::path userDatabasePath();

class Database {
  public:
    // The program's database is the installed one, then the user's own; other paths are for tests.
    explicit Database(std::filesystem::path path = std::filesystem::path(installedPath),
                      std::filesystem::path userPath = userDatabasePath());
    static const Database& installed();

    // The first look-up reads the file; later ones, from any thread, only search.
    std::optional<Software> find(std::string_view sha1) const;
    Identity identify(const std::filesystem::path& rom) const;

  private:
    std::filesystem::path path;
    std::filesystem::path userPath;
    mutable std::once_flag loaded;
    mutable Table table;
};

// SHA-1 of a regular file up to `maxBytes` long, or nothing (missing, unreadable, a FIFO, too big).
std::optional<std::string> sha1OfFile(const std::filesystem::path& file, std::uintmax_t maxBytes);

// False for a dump the database lists for another system (ColecoVision, SVI).
bool runsOnMsx(const Software& software);

// How the user knows the software's system: "ColecoVision".
std::string_view systemName(const Software& software);

// The index of the front-end's mapper item (0 to 5) that fits an openMSX type, or -1.
int mapperItemFor(std::string_view openMsxType);

// The front-end's six mapper items, trailing blanks included.
std::string_view mapperItemText(int index);

// "Gradius 2 - Nemesis 2, Konami 1987, mapper Konami5 8kB (SCC)".
std::string describe(const Software& software);

} // namespace softwaredb
