#include "files/file_io.h"

#include "base/errors.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

namespace fileio {

void writeAtomically(const std::string& path, std::string_view bytes)
{
    namespace fs = std::filesystem;
    const fs::path target(path);
    std::random_device rd;
    const fs::path temp =
        target.parent_path() / (target.filename().string() + ".tmp" + std::to_string(rd() % 1000000));
#ifndef _WIN32
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        throw cannotCreateFile(path);
    std::size_t done = 0;
    bool ok = true;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) {
            ok = false;
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    ok = (::fsync(fd) == 0) && ok;
    ok = (::close(fd) == 0) && ok;
    if (!ok || std::rename(temp.c_str(), target.c_str()) != 0) {
        ::unlink(temp.c_str());
        throw cannotCreateFile(path);
    }
#else
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            std::error_code ec;
            fs::remove(temp, ec);
            throw cannotCreateFile(path);
        }
    }
    std::error_code ec;
    fs::rename(temp, target, ec);
    if (ec) {
        fs::remove(temp, ec);
        throw cannotCreateFile(path);
    }
#endif
}

std::string readPrefix(const std::string& path, std::size_t maxBytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in || std::filesystem::is_directory(path))
        throw cannotOpenFile(path);
    std::string data(maxBytes, '\0');
    in.read(data.data(), static_cast<std::streamsize>(maxBytes));
    data.resize(static_cast<std::size_t>(in.gcount()));
    return data;
}

std::string readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in || std::filesystem::is_directory(path))
        throw cannotOpenFile(path);
    std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        throw cannotOpenFile(path);
    return data;
}

} // namespace fileio
