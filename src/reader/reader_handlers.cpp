#include "base/errors.h"
#include "files/file_io.h"
#include "files/paths.h"
#include "form/tform1.h"
#include "reader/text_decoding.h"

namespace {

// Far beyond any manual or About text, and small enough that the view stays within tens of MiB.
constexpr std::size_t textLimit = 2u << 20;

// A cut may split a UTF-8 character; its lead bytes alone would make the whole text read as
// the western code page.
void dropSplitCharacter(std::string& bytes)
{
    std::size_t back = 0;
    while (back < 4 && back < bytes.size() &&
           (static_cast<unsigned char>(bytes[bytes.size() - 1 - back]) & 0xC0) == 0x80)
        ++back;
    if (back == bytes.size())
        return;
    const auto lead = static_cast<unsigned char>(bytes[bytes.size() - 1 - back]);
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    if (length > back + 1)
        bytes.resize(bytes.size() - 1 - back);
}

TextDocument cutDocument(fileio::Prefix file)
{
    dropSplitCharacter(file.bytes);
    TextDocument document = reader::readDocument(file.bytes);
    const bool ended = !document.runs.empty() && document.runs.back().text.ends_with('\n');
    document.runs.push_back(
        {std::string(ended ? "" : "\n") + "[The file is longer than 2 MiB: the text was cut here.]", {}});
    return document;
}

// Caption first, then the text; only a loaded text is shown. A file that cannot be opened keeps
// the old text and leaves the reader where it was, under the new caption.
void showInReader(TForm1& form, const char* caption, std::string_view sub)
{
    Treader& reader = form.reader;
    reader.Caption = caption;
    const std::string path = paths::under(form.state.default_, sub);
    fileio::Prefix file;
    try {
        file = fileio::readRegular(paths::resolveCaseInsensitive(path), textLimit);
    } catch (const VeldrunError&) {
        throw cannotOpenFile(path);
    }
    reader.fmsxman = file.cut ? cutDocument(std::move(file)) : reader::readDocument(file.bytes);
    ++reader.loads;
    form.services().windows.showReader();
}

} // namespace

void TForm1::fmsxhelpClick() { showInReader(*this, "fMSX-Dos manual", "\\Emulator\\fmsx-dos.txt"); }

void TForm1::About1Click() { showInReader(*this, "About Veldrun 2.0c", "\\About.txt"); }

void TForm1::TULKCFG1Click() { showInReader(*this, "View TULK.CFG file", "\\TULK.CFG"); }
