#pragma once

#include <string>
#include <string_view>

// Paths are formed from the application directory and sub-paths written with a backslash
// ("\disks\", "\images\msx1.bmp"); this one place turns them into the platform's separator.
namespace paths {

#ifdef _WIN32
inline constexpr char separator = '\\';
#else
inline constexpr char separator = '/';
#endif

// Appends a backslash-written sub-path with the native separator.
inline void appendSub(std::string& out, std::string_view sub)
{
    for (char c : sub)
        out += (c == '\\') ? separator : c;
}

// The application directory followed by a sub-path: under(dir, "\\TULK.CFG").
inline std::string under(std::string_view dir, std::string_view sub)
{
    std::string out;
    out.reserve(dir.size() + sub.size());
    out.append(dir);
    appendSub(out, sub);
    return out;
}

// The path as the file system has it: where a component does not exist with its exact name,
// the one entry of that directory whose name matches ignoring ASCII case is taken. Returns the
// path unchanged when nothing matches, so messages still show the path as formed.
std::string resolveCaseInsensitive(const std::string& path);

// Joins a directory and a name with one separator, leaving out the separator when the
// directory already ends in one.
inline std::string join(std::string_view dir, std::string_view name)
{
    std::string out(dir);
    if (!out.empty() && out.back() != separator)
        out += separator;
    out.append(name);
    return out;
}

} // namespace paths
