#pragma once

#include "base/cartridge_identifier.h"

#include <QObject>

#include <array>
#include <functional>
#include <map>
#include <string>

class QComboBox;
class QWidget;
struct LauncherState;

// The slot captions' tooltips say what the software database knows about the cartridge in each
// slot, and each slot's mapper list offers the database's item in its context menu. The mapper
// itself belongs to the slot: only the user's choice of that offer changes the list.
class CartridgeTips : public QObject {
  public:
    // choose(slot, item) makes the user's choice of `item` in slot `slot`'s list (0 or 1).
    CartridgeTips(QWidget* panel, CartridgeIdentifier& identifier, std::function<void(int, int)> choose);

    // Follows the slots after every change of the form: a new cartridge is identified.
    void follow(const LauncherState& state);

  private:
    struct Slot {
        QWidget* caption;
        QComboBox* list;
        QString ownTip; // the caption's tooltip while the slot is empty
        std::string path;
        CartridgeFacts facts;
    };

    void show(Slot& slot, const std::string& path);
    void offer(int slot, const QPoint& at);

    CartridgeIdentifier& identifier_;
    std::function<void(int, int)> choose_;
    std::array<Slot, 2> slots_;
    std::map<std::string, CartridgeFacts> known_; // by path: a moved cartridge is not read again
};
