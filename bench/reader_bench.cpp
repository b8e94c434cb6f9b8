#include "reader/rtf_reader.h"
#include "reader/text_decoding.h"
#include "ui/reader_document.h"

#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QTextBlock>
#include <QTextDocument>

#include <benchmark/benchmark.h>

#include <fstream>
#include <string>

namespace {

// One paragraph whose runs take turns in bold and plain: words, or one endless word.
std::string oneParagraph(int runs, bool spaces)
{
    std::string rtf = "{\\rtf1\\ansi ";
    for (int i = 0; i < runs; ++i)
        rtf += std::string(i % 2 ? "\\b0 x" : "\\b x") + (spaces ? " " : "");
    return rtf + "}";
}

void application()
{
    static int argc = 1;
    static char name[] = "reader_bench";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(argc, argv);
}

// From the file's bytes to a document laid out at the reader's width: the time the reader takes
// to show a text. It grows in proportion to the number of runs, however long the paragraph.
void showParagraph(benchmark::State& bench, bool spaces)
{
    application();
    const std::string rtf = oneParagraph(static_cast<int>(bench.range(0)), spaces);
    QTextDocument document;
    document.setTextWidth(305);
    for (auto _ : bench) {
        renderReaderDocument(document, reader::readRtf(rtf), 96);
        benchmark::DoNotOptimize(document.documentLayout()->documentSize());
    }
    bench.SetComplexityN(bench.range(0));
}

// The process's peak resident memory, in MiB.
double peakMiB()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with("VmHWM:"))
            return std::stod(line.substr(6)) / 1024;
    return 0;
}

// A plain text of that many empty lines, shown again and again in one document (each time after
// another text): from the file's bytes to the first screenful laid out, or to the whole text laid
// out, which the view does a step at a time after showing the first.
void showManyLines(benchmark::State& bench, bool whole)
{
    application();
    const std::string bytes(static_cast<std::size_t>(bench.range(0)), '\n');
    QTextDocument document;
    document.setTextWidth(305);
    for (auto _ : bench) {
        renderReaderDocument(document, reader::readDocument(bytes), 96);
        QAbstractTextDocumentLayout* layout = document.documentLayout();
        benchmark::DoNotOptimize(whole ? layout->documentSize()
                                       : layout->blockBoundingRect(document.begin()).size());
    }
    bench.counters["blocks"] = document.blockCount();
    bench.counters["peak_MiB"] = peakMiB();
}

} // namespace

static void BM_showManyLines(benchmark::State& bench) { showManyLines(bench, false); }
static void BM_layOutManyLines(benchmark::State& bench) { showManyLines(bench, true); }
BENCHMARK(BM_showManyLines)->Arg(786'432)->Arg(2 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_layOutManyLines)->Arg(786'432)->Arg(2 << 20)->Unit(benchmark::kMillisecond);

static void BM_showParagraphOfWords(benchmark::State& bench) { showParagraph(bench, true); }
static void BM_showParagraphOfOneWord(benchmark::State& bench) { showParagraph(bench, false); }
BENCHMARK(BM_showParagraphOfWords)
    ->RangeMultiplier(4)
    ->Range(1 << 12, 1 << 18)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
BENCHMARK(BM_showParagraphOfOneWord)
    ->RangeMultiplier(4)
    ->Range(1 << 12, 1 << 18)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
