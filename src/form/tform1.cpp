#include "form/tform1.h"

TForm1::TForm1(Services services) : services_(services)
{
    // The handlers write the value label and rebuild the command line.
    for (const TrackBarBinding& b : trackBarBindings)
        (state.*b.bar).onChange = [this, handler = b.handler] { (this->*handler)(); };
    // The emulator's items start disabled, saying why.
    followSession();
}
