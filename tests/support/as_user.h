#pragma once

#include "base/errors.h"

#include <filesystem>
#include <functional>
#include <string>

#include <grp.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

// Root may write anything, and some rules are about what the user may write: as root the body
// runs as nobody in a child process, owning the directory. Returns the message of the error the
// body raised, "" when it raised none.
inline std::string asOrdinaryUser(const std::string& dir, const std::function<void()>& step)
{
    auto body = [&]() -> std::string {
        try {
            step();
            return {};
        } catch (const VeldrunError& e) {
            return e.what();
        }
    };
    if (::geteuid() != 0)
        return body();
    const uid_t nobody = 65534;
    [[maybe_unused]] int owned = ::lchown(dir.c_str(), nobody, nobody);
    for (const auto& e : std::filesystem::recursive_directory_iterator(dir))
        owned = ::lchown(e.path().c_str(), nobody, nobody);
    int out[2];
    if (::pipe(out) != 0)
        return "no pipe";
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(out[0]);
        if (::setgroups(0, nullptr) != 0 || ::setgid(nobody) != 0 || ::setuid(nobody) != 0)
            ::_exit(2);
        const std::string result = body();
        [[maybe_unused]] const auto n = ::write(out[1], result.data(), result.size());
        ::_exit(0);
    }
    ::close(out[1]);
    std::string result;
    char buffer[512];
    for (ssize_t n; (n = ::read(out[0], buffer, sizeof buffer)) > 0;)
        result.append(buffer, static_cast<std::size_t>(n));
    ::close(out[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    return result;
}
