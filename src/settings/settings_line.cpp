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
    for (auto piece : digitPieces)
        line += digit(v.*piece);
    const int volume = v.volbar < 0 ? 0 : (v.volbar > 99 ? 99 : v.volbar);
    line += std::to_string(volume);
    line += '#';
    line += std::to_string(v.speed < 0 ? 0 : v.speed);
    line += "00\r\n";
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
    std::size_t position = 1;
    for (auto piece : digitPieces)
        v.*piece = toInteger(at(position++, 1));

    // A marker at 17 means a one-digit volume; otherwise the volume has two digits and the
    // marker stands at 18, whatever character is there.
    const bool oneDigit = at(17, 1) == "#";
    v.volbar = toInteger(at(16, oneDigit ? 1 : 2));
    const std::size_t marker = oneDigit ? 17 : 18;

    // The speed runs from after the marker to the end of the line, less the closing "00".
    const std::string_view rest = marker < line.size() ? line.substr(marker) : std::string_view{};
    v.speed = toInteger(rest.size() >= 2 ? rest.substr(0, rest.size() - 2) : std::string_view{});
    return v;
}

} // namespace settings
