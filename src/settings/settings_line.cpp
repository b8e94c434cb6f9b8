#include "settings/settings_line.h"

#include "base/errors.h"
#include "base/text_encoding.h"

#include <charconv>
#include <climits>

namespace settings {
namespace {

char digit(int value) { return (value >= 0 && value <= 9) ? static_cast<char>('0' + value) : '9'; }

// The converted text as a message can show it: control characters in the character notation
// the toolkit's users know ("#13" for CR), a long text cut short, 8-bit text decoded.
std::string shown(std::string_view text)
{
    // Cut at a character's start, so that UTF-8 text stays UTF-8.
    std::size_t limit = 40;
    while (limit < text.size() && limit > 0 && (static_cast<unsigned char>(text[limit]) & 0xC0) == 0x80)
        --limit;
    std::string out;
    for (std::size_t i = 0; i < text.size() && i < limit; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 || c == 0x7f)
            out += '#' + std::to_string(c);
        else
            out += static_cast<char>(c);
    }
    if (text.size() > limit)
        out += "...";
    return encoding::decodeText(out);
}

// Decimal digits only, and no more than an int holds.
int toInteger(std::string_view text)
{
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || text.front() == '-' || ec != std::errc() || stop != end)
        throw notValidInteger(shown(text));
    return value;
}

} // namespace

std::string encode(const SettingsValues& v)
{
    std::string line;
    line.reserve(32);
    for (const StoredSetting& s : storedSettings) {
        const int value = v.*s.value;
        switch (s.piece) {
        case Piece::Digit:
            line += digit(value);
            break;
        case Piece::Volume:
            line += std::to_string(value < 0 ? 0 : (value > 99 ? 99 : value));
            line += '#';
            break;
        case Piece::Speed:
            line += std::to_string(value < 0 ? 0 : value);
            line += "00";
            break;
        }
    }
    line += "\r\n";
    return line;
}

std::string_view firstLine(std::string_view text)
{
    const auto end = text.find_first_of("\r\n");
    return end == std::string_view::npos ? text : text.substr(0, end);
}

SettingsValues decode(std::string_view fileText)
{
    const std::string_view line = firstLine(fileText);
    // The loader reads the line as it stands in the text, followed by its own line end.
    const std::string text = std::string(line) + "\r\n";
    auto at = [&](std::size_t position, std::size_t count) -> std::string_view {
        const std::size_t index = position - 1;
        return index < text.size() ? std::string_view(text).substr(index, count) : std::string_view{};
    };

    SettingsValues v;
    std::size_t position = 1; // the line place the next piece starts at
    for (const StoredSetting& s : storedSettings) {
        switch (s.piece) {
        case Piece::Digit:
            v.*s.value = toInteger(at(position++, 1));
            break;
        case Piece::Volume: {
            // A marker right after one digit means a one-digit volume; otherwise the volume has
            // two digits and the marker stands after them, whatever character is there.
            const std::size_t digits = at(position + 1, 1) == "#" ? 1 : 2;
            v.*s.value = toInteger(at(position, digits));
            position += digits + 1;
            break;
        }
        case Piece::Speed: {
            // The speed runs to the end of the line, less the closing "00".
            const std::size_t start = position - 1;
            const std::string_view rest = start < line.size() ? line.substr(start) : std::string_view{};
            v.*s.value = toInteger(rest.size() >= 2 ? rest.substr(0, rest.size() - 2) : std::string_view{});
            break;
        }
        }
    }
    return v;
}

} // namespace settings
