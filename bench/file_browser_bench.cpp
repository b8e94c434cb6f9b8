// The file browser opening a folder of many ROMs, against an empty one: the time from the user's
// choice until the list is filled and painted.
#include "ui/file_browser.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QVBoxLayout>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

// A folder of n empty ROM files named as dumps are, once per run.
std::string folderOf(int n)
{
    const fs::path folder = fs::temp_directory_path() / ("veldrun_bench_roms_" + std::to_string(n));
    if (!fs::exists(folder / "done")) {
        fs::create_directories(folder);
        for (int i = 0; i < n; ++i) {
            char name[64];
            std::snprintf(name, sizeof name, "Game %05d (Japan) [a%d].rom", (i * 7919) % n, i % 3);
            std::FILE* file = std::fopen((folder / name).c_str(), "w");
            if (file)
                std::fclose(file);
        }
        std::FILE* done = std::fopen((folder / "done").c_str(), "w");
        if (done)
            std::fclose(done);
    }
    return folder.string();
}

struct Browser {
    QWidget window;
    QComboBox* drives = new QComboBox(&window);
    QListWidget* directories = new QListWidget(&window);
    QListView* files = new QListView(&window);
    QComboBox* filter = new QComboBox(&window);
    QLineEdit* name = new QLineEdit(&window);
    FileBrowser browser{drives, directories, files, filter, name};

    Browser()
    {
        auto* layout = new QVBoxLayout(&window);
        for (QWidget* w : std::initializer_list<QWidget*>{drives, directories, files, filter, name})
            layout->addWidget(w);
        filter->addItems({QStringLiteral("MSX-Roms"), QStringLiteral("MSX-Disks")});
        window.resize(250, 600);
        window.show();
        QApplication::processEvents();
    }
};

void openFolder(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    const QString folder = QString::fromStdString(folderOf(n));
    const QString elsewhere = QString::fromStdString(folderOf(0));
    Browser b;
    for (auto _ : state) {
        state.PauseTiming();
        b.browser.openDirectory(elsewhere);
        QApplication::processEvents();
        state.ResumeTiming();
        b.browser.openDirectory(folder);
        QApplication::processEvents();
        b.files->viewport()->repaint();
    }
    state.counters["files"] = b.files->model()->rowCount();
}

BENCHMARK(openFolder)->Arg(0)->Arg(50000)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
