#pragma once

#include <string>

// The file list of the browser as the handlers read it. The view keeps it up to date before it
// raises the list's change event.
struct FileListBox {
    std::string directory;      // the listed directory
    std::string mask = "*.rom"; // "*.rom" or "*.dsk"
    std::string selected;       // the selected file's name, empty when none

    // The directory, one separator and the selected name; empty when nothing is selected.
    std::string fileName() const;
};
