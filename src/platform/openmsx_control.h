#pragma once

#include <string>

// openMSX's own control connection: the Unix socket that every openMSX opens for its process in
// the folder openmsx-<user> of the temporary directory, speaking its XML control protocol. Each
// command waits for its reply, which on a live emulator comes within milliseconds.
class OpenMsxControl {
  public:
    OpenMsxControl() = default;
    OpenMsxControl(const OpenMsxControl&) = delete;
    OpenMsxControl& operator=(const OpenMsxControl&) = delete;
    ~OpenMsxControl();

    // Where the openMSX of this process id listens.
    static std::string socketPath(long pid);

    // Connects and opens the conversation; false when nothing listens there (yet).
    bool open(const std::string& path);
    bool isOpen() const { return fd_ >= 0; }
    void close();

    // Sends one Tcl command and returns openMSX's answer. Throws VeldrunError with openMSX's own
    // words when it refuses, and when the connection fails or no answer comes.
    std::string command(const std::string& tcl);

  private:
    bool sendAll(const std::string& bytes);

    int fd_ = -1;
    std::string received_;
};
