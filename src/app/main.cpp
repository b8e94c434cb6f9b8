#include "form/tform1.h"

#include <cstdio>

// Placeholder entry until the main window lands: prints the line the default settings build.
int main()
{
    struct Null : Pictures, MusicPlayer, ProcessStarter, DesktopShell, ErrorBox, WindowHost, Random {
        ImagePtr loadBmp(const std::string&) override { return {}; }
        void open(const std::string&) override {}
        void play() override {}
        void stop() override {}
        void close() override {}
        MusicState state() const override { return MusicState::NoTune; }
        void start(const std::string&, const std::vector<std::string>&) override {}
        void openUrl(const std::string&) override {}
        void openMail(const std::string&) override {}
        void openCommandInterpreter() override {}
        void show(const std::string&) override {}
        void closeMain() override {}
        void bringMainToFront() override {}
        void showReader() override {}
        void seedFromClock() override {}
        int below(int) override { return 0; }
    } null;
    TForm1 form{Services{null, null, null, null, null, null, null}};
    form.linecreate();
    std::puts(form.state.editline.c_str());
    return 0;
}
