#include "software_database.h"

#include <nettle/sha1.h>

#include <array>
#include <fstream>
#include <system_error>

namespace softwaredb {

std::optional<std::string> sha1OfFile(const std::filesystem::path& file, std::uintmax_t maxBytes)
{
    // Only regular files: opening a FIFO would block its reader.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec))
        return std::nullopt;
    const auto size = std::filesystem::file_size(file, ec);
    if (ec || size > maxBytes)
        return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return std::nullopt;

    sha1_ctx context;
    sha1_init(&context);
    std::array<char, 64 * 1024> buffer;
    std::uintmax_t total = 0;
    while (in) {
        in.read(buffer.data(), buffer.size());
        const auto got = static_cast<std::size_t>(in.gcount());
        total += got;
        if (total > maxBytes) // the file grew while it was read
            return std::nullopt;
        sha1_update(&context, got, reinterpret_cast<const std::uint8_t*>(buffer.data()));
    }
    if (in.bad())
        return std::nullopt;

    std::array<std::uint8_t, SHA1_DIGEST_SIZE> digest;
    sha1_digest(&context, digest.size(), digest.data());
    static constexpr char hex[] = "0123456789abcdef";
    std::string out;
    for (std::uint8_t byte : digest) {
        out += hex[byte >> 4];
        out += hex[byte & 0xf];
    }
    return out;
}

} // namespace softwaredb
