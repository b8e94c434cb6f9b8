#include "software_database.h"

#include <gtest/gtest.h>

#include <fstream>

#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Hashes in upper case, as a hand-edited database may hold them.
const std::string database = R"(<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE softwaredb SYSTEM "softwaredb1.dtd">
<softwaredb timestamp="1">
<![CDATA[ credits ]]>
<software><title>Gradius 2 - Nemesis 2</title><system>MSX</system><company>Konami</company>
  <year>1987</year><country>JP</country>
  <dump><original value="true">GoodMSX</original><megarom><type>KonamiSCC</type>
    <hash>A53394BE1A0FE9379328C485C2E26E6D2BD25758</hash></megarom></dump></software>
<software><title>Sangokushi</title><system>MSX</system><company>Koei &amp; Co</company><year>1986</year>
  <dump><megarom><type>KoeiSRAM32</type><hash>67a224e6791aee11bcf9100aad2aa9f0aa6c123c</hash></megarom></dump>
</software>
<software><title>Antarctic Adventure</title><system>COLECOVISION</system><company>Konami</company>
  <dump><rom><type>page23</type><hash>DF7B9AD470CB4BFDB7398AFDF82CCAA016CD11E2</hash></rom></dump></software>
<software><title>Frogger</title><system>MSX</system><company>Konami</company><year>1983</year>
  <dump><rom><hash>fbf19675baade5bf6509eb5be1a505452a9c058e</hash></rom></dump></software>
</softwaredb>
)";

enum class Db { good, missing, truncated, notXml };
enum class Rom { file, missing, fifo };

struct IdentifyCase {
    std::string name;
    Db db;
    Rom rom;
    std::string bytes;
    std::string sha1;        // empty: the file is not read
    std::string description; // empty: not in the database
    std::string item;        // the mapper item offered, or empty
};

class Identify : public testing::TestWithParam<IdentifyCase> {
  protected:
    fs::path dir = fs::temp_directory_path() / ("veldrun-softwaredb-" + std::to_string(::getpid()));
    void SetUp() override { fs::create_directories(dir); }
    void TearDown() override { fs::remove_all(dir); }
};

TEST_P(Identify, SaysWhatTheDatabaseKnows)
{
    const auto& c = GetParam();
    const fs::path db = dir / "softwaredb.xml";
    if (c.db == Db::good)
        std::ofstream(db, std::ios::binary) << database;
    else if (c.db == Db::truncated)
        std::ofstream(db, std::ios::binary) << database.substr(0, database.size() / 2);
    else if (c.db == Db::notXml)
        std::ofstream(db, std::ios::binary) << "\x89PNG not a database";
    const fs::path rom = dir / "game.rom";
    if (c.rom == Rom::file) {
        std::ofstream(rom, std::ios::binary) << c.bytes;
    } else if (c.rom == Rom::fifo) {
        ASSERT_EQ(::mkfifo(rom.c_str(), 0600), 0);
    }

    const softwaredb::Identity identity = softwaredb::Database(db, {}).identify(rom);
    EXPECT_EQ(identity.sha1, c.sha1);
    EXPECT_EQ(identity.known ? softwaredb::describe(*identity.known) : "", c.description);
    const int item = identity.known ? softwaredb::mapperItemFor(identity.known->type) : -1;
    EXPECT_EQ(softwaredb::mapperItemText(item), c.item);
}

INSTANTIATE_TEST_SUITE_P(
    SoftwareDb, Identify,
    testing::Values(IdentifyCase{"KnownMegaRomWithItsItem", Db::good, Rom::file, "scc game",
                                 "a53394be1a0fe9379328c485c2e26e6d2bd25758",
                                 "Gradius 2 - Nemesis 2, Konami 1987, mapper Konami5 8kB (SCC)",
                                 "Konami5 8kB  "},
                    IdentifyCase{"KnownMegaRomWithoutAnItem", Db::good, Rom::file, "koei game",
                                 "67a224e6791aee11bcf9100aad2aa9f0aa6c123c",
                                 "Sangokushi, Koei & Co 1986, mapper KoeiSRAM32", "ASCII 8kB     "},
                    IdentifyCase{"AnotherSystemsDump", Db::good, Rom::file, "coleco game",
                                 "df7b9ad470cb4bfdb7398afdf82ccaa016cd11e2",
                                 "ColecoVision software: it does not run on an MSX (Antarctic Adventure, "
                                 "Konami)",
                                 ""},
                    IdentifyCase{"KnownPlainRom", Db::good, Rom::file, "plain rom",
                                 "fbf19675baade5bf6509eb5be1a505452a9c058e",
                                 "Frogger, Konami 1983, no mapper", ""},
                    IdentifyCase{"UnknownRom", Db::good, Rom::file, "unknown rom",
                                 "fce28e84daee22fa4da25b9c9b3cf906854db0e4", "", ""},
                    IdentifyCase{"DatabaseMissing", Db::missing, Rom::file, "scc game",
                                 "a53394be1a0fe9379328c485c2e26e6d2bd25758", "", ""},
                    IdentifyCase{"DatabaseCutShort", Db::truncated, Rom::file, "scc game",
                                 "a53394be1a0fe9379328c485c2e26e6d2bd25758", "", ""},
                    IdentifyCase{"DatabaseNotXml", Db::notXml, Rom::file, "scc game",
                                 "a53394be1a0fe9379328c485c2e26e6d2bd25758", "", ""},
                    IdentifyCase{"RomMissing", Db::good, Rom::missing, "", "", "", ""},
                    IdentifyCase{"RomIsAFifoAndBlocksNothing", Db::good, Rom::fifo, "", "", "", ""}),
    [](const auto& info) { return info.param.name; });

struct TypeCase {
    std::string openMsxType;
    std::string item; // with its trailing blanks; empty: no matching item
};

class MapperItem : public testing::TestWithParam<TypeCase> {};

TEST_P(MapperItem, FitsTheOpenMsxType)
{
    EXPECT_EQ(softwaredb::mapperItemText(softwaredb::mapperItemFor(GetParam().openMsxType)), GetParam().item);
}

INSTANTIATE_TEST_SUITE_P(
    SoftwareDb, MapperItem,
    testing::Values(TypeCase{"KonamiSCC", "Konami5 8kB  "}, TypeCase{"Konami", "Konami4 8kB"},
                    TypeCase{"ASCII8", "ASCII 8kB     "}, TypeCase{"ASCII16", "ASCII 16kB"},
                    TypeCase{"GenericKonami", "Konami 8kB "}, TypeCase{"16kb", "Konami 16kB"},
                    TypeCase{"ascii16sram2", "ASCII 16kB"}, TypeCase{"Wizardry", "ASCII 8kB     "},
                    TypeCase{"RBSC_Flash_KonamiSCC", "Konami5 8kB  "}, TypeCase{"Zemina80in1", ""},
                    TypeCase{"Konami8", ""}, TypeCase{"", ""}));

} // namespace
