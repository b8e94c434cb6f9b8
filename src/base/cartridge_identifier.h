#pragma once

// What is known about the cartridge in a slot, for the slot's caption and its mapper list.
// Standard C++ only: the core may include this header.

#include <functional>
#include <string>

struct CartridgeFacts {
    std::string summary; // "Gradius 2 - Nemesis 2, Konami 1987, mapper Konami5 8kB (SCC)"
    int mapperItem = -1; // the item of a slot's mapper list that fits the cartridge, or -1
};

class CartridgeIdentifier {
  public:
    virtual ~CartridgeIdentifier() = default;
    // Reads the ROM image without holding up the window and calls `done` on the window's thread;
    // a file that cannot be read is simply not known.
    virtual void identify(const std::string& path, std::function<void(const CartridgeFacts&)> done) = 0;
};
