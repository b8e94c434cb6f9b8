// Writes the texts of the application directory: About.txt, the emulator folder's manual
// emulator/fmsx-dos.txt (Rich Text Format) and the first settings.CFG.

#include "rtf_writer.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// MSX2, 60Hz, 128Kb Ram, 128Kb Vram, both mappers Konami 8kB, quality 5, 320x200, FM-PAC off,
// SCC on, every video switch off, volume 15, speed 100.
const char* const defaultSettings = "11000050010000015#10000\r\n";

const char* const aboutText = R"(Veldrun 2.0c

Veldrun is a front-end for MSX home-computer emulators. Choose the machine (MSX1, MSX2 or MSX2+),
its memory, the SCC and FM-PAC sound chips, volume, sound quality, CPU speed and the video
switches; put ROM cartridges into the two slots and disk images into the two drives, or pick a
title from the quick-settings catalogue. Veldrun writes the options into TULK.CFG and starts the
emulator from the emulator folder with it. Background music plays while you choose.

Version 2.0c.

Your settings are kept in settings.CFG in this folder: press Save to keep them, Load to bring
them back. They are loaded at every start.

The pictures, tunes, disk images and texts in this folder were made for Veldrun by its own
generators. The emulator is a separate program: see Help > fMSX Manual for how to put one into
the emulator folder.

Veldrun is free software under the MIT licence:

Copyright (c) Veldrun developers

Permission is hereby granted, free of charge, to any person obtaining a copy of this software
and associated documentation files (the "Software"), to deal in the Software without
restriction, including without limitation the rights to use, copy, modify, merge, publish,
distribute, sublicense, and/or sell copies of the Software, and to permit persons to whom the
Software is furnished to do so, subject to the following conditions:

The above copyright notice and this permission notice shall be included in all copies or
substantial portions of the Software.

THE SOFTWARE IS PROVIDED "AS IS", WITHOUT WARRANTY OF ANY KIND, EXPRESS OR IMPLIED, INCLUDING
BUT NOT LIMITED TO THE WARRANTIES OF MERCHANTABILITY, FITNESS FOR A PARTICULAR PURPOSE AND
NONINFRINGEMENT. IN NO EVENT SHALL THE AUTHORS OR COPYRIGHT HOLDERS BE LIABLE FOR ANY CLAIM,
DAMAGES OR OTHER LIABILITY, WHETHER IN AN ACTION OF CONTRACT, TORT OR OTHERWISE, ARISING FROM,
OUT OF OR IN CONNECTION WITH THE SOFTWARE OR THE USE OR OTHER DEALINGS IN THE SOFTWARE.
)";

struct Option {
    const char* name;
    const char* meaning;
};

// In the order the front-end writes them.
const std::vector<Option> options = {
    {"-diska",
     "the disk image in drive A, a file of the _disks_ folder (\"drivea.dsk\" unless you pick another)."},
    {"-diskb", "the disk image in drive B (\"driveb.dsk\" unless you pick another)."},
    {"-msx1", "emulate an MSX1. Written when the machine list says *MSX1*."},
    {"-msx2+", "emulate an MSX2+. Written when the machine list says *MSX2+*; an MSX2 needs no option."},
    {"-rom", "the mapper types of cartridge slot 1 and slot 2, as two numbers: 0 Konami 8kB, 1 Konami 16kB, "
             "2 Konami5 8kB, 3 Konami4 8kB, 4 ASCII 8kB, 5 ASCII 16kB."},
    {"-cpuspeed", "the CPU speed in percent, 1 to 500, set with the Overclocking slider. Left out at 100."},
    {"-sq", "the sound quality, 1 (lowest) to 5 (best)."},
    {"-volume", "the sound volume, 0 to 15. Left out at 10, the emulator's own default."},
    {"-video", "written twice at most: first the screen mode (0 320x200, 1 320x240, 2 640x480, 3 256x212), "
               "then the video adapter when it is not detected automatically (1 S3 chipset, 2 VESA)."},
    {"-fmpac", "the FM-PAC music cartridge: 1 OPL2 (Adlib), 2 MPU401 (MIDI), 3 both. Left out when off."},
    {"-scc", "the Konami SCC sound chip: 0 off, 1 on."},
    {"-ifreq", "the video frequency: 60 for 60 Hz; 50 Hz needs no option."},
    {"-ram", "the main memory in 16 KB pages: 16 for 256 KB, 32 for 512 KB. Left out for 128 KB."},
    {"-vram", "the video memory: 16 for 256 KB. Left out for 128 KB."},
    {"-sprite", "1 limits the sprites per line as a real MSX does (\"Limit to 4/8\")."},
    {"-adjust", "how closely the video chip is emulated: 1 horizontal, 2 vertical, 3 fully."},
    {"-painter", "1 when \"Load painter\" is ticked."},
    {"-modeswitch", "1 switches the PC's VGA screen mode along with the MSX (\"VGA\")."},
    {"-sync", "1 keeps the video chip in step with the CPU (\"Sync VDP: All\")."},
};

