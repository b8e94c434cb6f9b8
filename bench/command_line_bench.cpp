#include "form/tform1.h"
#include "support/fakes.h"

#include <benchmark/benchmark.h>

// linecreate on a fully populated state: every fragment present, both slots filled.
static void BM_linecreate(benchmark::State& bench)
{
    FakeServices fakes;
    TForm1 form{fakes.services()};
    LauncherState& s = form.state;
    s.default_ = "/home/ann/msx";
    s.slotafile = "/home/ann/msx/roms/NEMESIS2.ROM";
    s.slotbfile = " /home/ann/msx/roms/SCC-PLUS.ROM";
    s.diskafile = "game.dsk";
    s.diskbfile = "driveb.dsk";
    s.computer.select(2);
    s.slota.select(2);
    s.slotb.select(5);
    s.TrackBar1.setPosition(250);
    s.volbar.setPosition(12);
    s.resolutie.select(2);
    s.FMPACselect.select(3);
    s.sccselect.select(1);
    s.freq.select(1);
    s.Sram.select(2);
    s.Svram.select(1);
    s.spritegroup.select(1);
    s.vdpgroup.select(3);
    s.painterbox.checked = true;
    s.sadapter.select(1);
    s.vgabox.select(1);
    s.syncbox.select(1);
    for (auto _ : bench) {
        form.linecreate();
        benchmark::DoNotOptimize(s.editline.data());
    }
}
BENCHMARK(BM_linecreate);
