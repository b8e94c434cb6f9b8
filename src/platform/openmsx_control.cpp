#include "platform/openmsx_control.h"

#include "base/errors.h"
#include "base/text_encoding.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <poll.h>
#include <pwd.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

constexpr int answerWaitMs = 5000;

// The XML carrier: the text of a command with its markup characters escaped.
std::string xmlEscaped(const std::string& text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string xmlUnescaped(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t end = text[i] == '&' ? text.find(';', i) : std::string::npos;
        if (end == std::string::npos) {
            out += text[i];
            continue;
        }
        const std::string entity = text.substr(i + 1, end - i - 1);
        static const std::pair<const char*, char> named[] = {
            {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
        bool known = false;
        for (const auto& [name, c] : named)
            if (entity == name) {
                out += c;
                known = true;
            }
        if (!known && entity.size() > 1 && entity[0] == '#') {
            const bool hex = entity[1] == 'x';
            encoding::appendUtf8(out, static_cast<char32_t>(std::strtoul(entity.c_str() + (hex ? 2 : 1),
                                                                         nullptr, hex ? 16 : 10)));
            known = true;
        }
        if (!known)
            out += text.substr(i, end - i + 1);
        i = end;
    }
    return out;
}

std::string trimmed(std::string text)
{
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    return text;
}

} // namespace

OpenMsxControl::~OpenMsxControl() { close(); }

std::string OpenMsxControl::socketPath(long pid)
{
    const char* tmp = std::getenv("TMPDIR");
    const passwd* user = ::getpwuid(::getuid());
    const std::string folder = (tmp && *tmp ? std::string(tmp) : std::string("/tmp")) + "/openmsx-" +
                               (user && user->pw_name ? user->pw_name : "");
    return folder + "/socket." + std::to_string(pid);
}

bool OpenMsxControl::open(const std::string& path)
{
    close();
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    fd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd_ < 0)
        return false;
    if (::connect(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        !sendAll("<openmsx-control>\n")) {
        close();
        return false;
    }
    return true;
}

void OpenMsxControl::close()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    received_.clear();
}

bool OpenMsxControl::sendAll(const std::string& bytes)
{
    for (std::size_t sent = 0; sent < bytes.size();) {
        const ssize_t n = ::send(fd_, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        sent += static_cast<std::size_t>(n);
    }
    return true;
}

std::string OpenMsxControl::command(const std::string& tcl)
{
    // The protocol is XML in UTF-8: a name in other bytes would reach openMSX as another name.
    if (!encoding::isValidUtf8(tcl))
        throw VeldrunError("openMSX cannot be handed this name, as it is not valid UTF-8: " + tcl);
    if (fd_ < 0 || !sendAll("<command>" + xmlEscaped(tcl) + "</command>\n"))
        throw VeldrunError("openMSX does not answer on its control connection");
    // Logs and updates may come first; the reply is the first <reply> element.
    for (;;) {
        const std::size_t begin = received_.find("<reply result=\"");
        const std::size_t end = received_.find("</reply>", begin == std::string::npos ? 0 : begin);
        if (begin != std::string::npos && end != std::string::npos) {
            const std::size_t text = received_.find('>', begin) + 1;
            const bool ok = received_.compare(begin + 15, 3, "ok\"") == 0;
            const std::string answer = trimmed(xmlUnescaped(received_.substr(text, end - text)));
            received_.erase(0, end + 8);
            if (!ok)
                throw VeldrunError("openMSX refuses: " + answer);
            return answer;
        }
        pollfd wait{fd_, POLLIN, 0};
        char buffer[4096];
        const int ready = ::poll(&wait, 1, answerWaitMs);
        if (ready < 0 && errno == EINTR)
            continue;
        const ssize_t n = ready > 0 ? ::recv(fd_, buffer, sizeof buffer, 0) : -1;
        if (n <= 0) {
            close();
            throw VeldrunError("openMSX does not answer on its control connection");
        }
        received_.append(buffer, static_cast<std::size_t>(n));
    }
}
