#include "base/errors.h"
#include "files/file_io.h"
#include "files/paths.h"
#include "form/tform1.h"
#include "reader/text_decoding.h"

namespace {

// Caption first, then the text; only a loaded text is shown. A file that cannot be opened keeps
// the old text and leaves the reader where it was, under the new caption.
void showInReader(TForm1& form, const char* caption, std::string_view sub)
{
    Treader& reader = form.reader;
    reader.Caption = caption;
    const std::string path = paths::under(form.state.default_, sub);
    std::string bytes;
    try {
        bytes = fileio::readAll(paths::resolveCaseInsensitive(path));
    } catch (const VeldrunError&) {
        throw cannotOpenFile(path);
    }
    reader.fmsxman = reader::readDocument(bytes);
    ++reader.loads;
    reader.Visible = true;
    form.services().windows.showReader();
}

} // namespace

void TForm1::fmsxhelpClick() { showInReader(*this, "fMSX-Dos manual", "\\Emulator\\fmsx-dos.txt"); }

void TForm1::About1Click() { showInReader(*this, "About Veldrun 2.0c", "\\About.txt"); }

void TForm1::TULKCFG1Click() { showInReader(*this, "View TULK.CFG file", "\\TULK.CFG"); }
