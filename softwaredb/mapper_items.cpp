#include "software_database.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace softwaredb {

namespace {

constexpr std::array<std::string_view, 6> items{"Konami 8kB ", "Konami 16kB",    "Konami5 8kB  ",
                                                "Konami4 8kB", "ASCII 8kB     ", "ASCII 16kB"};

struct TypeRow {
    std::string_view openMsxType;
    int item;
    std::string_view shown; // what the user reads; empty: openMSX's own name
};

// openMSX's mapper types that one of the six items can run; openMSX compares them without case.
constexpr std::array<TypeRow, 19> typeRows{{
    {"KonamiSCC", 2, "Konami5 8kB (SCC)"},
    {"SCC", 2, "Konami5 8kB (SCC)"},
    {"Manbow2", 2, ""},
    {"Manbow2_2", 2, ""},
    {"RBSC_Flash_KonamiSCC", 2, ""},
    {"Konami", 3, "Konami4 8kB"},
    {"ASCII8", 4, "ASCII 8kB"},
    {"ASCII8SRAM2", 4, ""},
    {"ASCII8SRAM8", 4, ""},
    {"ASCII8SRAM32", 4, ""},
    {"KoeiSRAM8", 4, ""},
    {"KoeiSRAM32", 4, ""},
    {"Wizardry", 4, ""},
    {"ASCII16", 5, "ASCII 16kB"},
    {"ASCII16SRAM2", 5, ""},
    {"ASCII16SRAM8", 5, ""},
    {"GenericKonami", 0, "Konami 8kB (generic)"},
    {"8kB", 0, "Konami 8kB (generic)"},
    {"16kB", 1, "Konami 16kB (generic)"},
}};

bool sameWord(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

const TypeRow* rowFor(std::string_view type)
{
    if (sameWord(type, "Generic8kB"))
        type = "8kB";
    else if (sameWord(type, "Generic16kB"))
        type = "16kB";
    for (const auto& row : typeRows)
        if (sameWord(row.openMsxType, type))
            return &row;
    return nullptr;
}

// Plain ROMs are told apart only by where they sit in memory, which the mapper list does not ask.
bool plainRom(const Software& software)
{
    const std::string_view type = software.type;
    const auto startsWith = [&](std::string_view prefix) {
        return type.size() >= prefix.size() && sameWord(type.substr(0, prefix.size()), prefix);
    };
    return !software.megaRom &&
           (type.empty() || startsWith("normal") || startsWith("page") || startsWith("mirrored"));
}

// The database's other systems, as their users know them.
constexpr std::array<std::pair<std::string_view, std::string_view>, 2> systems{{
    {"COLECOVISION", "ColecoVision"},
    {"SVI", "Spectravideo SVI-318/328"},
}};

} // namespace

bool runsOnMsx(const Software& software)
{
    return software.system.empty() || sameWord(software.system, "MSX");
}

int mapperItemFor(std::string_view openMsxType)
{
    const TypeRow* row = rowFor(openMsxType);
    return row ? row->item : -1;
}

std::string_view mapperItemText(int index)
{
    return index >= 0 && index < static_cast<int>(items.size()) ? items[index] : std::string_view();
}

std::string_view systemName(const Software& software)
{
    for (const auto& [key, shown] : systems)
        if (sameWord(software.system, key))
            return shown;
    return software.system;
}

std::string describe(const Software& software)
{
    std::string out = software.title.empty() ? "untitled" : software.title;
    std::string made = software.company;
    if (!software.year.empty())
        made += (made.empty() ? "" : " ") + software.year;
    if (!made.empty())
        out += ", " + made;
    if (!runsOnMsx(software))
        return std::string(systemName(software)) + " software: it does not run on an MSX (" + out + ")";
    if (plainRom(software))
        return out + ", no mapper";
    if (software.type.empty())
        return out + ", mapper not named";
    const TypeRow* row = rowFor(software.type);
    if (!row)
        return out + ", mapper " + software.type + " (no matching item)";
    return out + ", mapper " + std::string(row->shown.empty() ? std::string_view(software.type) : row->shown);
}

} // namespace softwaredb
