// Any bytes as a picture file: the bitmap check reads no byte past what it is given, its bound
// stays within what a shown picture can need, and what it passes when read up to the bound it
// passes whole.
#include "platform/bitmap_check.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Copies of exactly the given length, so that the sanitizer sees any read past the end.
    const std::string file(reinterpret_cast<const char*>(data), size);
    const std::string head = file.substr(0, bitmap::headerBytes);
    const auto bound = bitmap::bound(head);
    if (!bound) {
        if (bitmap::holdsItsPixels(file))
            std::abort(); // a header the bound refuses is never a whole bitmap
        return 0;
    }
    // The pixel data's offset (at most 1 MiB), then at most 8 Mi pixels of 32 bits, twice for
    // run-length coding, each row rounded up to 4 bytes.
    constexpr std::uint64_t most = (1u << 20) + 2 * ((8u << 20) * 4 + (8u << 20) * 4);
    if (*bound > most)
        std::abort();
    const std::string read = file.substr(0, static_cast<std::size_t>(*bound));
    if (bitmap::holdsItsPixels(read) && !bitmap::holdsItsPixels(file))
        std::abort();
    return 0;
}
