#include "window_fixture.h"

#include "bridge/fake_openmsx.h"
#include "ui/openmsx_machines.h"

#include <gmock/gmock.h>

#include <QComboBox>
#include <QTreeWidget>

#include <cstdlib>

namespace {

// The state column of a machine's line under a generation's heading, or "not listed".
QString stateOf(QTreeWidget* tree, const QString& generation, const QString& machine)
{
    const auto headings = tree->findItems(generation, Qt::MatchExactly);
    for (int i = 0; !headings.isEmpty() && i < headings.front()->childCount(); ++i)
        if (headings.front()->child(i)->text(0) == machine)
            return headings.front()->child(i)->text(5);
    return QStringLiteral("not listed");
}

class OpenMsxMachines : public WindowTest {
  protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        for (const char* name : {"PATH", "OPENMSX_HOME", "XDG_CACHE_HOME"})
            saved_.emplace_back(name, std::getenv(name) ? std::getenv(name) : "");
        ::setenv("PATH", dir.file("bin").c_str(), 1);
        ::setenv("OPENMSX_HOME", dir.file("openmsx").c_str(), 1);
        ::setenv("XDG_CACHE_HOME", dir.file("cache").c_str(), 1);
    }
    void TearDown() override
    {
        for (const auto& [name, value] : saved_)
            ::setenv(name.c_str(), value.c_str(), 1);
        WindowTest::TearDown();
    }

  private:
    std::vector<std::pair<std::string, std::string>> saved_;
};

TEST_F(OpenMsxMachines, ShowsWhatStartsAndPinsAMachineInTheChoiceFile)
{
    writeProgram(dir.file("bin/openmsx"), {"C-BIOS_MSX2", "Philips_NMS_8250"});
    std::filesystem::create_directories(dir.file("app/emulator"));
    auto dialog = std::make_unique<OpenMsxMachinesDialog>(dir.file("app"));
    auto* tree = dialog->findChild<QTreeWidget*>(QStringLiteral("machineTree"));
    EXPECT_EQ(stateOf(tree, "MSX2", "Philips_NMS_8250"), "not tested");
    dialog->testAgain();
    EXPECT_EQ(stateOf(tree, "MSX2", "Philips_NMS_8250"), "chosen");
    EXPECT_EQ(stateOf(tree, "MSX2", "C-BIOS_MSX2"), "");
    EXPECT_EQ(stateOf(tree, "MSX2", "Sony_HB-F700P"), "not listed");
    EXPECT_EQ(stateOf(tree, "MSX1", "C-BIOS_MSX1"), "not listed");

    dialog->findChild<QComboBox*>(QStringLiteral("pinmsx2"))->setCurrentText("C-BIOS_MSX2");
    ASSERT_TRUE(dialog->savePins());
    EXPECT_THAT(readFile(dir.file("app/emulator/bridge.cfg")), testing::EndsWith("\nmsx2 = C-BIOS_MSX2\n"));

    // The answers are kept: a new dialog asks openMSX nothing and shows the pin.
    const std::string asked = readFile(dir.file("bin/openmsx.asked"));
    dialog = std::make_unique<OpenMsxMachinesDialog>(dir.file("app"));
    tree = dialog->findChild<QTreeWidget*>(QStringLiteral("machineTree"));
    EXPECT_EQ(stateOf(tree, "MSX2", "C-BIOS_MSX2"), "chosen (pinned)");
    EXPECT_EQ(readFile(dir.file("bin/openmsx.asked")), asked);
    dialog->findChild<QComboBox*>(QStringLiteral("pinmsx2"))->setCurrentText("automatic");
    ASSERT_TRUE(dialog->savePins());
    EXPECT_THAT(readFile(dir.file("app/emulator/bridge.cfg")), testing::Not(testing::HasSubstr("\nmsx2 =")));
}

} // namespace
