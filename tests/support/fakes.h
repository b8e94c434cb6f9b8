#pragma once

// Recording fakes of the platform interfaces, shared by the tests of every layer.

#include "base/errors.h"
#include "base/services.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

class FakeImage : public Image {
  public:
    explicit FakeImage(std::string path) : path(std::move(path)) {}
    int width() const override { return 1; }
    int height() const override { return 1; }
    std::string path;
};

// Loads any file that exists; a file named in `invalid` is no BMP.
class FakePictures : public Pictures {
  public:
    ImagePtr loadBmp(const std::string& path) override
    {
        loaded.push_back(path);
        if (invalid.count(path))
            throw VeldrunError("Bitmap image is not valid");
        if (!std::filesystem::exists(path) && !missingIsFine)
            throw cannotOpenFile(path);
        return std::make_shared<FakeImage>(path);
    }
    std::vector<std::string> loaded;
    std::set<std::string> invalid;
    bool missingIsFine = false;
};

inline std::string shownPath(const ImagePtr& p)
{
    auto f = std::dynamic_pointer_cast<const FakeImage>(p);
    return f ? f->path : std::string();
}

class FakeMusic : public MusicPlayer {
  public:
    void open(const std::string& path) override
    {
        close();
        opened.push_back(path);
        if (failOpen || (!openMissing && !std::filesystem::exists(path)))
            throw VeldrunError("The specified file was not found or is not a MIDI file");
        current = path;
        state_ = MusicState::Halted;
    }
    void play() override
    {
        if (state_ != MusicState::NoTune)
            state_ = MusicState::Playing;
    }
    void stop() override
    {
        ++stops;
        if (state_ == MusicState::NoTune)
            throw VeldrunError("No MCI device open");
        state_ = MusicState::Halted;
    }
    void close() override
    {
        state_ = MusicState::NoTune;
        current.clear();
    }
    MusicState state() const override { return state_; }
    void endOfTune() { state_ = MusicState::Halted; }

    std::vector<std::string> opened;
    std::string current;
    int stops = 0;
    bool failOpen = false;
    bool openMissing = false; // opens paths that do not exist, for tests without tune files

  private:
    MusicState state_ = MusicState::NoTune;
};

// Records the starts and commands; a test sets the status the handlers see and a refusal.
class FakeProcesses : public EmulatorSession {
  public:
    struct Call {
        std::string program;
        std::vector<std::string> arguments;
    };
    void start(const std::string& program, const std::vector<std::string>& arguments) override
    {
        calls.push_back({program, arguments});
        // The stand-in ends at once, well; a test that needs it running says so.
        current = {SessionPhase::Ended, current.run + 1, false, {}, 0, {}};
    }
    SessionStatus status() const override { return current; }
    void stop() override
    {
        command("stop");
        current.phase = SessionPhase::Ended;
    }
    void pause(bool paused) override { command(paused ? "pause on" : "pause off"); }
    void reset() override { command("reset"); }
    void changeDisk(int drive, const std::string& path) override
    {
        command("disk " + std::to_string(drive) + " " + path);
    }
    void changeCartridge(int slot, const std::string& path) override
    {
        command("cartridge " + std::to_string(slot) + " " + path);
    }
    std::string screenshot(const std::string& folder) override
    {
        command("screenshot " + folder);
        return folder + "/veldrun0001.png";
    }
    void command(const std::string& what)
    {
        commands.push_back(what);
        if (!refusal.empty())
            throw VeldrunError(refusal);
    }
    std::vector<Call> calls;
    std::vector<std::string> commands;
    SessionStatus current;
    std::string refusal;
};

class FakeShell : public DesktopShell {
  public:
    void openUrl(const std::string& url) override { calls.push_back("url " + url); }
    void openMail(const std::string& url) override { calls.push_back("mail " + url); }
    void openCommandInterpreter() override { calls.push_back("terminal"); }
    std::vector<std::string> calls;
};

class FakeErrors : public ErrorBox {
  public:
    void show(const std::string& message) override { messages.push_back(message); }
    std::vector<std::string> messages;
};

// Answers every question with `answer`, recording questions and messages.
class FakeQuestions : public QuestionBox {
  public:
    bool ask(const std::string& question) override
    {
        asked.push_back(question);
        return answer;
    }
    void tell(const std::string& message) override { told.push_back(message); }
    std::string chooseFile(const std::string& title, const std::string&, const std::string&) override
    {
        asked.push_back(title);
        return chosen;
    }
    bool answer = false;
    std::string chosen;
    std::vector<std::string> asked;
    std::vector<std::string> told;
};

class FakeWindows : public WindowHost {
  public:
    void closeMain() override { ++closes; }
    void bringMainToFront() override { ++raises; }
    void showReader() override { ++readerShows; }
    int closes = 0;
    int raises = 0;
    int readerShows = 0;
};

class FakeRandom : public Random {
  public:
    void seedFromClock() override { ++seeds; }
    int below(int n) override { return next++ % n; }
    int next = 0;
    int seeds = 0;
};

// Every fake in one place, wired into Services for a form under test.
struct FakeServices {
    FakePictures pictures;
    FakeMusic music;
    FakeProcesses processes;
    FakeShell shell;
    FakeErrors errors;
    FakeWindows windows;
    FakeRandom random;
    FakeQuestions questions;

    Services services()
    {
        return Services{pictures, music, processes, shell, errors, windows, random, questions};
    }
};

// A temporary directory removed with the fixture.
class TempDir {
  public:
    TempDir()
    {
        auto base = std::filesystem::temp_directory_path() / "veldrun-test-XXXXXX";
        std::string templ = base.string();
        path = ::mkdtemp(templ.data()) ? templ : std::string();
    }
    ~TempDir()
    {
        std::error_code ec;
        std::filesystem::permissions(path, std::filesystem::perms::owner_all, ec);
        std::filesystem::remove_all(path, ec);
    }
    std::string file(const std::string& name) const { return path + "/" + name; }
    void write(const std::string& name, const std::string& bytes) const
    {
        std::filesystem::create_directories(std::filesystem::path(file(name)).parent_path());
        std::ofstream(file(name), std::ios::binary) << bytes;
    }
    std::string path;
};

inline std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}
