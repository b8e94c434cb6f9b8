#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// One exception type carries the message a user reads. Handlers stay straight-line code; the
// view's dispatch is the one place that catches it and shows the error box.
class VeldrunError : public std::runtime_error {
  public:
    explicit VeldrunError(const std::string& message) : std::runtime_error(message) {}
};

inline VeldrunError cannotOpenFile(std::string_view path)
{
    return VeldrunError("Cannot open file " + std::string(path));
}
inline VeldrunError cannotCreateFile(std::string_view path)
{
    return VeldrunError("Cannot create file " + std::string(path));
}
inline VeldrunError notValidInteger(std::string_view text)
{
    return VeldrunError("'" + std::string(text) + "' is not a valid integer value");
}

// The error box shows the message with a full stop appended when its last character sorts
// after '.'.
inline std::string errorBoxText(std::string message)
{
    if (!message.empty() && static_cast<unsigned char>(message.back()) > static_cast<unsigned char>('.'))
        message += '.';
    return message;
}

// Decorations (a picture, a tune) never cost the user a setting: a handler attempts them here,
// finishes its real work, then raises what failed.
class Failures {
  public:
    template <class Step> void attempt(Step&& step)
    {
        try {
            step();
        } catch (const VeldrunError& e) {
            messages_.emplace_back(e.what());
        }
    }
    bool empty() const { return messages_.empty(); }
    // Throws one error holding every collected message, one per line.
    void raise() const
    {
        if (messages_.empty())
            return;
        std::string all;
        for (const auto& m : messages_) {
            if (!all.empty())
                all += '\n';
            all += m;
        }
        throw VeldrunError(all);
    }

  private:
    std::vector<std::string> messages_;
};
