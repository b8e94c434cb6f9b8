#include "base/services.h"
#include "platform/midi_tune.h"
#include "support/fakes.h"
#include "ui/application.h"
#include "ui/main_window.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

// Each box start-up shows, and whether the main window was on the screen when it came.
struct SeenBoxes : ErrorBox {
    void show(const std::string& message) override
    {
        bool windowShown = false;
        for (QWidget* w : QApplication::topLevelWidgets())
            windowShown |= qobject_cast<MainWindow*>(w) && w->isVisible();
        seen.push_back((windowShown ? "after the window: " : "") + message);
    }
    std::vector<std::string> seen;
};

struct Installation {
    const char* name;
    bool tune;
    const char* settings; // nullptr: no settings.CFG
    std::vector<std::string> boxes;
};

class StartupBoxes : public ::testing::TestWithParam<Installation> {};

// The whole program, up to its first frame, in an application directory with a fault.
TEST_P(StartupBoxes, ComeBeforeTheWindowInTheOrderOfTheSteps)
{
    const Installation& c = GetParam();
    TempDir app;
    const fs::path before = fs::current_path();
    fs::current_path(app.path);
    const std::string here = fs::current_path().string();
    if (c.tune)
        for (int n = 1; n <= 34; ++n)
            app.write("music/" + std::to_string(n) + ".mid", tune(960));
    if (c.settings)
        app.write("settings.CFG", c.settings);

    SeenBoxes boxes;
    StartOverrides overrides;
    overrides.errors = &boxes;
    overrides.atFirstFrame = [] { QApplication::quit(); };
    static int argc = 1;
    static char name[] = "veldrun";
    static char* argv[] = {name, nullptr};
    runVeldrun(argc, argv, overrides);
    fs::current_path(before);

    std::vector<std::string> expected;
    for (const std::string& b : c.boxes)
        expected.push_back(b == "settings" ? "Cannot open file " + here + "/settings.CFG" : b);
    ASSERT_EQ(boxes.seen.size(), expected.size()) << ::testing::PrintToString(boxes.seen);
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_TRUE(boxes.seen[i].starts_with(expected[i])) << boxes.seen[i];
}

INSTANTIATE_TEST_SUITE_P(Table, StartupBoxes,
                         ::testing::Values(Installation{"NoSettings", true, nullptr, {"settings"}},
                                           Installation{
                                               "NoTuneAndABadSettingsLine",
                                               false,
                                               "11x00050010000015#10000\r\n",
                                               {"Cannot play ", "'x' is not a valid integer value"}}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
