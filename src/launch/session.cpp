#include "launch/session.h"

#include "base/errors.h"
#include "files/paths.h"
#include "form/tform1.h"

#include <filesystem>

// The running emulator in the user's hands: pause, reset, stop, disks, screenshots, and what the
// window shows of it. The session does the work; these handlers decide what to ask and say.

namespace {

bool alive(const SessionStatus& s)
{
    return s.phase == SessionPhase::Starting || s.phase == SessionPhase::Running ||
           s.phase == SessionPhase::Paused;
}

// Why the items are disabled, or empty when they work.
std::string whyNoControl(const SessionStatus& s)
{
    if (!alive(s))
        return "No emulator runs: press MSX! to start one";
    if (s.phase == SessionPhase::Starting)
        return "The emulator is starting";
    if (!s.controlled)
        return "The running emulator is not openMSX: only openMSX takes orders from Veldrun";
    return {};
}

std::string firstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

} // namespace

bool makeRoomForLaunch(EmulatorSession& emulator, QuestionBox& questions)
{
    if (!alive(emulator.status()))
        return true;
    if (!questions.ask("An emulator started by Veldrun is still running.\n\nStop it and start the new one?"))
        return false;
    emulator.stop();
    return true;
}

std::string sessionCaption(const SessionStatus& s)
{
    switch (s.phase) {
    case SessionPhase::None:
        return "Emulator: none";
    case SessionPhase::Starting:
        return "Emulator: starting";
    case SessionPhase::Running:
        return s.machine.empty() ? "Emulator: running" : "Emulator: running " + s.machine;
    case SessionPhase::Paused:
        return "Emulator: paused " + s.machine;
    case SessionPhase::Ended:
        break;
    }
    return s.failure.empty() ? "Emulator: ended" : "Emulator: failed: " + firstLine(s.failure);
}

void TForm1::followSession()
{
    const SessionStatus s = services_.emulator.status();
    const std::string why = whyNoControl(s);
    for (MenuItem* item : {&Pause1, &Reset1, &Stop1, &DiskA1, &DiskB1, &Eject1, &Screenshot1}) {
        item->enabled = why.empty();
        item->hint = why;
    }
    // Any emulator Veldrun started can be ended, openMSX or not.
    Stop1.enabled = alive(s) && s.phase != SessionPhase::Starting;
    Stop1.hint = Stop1.enabled ? std::string() : why;
    Pause1.checked = s.phase == SessionPhase::Paused;
    sessionstate = sessionCaption(s);
}

void TForm1::sessionChange()
{
    followSession();
    const SessionStatus s = services_.emulator.status();
    if (s.phase == SessionPhase::Ended && s.run != reportedRun_) {
        reportedRun_ = s.run;
        if (!s.failure.empty())
            throw VeldrunError(s.failure);
    }
}

void TForm1::Pause1Click()
{
    services_.emulator.pause(services_.emulator.status().phase != SessionPhase::Paused);
    followSession();
}

void TForm1::Reset1Click()
{
    services_.emulator.reset();
    followSession();
}

void TForm1::Stop1Click()
{
    // Stopped by the user: that end is no failure to report.
    services_.emulator.stop();
    reportedRun_ = services_.emulator.status().run;
    followSession();
}

namespace {

void changeDisk(TForm1& form, int drive, const char* title)
{
    const SessionStatus s = form.services().emulator.status();
    if (s.drives <= drive)
        throw VeldrunError("The running machine " + s.machine + " has no drive " + (drive == 0 ? "A" : "B") +
                           ": openMSX cannot change a disk there");
    const std::string disks = paths::resolveCaseInsensitive(paths::under(form.state.default_, "\\disks"));
    const std::string file = form.services().questions.chooseFile(title, disks, "Disk images (*.dsk *.DSK)");
    if (!file.empty())
        form.services().emulator.changeDisk(drive, file);
}

} // namespace

void TForm1::DiskA1Click()
{
    changeDisk(*this, 0, "Change disk in drive A");
    followSession();
}

void TForm1::DiskB1Click()
{
    changeDisk(*this, 1, "Change disk in drive B");
    followSession();
}

void TForm1::Eject1Click()
{
    // A machine with one drive has no drive B to empty: that refusal is no failure here.
    services_.emulator.changeDisk(0, {});
    try {
        services_.emulator.changeDisk(1, {});
    } catch (const VeldrunError&) {
    }
    followSession();
}

void TForm1::Screenshot1Click()
{
    const std::string folder = paths::under(state.default_, "\\screenshots");
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error)
        throw cannotCreateFile(folder);
    const std::string file = services_.emulator.screenshot(folder);
    services_.questions.tell("The screenshot is saved as " + file + ".");
    followSession();
}

void TForm1::offerToRunningMachine(bool cartridge, const std::string& path)
{
    const SessionStatus s = services_.emulator.status();
    if (!alive(s) || !s.controlled)
        return;
    const std::string question =
        cartridge ? "Put " + path + " into cartridge slot 1 of the running emulator? The machine restarts."
                  : "Put " + path + " into drive A of the running emulator?";
    if (!services_.questions.ask(question))
        return;
    if (cartridge)
        services_.emulator.changeCartridge(0, path);
    else
        services_.emulator.changeDisk(0, path);
    followSession();
}
