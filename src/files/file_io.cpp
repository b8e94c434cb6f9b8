#include "files/file_io.h"

#include "base/errors.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <functional>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <fstream>
#endif

namespace fileio {

#ifndef _WIN32
namespace {

// Closes the descriptor on every way out.
class Fd {
  public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    // Closes now, so that a failing close (a late write error) is seen.
    bool close()
    {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

  private:
    int fd_;
};

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// The file a chain of symlinks ends at; a dangling link names the file to create. Empty for a
// loop or a link that cannot be read.
std::string followLinks(std::string path)
{
    namespace fs = std::filesystem;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return path;
        std::string link(4096, '\0');
        const ssize_t n = ::readlink(path.c_str(), link.data(), link.size());
        if (n <= 0 || static_cast<std::size_t>(n) >= link.size())
            return {};
        link.resize(static_cast<std::size_t>(n));
        path = link.front() == '/' ? link : (fs::path(path).parent_path() / link).string();
    }
    return {};
}

// One fixed name per target, so the next save clears what a killed one left.
std::string temporaryFor(const std::string& target)
{
    const std::filesystem::path p(target);
    return (p.parent_path() / ("." + p.filename().string() + ".saving")).string();
}

void syncDirectoryOf(const std::string& target)
{
    const std::string dir = std::filesystem::path(target).parent_path().string();
    Fd fd(::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() >= 0)
        ::fsync(fd.get());
}

enum class Renamed { Done, NoTemporary, Failed };

// Writes the new content to the descriptor from its start; false when a write fails.
using Fill = std::function<bool(int fd)>;

// A folder at the temporary's name is someone's, never a killed save's: the message names it.
[[noreturn]] void refuseBlockedTemporary(const std::string& path, const std::string& temp)
{
    throw VeldrunError("Cannot create file " + path + ": " + temp + " is a folder");
}

// Writes a temporary with the old file's mode and owner, then renames it over the target.
Renamed replaceByRename(const std::string& path, const std::string& target, const Fill& fill,
                        const struct stat* old, int& openError)
{
    const std::string temp = temporaryFor(target);
    ::unlink(temp.c_str());
    // A new file gets the usual 0666 less the umask; a link planted at the name is not followed.
    Fd fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
    if (fd.get() < 0) {
        openError = errno;
        struct stat st {};
        if (openError == EEXIST && ::lstat(temp.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
            refuseBlockedTemporary(path, temp);
        return Renamed::NoTemporary;
    }
    bool ok = true;
    if (old) {
        // The owner where we may (root, or a group of our own); the mode always, after chown,
        // which may clear set-id bits.
        [[maybe_unused]] const int owned = ::fchown(fd.get(), old->st_uid, old->st_gid);
        ok = ::fchmod(fd.get(), old->st_mode & 07777) == 0;
    }
    ok = ok && fill(fd.get()) && ::fsync(fd.get()) == 0;
    ok = fd.close() && ok;
    if (!ok || ::rename(temp.c_str(), target.c_str()) != 0) {
        ::unlink(temp.c_str());
        return Renamed::Failed;
    }
    syncDirectoryOf(target);
    return Renamed::Done;
}

// The old content is at risk only while this runs: the new bytes go over the old, then the
// rest is cut off.
bool rewriteInPlace(const std::string& target, const Fill& fill)
{
    Fd fd(::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC));
    struct stat st {};
    if (fd.get() < 0 || ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode) || !fill(fd.get()))
        return false;
    const off_t written = ::lseek(fd.get(), 0, SEEK_CUR);
    bool ok = written >= 0 && ::ftruncate(fd.get(), written) == 0 && ::fsync(fd.get()) == 0;
    return fd.close() && ok;
}

// Every save and copy ends here, so each file the program writes is written the same careful way.
void replace(const std::string& path, const Fill& fill)
{
    const std::string target = followLinks(path);
    if (target.empty())
        throw cannotCreateFile(path);
    struct stat st {};
    const bool exists = ::stat(target.c_str(), &st) == 0;
    if (!exists && errno != ENOENT)
        throw cannotCreateFile(path); // a name too long, a folder we may not search, ...
    // A read-only file is the user's protection, also against root, who may write anything.
    if (exists && (!S_ISREG(st.st_mode) || (st.st_mode & 0222) == 0 ||
                   ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0))
        throw cannotCreateFile(path);
    // A second hard link must go on seeing the new content, as it would after an edit in place.
    if (exists && st.st_nlink > 1) {
        if (!rewriteInPlace(target, fill))
            throw cannotCreateFile(path);
        return;
    }
    int openError = 0;
    switch (replaceByRename(path, target, fill, exists ? &st : nullptr, openError)) {
    case Renamed::Done:
        return;
    case Renamed::NoTemporary:
        // The folder is closed to us but the file is not.
        if (exists && (openError == EACCES || openError == EPERM) && rewriteInPlace(target, fill))
            return;
        break;
    case Renamed::Failed:
        break;
    }
    throw cannotCreateFile(path);
}

// Copies what is left of the source in pieces, so a disk image of any size takes little memory.
bool copyRest(int from, int to)
{
    std::string buffer(1 << 16, '\0');
    for (;;) {
        const ssize_t n = ::read(from, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n == 0;
        if (!writeAll(to, std::string_view(buffer.data(), static_cast<std::size_t>(n))))
            return false;
    }
}

} // namespace

void save(const std::string& path, std::string_view bytes)
{
    replace(path, [bytes](int fd) { return writeAll(fd, bytes); });
}

void copy(const std::string& from, const std::string& to)
{
    // Non-blocking and checked, as every read is: a FIFO must never hold the window.
    Fd source(::open(from.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat st {};
    if (source.get() < 0 || ::fstat(source.get(), &st) != 0 || !S_ISREG(st.st_mode))
        throw cannotOpenFile(from);
    replace(to,
            [&](int fd) { return ::lseek(source.get(), 0, SEEK_SET) == 0 && copyRest(source.get(), fd); });
}

Prefix readRegular(const std::string& path, std::size_t maxBytes)
{
    // Non-blocking, so that opening a FIFO returns at once; fstat then refuses it.
    Fd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat st {};
    if (fd.get() < 0 || ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode))
        throw cannotOpenFile(path);
    // One byte beyond the limit tells whether the file goes on.
    const std::size_t want = maxBytes + 1;
    Prefix out;
    out.bytes.resize(std::min(want, static_cast<std::size_t>(std::max<off_t>(st.st_size, 0)) + 1));
    std::size_t done = 0;
    for (;;) {
        if (done == out.bytes.size()) {
            if (done == want)
                break;
            out.bytes.resize(std::min(want, done * 2 + 4096)); // the file grew since fstat
        }
        const ssize_t n = ::read(fd.get(), out.bytes.data() + done, out.bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw cannotOpenFile(path);
        if (n == 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    out.cut = done > maxBytes;
    out.bytes.resize(std::min(done, maxBytes));
    return out;
}

bool nameTooLong(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) != 0 && errno == ENAMETOOLONG;
}

#else

bool nameTooLong(const std::string&) { return false; }

void save(const std::string& path, std::string_view bytes)
{
    namespace fs = std::filesystem;
    const fs::path target(path);
    const fs::path temp = target.parent_path() / ("." + target.filename().string() + ".saving");
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
}

void copy(const std::string& from, const std::string& to)
{
    std::ifstream in(from, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.eof() && in.fail())
        throw cannotOpenFile(from);
    save(to, bytes);
}

Prefix readRegular(const std::string& path, std::size_t maxBytes)
{
    std::error_code ec;
    std::ifstream in(path, std::ios::binary);
    if (!in || !std::filesystem::is_regular_file(path, ec))
        throw cannotOpenFile(path);
    Prefix out;
    out.bytes.resize(maxBytes + 1);
    in.read(out.bytes.data(), static_cast<std::streamsize>(maxBytes + 1));
    const auto done = static_cast<std::size_t>(in.gcount());
    out.cut = done > maxBytes;
    out.bytes.resize(std::min(done, maxBytes));
    return out;
}

#endif

} // namespace fileio
