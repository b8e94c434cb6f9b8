// Any bytes as a file in the reader: the text it reads is rendered into a document and laid out
// without a fault. (Paragraphs of one format share a block, and a U+2029 in the text starts one, so
// the number of blocks says nothing by itself.)
#include "reader/text_decoding.h"
#include "ui/reader_document.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv); // fonts need one
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const TextDocument text =
        reader::readDocument(std::string_view(reinterpret_cast<const char*>(data), size));
    QTextDocument document;
    renderReaderDocument(document, text, 96);
    // Laid out at the reader's width: every block gets a place, however odd the text.
    document.setTextWidth(320);
    if (document.blockCount() < 1 || !(document.size().height() >= 0))
        std::abort();
    return 0;
}
