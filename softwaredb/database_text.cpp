#include "software_database.h"

#include <pugixml.hpp>

#include <cctype>

namespace softwaredb {

namespace {

std::string lowerCase(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string childText(const pugi::xml_node& node, const char* name)
{
    return node.child(name).text().as_string();
}

} // namespace

Table Table::parse(std::string_view xml)
{
    Table table;
    pugi::xml_document doc;
    // Half a database would name some dumps and miss others: a text that does not parse names none.
    if (!doc.load_buffer(xml.data(), xml.size(), pugi::parse_default, pugi::encoding_utf8))
        return table;
    for (const auto& software : doc.child("softwaredb").children("software")) {
        Software entry{childText(software, "title"),
                       childText(software, "company"),
                       childText(software, "year"),
                       {},
                       false,
                       childText(software, "system")};
        for (const auto& dump : software.children("dump")) {
            for (const auto& rom : dump.children()) {
                const std::string_view kind = rom.name();
                if (kind != "rom" && kind != "megarom")
                    continue;
                const std::string sha1 = lowerCase(childText(rom, "hash"));
                if (sha1.empty())
                    continue;
                entry.type = childText(rom, "type");
                entry.megaRom = kind == "megarom";
                // The first entry of a dump wins, as a later duplicate is most likely a mistake.
                if (table.bySha1.emplace(sha1, table.dumps.size()).second)
                    table.dumps.push_back(entry);
            }
        }
    }
    return table;
}

void Table::merge(const Table& other)
{
    for (const auto& [sha1, index] : other.bySha1)
        if (bySha1.emplace(sha1, dumps.size()).second)
            dumps.push_back(other.dumps[index]);
}

const Software* Table::find(std::string_view sha1) const
{
    const auto it = bySha1.find(lowerCase(sha1));
    return it == bySha1.end() ? nullptr : &dumps[it->second];
}

} // namespace softwaredb
