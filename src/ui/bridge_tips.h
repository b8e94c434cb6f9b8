#pragma once

class QWidget;

// While the emulator is the bridge to openMSX, the tooltips of the options it cannot pass on say
// so after what the option means; with another emulator they say what it means alone.
void showBridgeTips(QWidget* panel, bool bridge);
