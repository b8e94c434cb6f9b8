#include "files/paths.h"
#include "form/tform1.h"
#include "state/option_words.h"

#include <charconv>
#include <string_view>

namespace {

void appendNumber(std::string& out, int value)
{
    char buf[16];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
    out.append(buf, end);
}

namespace ow = optionwords;

// " <option>", and " <value>" for an option that takes one: the words come from the one list
// that the bridge reads the line by.
void appendOption(std::string& out, const ow::Option& option, std::string_view value = {})
{
    out += ' ';
    out.append(option.name);
    if (option.value != ow::Value::None) {
        out += ' ';
        out.append(value);
    }
}

void appendOption(std::string& out, const ow::Option& option, int value)
{
    appendOption(out, option);
    appendNumber(out, value);
}

// The fragments that always carry the list's index, -1 included.
void appendIndexed(std::string& out, const ow::Option& option, const OptionList& list)
{
    appendOption(out, option, list.index());
}

// The number a label holds; a label that holds none reads as 0.
int labelNumber(std::string_view text)
{
    int value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

// A mask in drive A's caption means the browser's disk filter took the place of a file name:
// both drives go back to their own images.
void restoreMaskedCaptions(LauncherState& s)
{
    if (s.diskatext == "*.dsk") {
        s.diskafile = "drivea.dsk";
        s.diskatext = "drivea.dsk";
        s.diskbfile = "driveb.dsk";
        s.diskbtext = "driveb.dsk";
    }
    if (s.slotatext == "*.rom")
        s.slotatext = "None";
}

// Cartridges, disks, the machine and the cartridges' mappers.
void appendMedia(std::string& line, const LauncherState& s)
{
    line += s.slotafile;
    line += s.slotbfile;
    appendOption(line, ow::diska, s.default_);
    paths::appendSub(line, "\\disks\\");
    line += s.diskafile;
    appendOption(line, ow::diskb, s.default_);
    paths::appendSub(line, "\\disks\\");
    line += s.diskbfile;

    if (s.computer.index() == 0)
        appendOption(line, ow::msx1);
    else if (s.computer.index() == 2)
        appendOption(line, ow::msx2plus);

    appendOption(line, ow::rom, s.slota.index());
    line += ',';
    appendNumber(line, s.slotb.index());
}

// Speed, sound, video and the rest of the options, in the order the emulator's users know.
void appendOptions(std::string& line, const LauncherState& s)
{
    if (labelNumber(s.speedlabel) != 100)
        appendOption(line, ow::cpuspeed, s.speedlabel);
    appendOption(line, ow::sq, s.sqbar.position());
    if (s.volbar.position() != 10)
        appendOption(line, ow::volume, s.volbar.position());
    appendIndexed(line, ow::video, s.resolutie);
    if (s.FMPACselect.index() != 0)
        appendIndexed(line, ow::fmpac, s.FMPACselect);
    appendIndexed(line, ow::scc, s.sccselect);
    if (s.freq.index() != 0)
        appendOption(line, ow::ifreq, "60");
    if (s.Sram.index() == 1 || s.Sram.index() == 2)
        appendOption(line, ow::ram, s.Sram.index() == 1 ? "16" : "32");
    if (s.Svram.index() == 1)
        appendOption(line, ow::vram, "16");
    if (s.spritegroup.index() == 1)
        appendOption(line, ow::sprite, 1);
    if (s.vdpgroup.index() != 0)
        appendIndexed(line, ow::adjust, s.vdpgroup);
    if (s.painterbox.checked)
        appendOption(line, ow::painter, 1);
    // The video adapter shares the resolution's option word; both may be on the line.
    if (s.sadapter.index() == 1 || s.sadapter.index() == 2)
        appendOption(line, ow::video, s.sadapter.index());
    if (s.vgabox.index() == 1)
        appendOption(line, ow::modeswitch, 1);
    if (s.syncbox.index() == 1)
        appendOption(line, ow::sync, 1);
}

// The chip pictures follow the sound lists; an unselected SCC list leaves its picture be. This is
// the one place that sets them.
void showChipPictures(const LauncherState& s, PictureBox& sccpic, PictureBox& fmpic)
{
    if (s.sccselect.index() == 0)
        sccpic.visible = false;
    else if (s.sccselect.index() == 1)
        sccpic.visible = true;
    fmpic.visible = s.FMPACselect.index() != 0;
}

} // namespace

void TForm1::linecreate()
{
    restoreMaskedCaptions(state);
    std::string line;
    line.reserve(256 + state.slotafile.size() + state.slotbfile.size() + 2 * state.default_.size());
    appendMedia(line, state);
    appendOptions(line, state);
    showChipPictures(state, sccpic, fmpic);
    state.editline = std::move(line);
}

void TForm1::freqClick() { linecreate(); }
void TForm1::SRamClick() { linecreate(); }
void TForm1::SvramClick() { linecreate(); }
void TForm1::resolutieClick() { linecreate(); }
void TForm1::sadapterClick() { linecreate(); }
void TForm1::spritegroupChange() { linecreate(); }
void TForm1::vdpgroupChange() { linecreate(); }
void TForm1::painterboxClick() { linecreate(); }

void TForm1::sccselectClick() { linecreate(); }
void TForm1::FMPACselectClick() { linecreate(); }

void TForm1::volbarChange()
{
    state.Label12 = std::to_string(state.volbar.position());
    linecreate();
}

void TForm1::sqbarChange()
{
    state.Label13 = std::to_string(state.sqbar.position());
    linecreate();
}

void TForm1::TrackBar1Change()
{
    state.speedlabel = std::to_string(state.TrackBar1.position());
    linecreate();
}

// The track bar clamps and rebuilds only when its position changes.
void TForm1::SpinButton1UpClick() { state.TrackBar1.setPosition(state.TrackBar1.position() + 1); }
void TForm1::SpinButton1DownClick() { state.TrackBar1.setPosition(state.TrackBar1.position() - 1); }