std::string manual()
{
    RtfWriter rtf;
    rtf.title("Veldrun 2.0c - the emulator folder");
    rtf.paragraph("This page tells how to put an MSX emulator into place for _Veldrun_ and what each option "
                  "that Veldrun hands to it means.",
                  RtfWriter::Maroon);

    rtf.heading("Putting an emulator in place");
    rtf.paragraph("Veldrun does not emulate anything itself: it prepares the options and starts an emulator "
                  "program from the *emulator* folder of its application directory, the folder that holds "
                  "this file.");
    rtf.numbered(1, "Copy the emulator program into the *emulator* folder and name it *fmsx-dos.exe* (letter "
                    "case does not matter).");
    rtf.numbered(2,
                 "On Linux, make it executable (chmod +x). A native emulator can stand behind a small shell "
                 "script of that name.");
    rtf.numbered(3,
                 "Put your ROM images anywhere, for instance into the *roms* folder, and pick them with the "
                 "file browser; disk images go into the *disks* folder.");
    rtf.numbered(4, "Press the *MSX!* button: Veldrun writes the options into TULK.CFG and starts");
    rtf.code("<application directory>/emulator/fmsx-dos.exe @<application directory>/TULK.CFG");
    rtf.paragraph("The emulator receives one argument: an at sign and the full path of the response file "
                  "TULK.CFG, whose single line holds the options below. An emulator that cannot read a "
                  "response file can be wrapped in a script that reads the line and passes the options on.");

    rtf.heading("While the emulator runs");
    rtf.paragraph("Veldrun keeps an eye on the emulator it started. The right end of the menu bar says "
                  "whether it is starting, running (with openMSX's machine name), paused or ended. When it "
                  "ends with a failure, a box says why: openMSX missing, a cartridge that cannot be read, "
                  "openMSX's own fatal message, or for another program its exit status and last lines.");
    rtf.paragraph("One emulator runs at a time: pressing *MSX!* again asks whether to stop the running one. "
                  "Quitting Veldrun leaves it running.");
    rtf.paragraph(
        "When the emulator is openMSX, the *Emulator* menu drives it over openMSX's own control "
        "connection: *Pause*, *Reset*, *Stop*, *Change disk in drive A...* and *B...*, *Eject disks* "
        "and *Screenshot*, which saves a PNG file into the *screenshots* folder. A ROM or disk "
        "image picked or dropped while it runs is offered to the running machine. For any other "
        "emulator these items stay disabled.");

    rtf.heading("The options");
    rtf.paragraph(
        "The line starts with the ROM image of cartridge slot 1 and then that of slot 2, when there "
        "are any. Then follow, in this order:");
    for (const auto& o : options)
        rtf.bullet(o.name, o.meaning);

    rtf.heading("Tips");
    rtf.paragraph("*Command > Show* shows the line before it is written; you may edit it there, and the next "
                  "launch uses your edit. *Options > open TULK.CFG* shows the line of the last launch.");
    rtf.paragraph("Settings are remembered in settings.CFG only when you press *Save*.", RtfWriter::Teal);
    return rtf.finish();
}

bool writeFile(const fs::path& path, const std::string& bytes)
{
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return static_cast<bool>(out);
}

// The About text is written here wrapped; the file holds each paragraph on one line, so that the
// reader wraps it at its own width.
std::string oneLinePerParagraph(const std::string& text)
{
    std::string r;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool inParagraph =
            text[i] == '\n' && i > 0 && text[i - 1] != '\n' && i + 1 < text.size() && text[i + 1] != '\n';
        r += inParagraph ? ' ' : text[i];
    }
    return r;
}

// The texts use the CR LF line ends of the platform the front-end comes from.
std::string withCrLf(const std::string& text)
{
    std::string r;
    for (char c : text) {
        if (c == '\n')
            r += '\r';
        r += c;
    }
    return r;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <application directory>\n", argv[0]);
        return 2;
    }
    const fs::path dir = argv[1];
    fs::create_directories(dir / "roms");
    const bool ok = writeFile(dir / "About.txt", withCrLf(oneLinePerParagraph(aboutText))) &&
                    writeFile(dir / "emulator" / "fmsx-dos.txt", manual()) &&
                    writeFile(dir / "settings.CFG", defaultSettings);
    return ok ? 0 : 1;
}
