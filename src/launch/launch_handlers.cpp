#include "base/errors.h"
#include "files/file_io.h"
#include "files/paths.h"
#include "form/tform1.h"
#include "launch/line_names.h"
#include "launch/session.h"

namespace {

constexpr std::string_view responseFile = "\\TULK.CFG";
constexpr std::string_view emulatorDirectory = "\\emulator\\";

} // namespace

void TForm1::opslaan()
{
    // The line as it stands, hand edits included; the emulator reads one line ended by CR LF.
    fileio::save(paths::under(state.default_, responseFile), state.editline + "\r\n");
}

void TForm1::startknopClick()
{
    refuseNamesTheLineCannotCarry(state);
    // One emulator at a time: a second never starts behind the user's back.
    if (!makeRoomForLaunch(services_.emulator, services_.questions))
        return;
    const std::string program = paths::under(state.default_, emulatorDirectory) + state.emulatorexe;
    const std::string found = paths::resolveCaseInsensitive(program);
    // A name the system cannot even look up is said before anything changes; a missing emulator is
    // said by the start itself.
    if (fileio::nameTooLong(found))
        throw cannotOpenFile(program);
    // Only an open tune is stopped: without one (no MIDI output, a missing tune) the emulator
    // must still start.
    if (services_.music.state() != MusicState::NoTune)
        services_.music.stop();
    opslaan();

    const std::string response = paths::under(state.default_, responseFile);
    state.start = program + " @" + response;

    // Program and argument travel separately as bytes, never through a shell: a space, a
    // "$(...)" or a name that is not UTF-8 in the application directory stays part of the path.
    services_.emulator.start(found, {"@" + response});
    sessionChange();
    services_.windows.bringMainToFront();
}

void TForm1::fMSX1Click()
{
    BrMSX1.checked = false;
    fMSX1.checked = true;
    state.emulatorexe = "fMSX-dos.exe";
    linecreate();
}

void TForm1::BrMSX1Click()
{
    BrMSX1.checked = true;
    fMSX1.checked = false;
    state.emulatorexe = "BrMSX.exe";
    linecreate();
}

void TForm1::Show1Click()
{
    if (Show1.caption == "&Hide") {
        Show1.caption = "&Show";
        commandAreaShown = false;
    } else {
        Show1.caption = "&Hide";
        commandAreaShown = true;
    }
}

void TForm1::endknopClick() { services_.windows.closeMain(); }

void TForm1::Close1Click() { services_.windows.closeMain(); }
