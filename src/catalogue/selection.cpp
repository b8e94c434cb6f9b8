#include "base/errors.h"
#include "catalogue/presets.h"
#include "form/tform1.h"

void TForm1::TreeView1Change(const std::string* selectedNodeText)
{
    gamepic.clear();
    Failures failures;
    // The walk does not stop at a match; keys are unique, so at most one entry runs. A change
    // that leaves no node selected only clears the picture and rebuilds.
    if (selectedNodeText != nullptr) {
        for (const PresetEntry& entry : presetTable()) {
            if (entry.key == *selectedNodeText)
                runPreset(*this, entry, failures);
        }
    }
    linecreate();
    failures.raise();
}
