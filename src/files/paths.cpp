#include "files/paths.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace paths {
namespace {

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    auto lower = [](unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + 32 : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

} // namespace

std::string resolveCaseInsensitive(const std::string& path)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    if (path.empty() || fs::exists(path, ec))
        return path;

    const fs::path original(path);
    fs::path resolved = original.root_path();
    for (const auto& part : original.relative_path()) {
        const fs::path exact = resolved / part;
        if (part == "." || part == ".." || fs::exists(exact, ec)) {
            resolved = exact;
            continue;
        }
        fs::path match;
        for (fs::directory_iterator it(resolved.empty() ? fs::path(".") : resolved, ec), end;
             !ec && it != end; it.increment(ec)) {
            if (equalsIgnoringCase(it->path().filename().string(), part.string())) {
                match = it->path().filename();
                break;
            }
        }
        if (match.empty())
            return path;
        resolved /= match;
    }
    return resolved.string();
}

} // namespace paths
