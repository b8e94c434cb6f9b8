// Any bytes as a software database: the reader either finds dumps or none, and whatever it finds
// describes itself and maps to one of the six mapper items or to none.
#include "software_database.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const softwaredb::Table table = softwaredb::Table::parse(input);
    for (std::string_view sha1 : {"a53394be1a0fe9379328c485c2e26e6d2bd25758", "", "0"}) {
        if (const softwaredb::Software* software = table.find(sha1)) {
            if (softwaredb::describe(*software).empty())
                std::abort();
            const int item = softwaredb::mapperItemFor(software->type);
            if (item < -1 || item > 5 || (item >= 0 && softwaredb::mapperItemText(item).empty()))
                std::abort();
        }
    }
    return 0;
}
