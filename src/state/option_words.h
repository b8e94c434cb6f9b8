#pragma once

#include <array>
#include <string_view>

// The option words of the emulator's line and what follows each. The line's writer and the
// bridge's reader both take them from here, so neither knows a word the other does not.
namespace optionwords {

enum class Value { None, Word, Path };

struct Option {
    std::string_view name;
    Value value;
};

inline constexpr Option diska{"-diska", Value::Path};
inline constexpr Option diskb{"-diskb", Value::Path};
inline constexpr Option msx1{"-msx1", Value::None};
inline constexpr Option msx2plus{"-msx2+", Value::None};
inline constexpr Option rom{"-rom", Value::Word};
inline constexpr Option cpuspeed{"-cpuspeed", Value::Word};
inline constexpr Option sq{"-sq", Value::Word};
inline constexpr Option volume{"-volume", Value::Word};
inline constexpr Option video{"-video", Value::Word};
inline constexpr Option fmpac{"-fmpac", Value::Word};
inline constexpr Option scc{"-scc", Value::Word};
inline constexpr Option ifreq{"-ifreq", Value::Word};
inline constexpr Option ram{"-ram", Value::Word};
inline constexpr Option vram{"-vram", Value::Word};
inline constexpr Option sprite{"-sprite", Value::Word};
inline constexpr Option adjust{"-adjust", Value::Word};
inline constexpr Option painter{"-painter", Value::Word};
inline constexpr Option modeswitch{"-modeswitch", Value::Word};
inline constexpr Option sync{"-sync", Value::Word};

inline constexpr std::array<Option, 19> all{diska,  diskb,  msx1,    msx2plus,   rom,   cpuspeed, sq,
                                            volume, video,  fmpac,   scc,        ifreq, ram,      vram,
                                            sprite, adjust, painter, modeswitch, sync};

constexpr const Option* find(std::string_view word)
{
    for (const Option& option : all)
        if (option.name == word)
            return &option;
    return nullptr;
}

// The first option word that follows a blank inside `name`: where the name stands in the line,
// the reader would take it for an option. Empty when there is none.
constexpr std::string_view wordInName(std::string_view name)
{
    for (std::size_t blank = name.find(' '); blank != std::string_view::npos;) {
        const std::size_t end = name.find(' ', blank + 1);
        const std::string_view word =
            name.substr(blank + 1, end == std::string_view::npos ? end : end - blank - 1);
        if (find(word))
            return word;
        blank = end;
    }
    return {};
}

} // namespace optionwords
