#include "window_fixture.h"

#include "platform/softwaredb_identifier.h"
#include "software_database.h"
#include "support/eventually.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QMenu>
#include <QTimer>

namespace {

const char* const database = R"(<softwaredb>
<software><title>Gradius 2 - Nemesis 2</title><company>Konami</company><year>1987</year>
  <dump><megarom><type>KonamiSCC</type><hash>a53394be1a0fe9379328c485c2e26e6d2bd25758</hash></megarom></dump>
</software>
<software><title>Sangokushi</title><company>Koei</company><year>1986</year>
  <dump><megarom><type>KoeiSRAM32</type><hash>67a224e6791aee11bcf9100aad2aa9f0aa6c123c</hash></megarom></dump>
</software></softwaredb>)";

struct TipCase {
    std::string name;
    std::string bytes; // of the ROM file
    int listBefore;    // slota's index when the cartridge goes in
    QString tip;
    QString offer; // the context menu's entry, or empty for no menu
    int listAfter; // slota's index once the offer, if any, is taken
    std::string file = "GAME.ROM";
};

class CartridgeTip : public WindowTest, public testing::WithParamInterface<TipCase> {};

// The context menu of a mapper list: its entries, the first of them taken.
QStringList takeOffer(QComboBox* list)
{
    QStringList entries;
    QTimer::singleShot(0, [&entries] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            for (QAction* action : menu->actions())
                entries << action->text();
            menu->actions().front()->trigger();
            menu->close();
        }
    });
    emit list->customContextMenuRequested(QPoint(4, 4));
    QApplication::processEvents();
    return entries;
}

TEST_P(CartridgeTip, SlotCaptionSaysWhatTheDatabaseKnowsAndTheListOffersItsMapper)
{
    const TipCase& c = GetParam();
    dir.write("softwaredb.xml", database);
    dir.write(c.file, c.bytes);
    const softwaredb::Database db(dir.file("softwaredb.xml"));
    SoftwareDbIdentifier identifier(db);
    open();
    window->setCartridgeIdentifier(identifier);
    auto* caption = find<QWidget>("slotatext");
    const QString ownTip = caption->toolTip();
    form->state.slota.select(c.listBefore);
    window->mirror();

    click("FileListBox1", QString::fromStdString(c.file));
    EXPECT_TRUE(eventually([&] {
        QApplication::processEvents();
        return caption->toolTip() == c.tip;
    })) << caption->toolTip().toStdString();

    const std::string lineBefore = form->state.editline;
    const QStringList entries = takeOffer(find<QComboBox>("slota"));
    EXPECT_EQ(entries, c.offer.isEmpty() ? QStringList() : QStringList{c.offer});
    EXPECT_EQ(form->state.slota.index(), c.listAfter);
    EXPECT_EQ(find<QComboBox>("slota")->currentIndex(), c.listAfter);
    EXPECT_EQ(form->state.editline != lineBefore, c.listAfter != c.listBefore) << "an offer taken rebuilds";

    // Moved to slot 2, the cartridge keeps its tip at once; slot 1's caption has its own back.
    QTest::mouseClick(find<QAbstractButton>("Moveknop"), Qt::LeftButton);
    EXPECT_EQ(find<QWidget>("slotbtext")->toolTip(), c.tip);
    EXPECT_EQ(caption->toolTip(), ownTip);
}

INSTANTIATE_TEST_SUITE_P(
    SoftwareDb, CartridgeTip,
    testing::Values(TipCase{"KnownWithAnotherItemChosen", "scc game", 3,
                            "Gradius 2 - Nemesis 2, Konami 1987, mapper Konami5 8kB (SCC)",
                            "Use Konami5 8kB  ", 2},
                    TipCase{"KnownWithItsItemChosen", "scc game", 2,
                            "Gradius 2 - Nemesis 2, Konami 1987, mapper Konami5 8kB (SCC)", "", 2},
                    TipCase{"KoeiTakesTheAscii8kBItem", "koei game", 0,
                            "Sangokushi, Koei 1986, mapper KoeiSRAM32", "Use ASCII 8kB     ", 4},
                    TipCase{"Unknown", "unknown rom", 0, "not in the software database", "", 0},
                    TipCase{"CaptionCutShortKeepsItsName", "koei game", 0,
                            "Sangokushi - Romance of the Three Kingdoms (1986)(Koei)(JP).rom\n"
                            "Sangokushi, Koei 1986, mapper KoeiSRAM32",
                            "Use ASCII 8kB     ", 4,
                            "Sangokushi - Romance of the Three Kingdoms (1986)(Koei)(JP).rom"}),
    [](const auto& info) { return info.param.name; });

} // namespace
