#include "form/file_list_box.h"

#include "files/paths.h"

std::string FileListBox::fileName() const
{
    return selected.empty() ? std::string() : paths::join(directory, selected);
}
