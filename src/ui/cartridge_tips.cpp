#include "ui/cartridge_tips.h"

#include "state/launcher_state.h"
#include "ui/widget_lookup.h"
#include "ui/window_style.h"

#include <QComboBox>
#include <QMenu>
#include <QPointer>

namespace {

// A caption cut short keeps its whole text in the tip, above what the database says.
void showFacts(QWidget* caption, const CartridgeFacts& facts)
{
    QString tip = QString::fromStdString(facts.summary);
    if (auto* label = dynamic_cast<ElidingLabel*>(caption); label && label->elided())
        tip = tip.isEmpty() ? label->text() : label->text() + QLatin1Char('\n') + tip;
    caption->setToolTip(tip);
}

} // namespace

CartridgeTips::CartridgeTips(QWidget* panel, CartridgeIdentifier& identifier,
                             std::function<void(int, int)> choose)
    : QObject(panel), identifier_(identifier), choose_(std::move(choose))
{
    const char* const captions[] = {"slotatext", "slotbtext"};
    const char* const lists[] = {"slota", "slotb"};
    for (int i = 0; i < 2; ++i) {
        auto* caption = requireChild<QWidget>(panel, captions[i]);
        auto* list = requireChild<QComboBox>(panel, lists[i]);
        slots_[i] = Slot{caption, list, caption->toolTip(), {}, {}};
        list->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(list, &QWidget::customContextMenuRequested, this,
                [this, i](const QPoint& at) { offer(i, at); });
    }
}

void CartridgeTips::follow(const LauncherState& state)
{
    show(slots_[0], state.slotafile);
    // Slot 2's file field starts with the blank that separates it on the command line.
    const std::string& b = state.slotbfile;
    show(slots_[1], b.empty() || b.front() != ' ' ? b : b.substr(1));
}

void CartridgeTips::show(Slot& slot, const std::string& path)
{
    if (path == slot.path)
        return;
    slot.path = path;
    slot.facts = {};
    if (path.empty()) {
        slot.caption->setToolTip(slot.ownTip);
        return;
    }
    if (auto it = known_.find(path); it != known_.end()) {
        slot.facts = it->second;
        showFacts(slot.caption, slot.facts);
        return;
    }
    showFacts(slot.caption, {});
    // The answer comes later: by then the slot may hold another cartridge, or the tips be gone.
    QPointer<CartridgeTips> self(this);
    Slot* target = &slot;
    identifier_.identify(path, [self, target, path](const CartridgeFacts& facts) {
        if (!self)
            return;
        self->known_[path] = facts;
        if (target->path != path)
            return;
        target->facts = facts;
        showFacts(target->caption, facts);
    });
}

void CartridgeTips::offer(int slot, const QPoint& at)
{
    const Slot& s = slots_[slot];
    const int item = s.facts.mapperItem;
    if (s.path.empty() || item < 0 || item == s.list->currentIndex())
        return;
    QMenu menu(s.list);
    QAction* use = menu.addAction(QStringLiteral("Use ") + s.list->itemText(item));
    use->setObjectName(QStringLiteral("useDatabaseMapper"));
    connect(use, &QAction::triggered, this, [this, slot, item] { choose_(slot, item); });
    menu.exec(s.list->mapToGlobal(at));
}
