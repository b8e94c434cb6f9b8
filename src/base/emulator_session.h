#pragma once

// The emulator the front-end started, for as long as it runs: one at a time. Standard C++ only:
// the core includes this header; the Qt adapter owns the process and openMSX's control connection.

#include <string>
#include <vector>

enum class SessionPhase { None, Starting, Running, Paused, Ended };

struct SessionStatus {
    SessionPhase phase = SessionPhase::None;
    int run = 0;             // counts the starts, so that each end is reported once
    bool controlled = false; // openMSX answers on its control connection
    std::string machine;     // the running machine as openMSX names it
    int drives = 0;          // its disk drives
    std::string failure;     // why the last run failed; empty while it runs or when it ended well
};

class EmulatorSession {
  public:
    virtual ~EmulatorSession() = default;
    // Starts the program with exactly these bytes as its path and arguments, no shell, in the
    // process's current directory, without waiting. Throws VeldrunError "The emulator cannot be
    // started: <reason>" when it cannot run.
    virtual void start(const std::string& program, const std::vector<std::string>& arguments) = 0;
    virtual SessionStatus status() const = 0;
    // Ends the running emulator and waits for its end; a controlled one is asked to quit.
    virtual void stop() = 0;
    // The rest need a controlled session and throw VeldrunError with openMSX's refusal.
    virtual void pause(bool paused) = 0;
    virtual void reset() = 0;
    // drive 0 is A, 1 is B; an empty path takes the disk out.
    virtual void changeDisk(int drive, const std::string& path) = 0;
    // slot 0 is the first; the machine restarts with it.
    virtual void changeCartridge(int slot, const std::string& path) = 0;
    // Saves the screen as a PNG file of a new name in the folder and returns its path.
    virtual std::string screenshot(const std::string& folder) = 0;
};
