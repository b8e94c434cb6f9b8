#include "reader/rtf_reader.h"
#include "ui/reader_document.h"

#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QTextDocument>

#include <benchmark/benchmark.h>

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

} // namespace

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
