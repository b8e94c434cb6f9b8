#pragma once

// The outside world as the forms see it: small interfaces, each with one real adapter (Qt,
// FluidSynth) and fakes in the tests. Standard C++ only: the core includes this header.

#include "base/emulator_session.h"

#include <memory>
#include <string>
#include <vector>

// A loaded picture; the adapter that made it knows what is inside.
class Image {
  public:
    virtual ~Image() = default;
    virtual int width() const = 0;
    virtual int height() const = 0;
};
using ImagePtr = std::shared_ptr<const Image>;

class Pictures {
  public:
    virtual ~Pictures() = default;
    // Loads a BMP file. Throws VeldrunError "Cannot open file <path>" when it cannot be opened,
    // "Bitmap image is not valid" when it is no BMP.
    virtual ImagePtr loadBmp(const std::string& path) = 0;
};

enum class MusicState { NoTune, Playing, Halted };

// One tune at a time, played once from its beginning.
class MusicPlayer {
  public:
    virtual ~MusicPlayer() = default;
    // Closes any open tune, then opens the MIDI file (automatic device selection). Throws
    // VeldrunError with the playback system's text on failure, leaving No tune.
    virtual void open(const std::string& path) = 0;
    // Plays the open tune from its start without waiting. Failures are not reported.
    virtual void play() = 0;
    // Halts and silences the open tune; it stays open. Throws "No MCI device open" with no tune.
    virtual void stop() = 0;
    // Releases the open tune, if any.
    virtual void close() = 0;
    virtual MusicState state() const = 0;
};

class DesktopShell {
  public:
    virtual ~DesktopShell() = default;
    // Each returns at once and reports nothing when the target cannot be opened.
    virtual void openUrl(const std::string& url) = 0;
    virtual void openMail(const std::string& mailtoUrl) = 0;
    // The system's command interpreter in a window of its own, in the current directory.
    virtual void openCommandInterpreter() = 0;
};

class ErrorBox {
  public:
    virtual ~ErrorBox() = default;
    // Shows the standard error box: title "Veldrun 2.0c", error icon, one OK button.
    virtual void show(const std::string& message) = 0;
};

// A question the user answers Yes or No, and a plain word the user acknowledges; both boxes carry
// the title "Veldrun 2.0c".
class QuestionBox {
  public:
    virtual ~QuestionBox() = default;
    // True when the user answers Yes; No is the default answer.
    virtual bool ask(const std::string& question) = 0;
    // An information box with one OK button.
    virtual void tell(const std::string& message) = 0;
    // A file the user picks, starting in `folder` and showing the names `filter` matches ("Disk
    // images (*.dsk)"); empty when the user cancels.
    virtual std::string chooseFile(const std::string& title, const std::string& folder,
                                   const std::string& filter) = 0;
};

// The windows themselves, as far as handlers need them.
class WindowHost {
  public:
    virtual ~WindowHost() = default;
    virtual void closeMain() = 0;
    virtual void bringMainToFront() = 0;
    // Shows the reader without making it modal and brings it to the front.
    virtual void showReader() = 0;
};

// Pseudo-random numbers seeded from the clock.
class Random {
  public:
    virtual ~Random() = default;
    virtual void seedFromClock() = 0;
    // A whole number from 0 to n - 1, uniformly.
    virtual int below(int n) = 0;
};

struct Services {
    Pictures& pictures;
    MusicPlayer& music;
    EmulatorSession& emulator;
    DesktopShell& shell;
    ErrorBox& errors;
    WindowHost& windows;
    Random& random;
    QuestionBox& questions;
};
