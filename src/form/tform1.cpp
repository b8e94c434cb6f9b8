#include "form/tform1.h"

#include "files/paths.h"

TForm1::TForm1(Services services) : services_(services)
{
    // Track bars run their change handlers whoever moves them (the user, the spin button, the
    // settings file); the handlers write the value label and rebuild the command line.
    state.volbar.onChange = [this] { volbarChange(); };
    state.sqbar.onChange = [this] { sqbarChange(); };
    state.TrackBar1.onChange = [this] { TrackBar1Change(); };
}

std::string FileListBox::fileName() const
{
    return selected.empty() ? std::string() : paths::join(directory, selected);
}
