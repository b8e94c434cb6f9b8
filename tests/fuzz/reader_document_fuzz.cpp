// Any bytes as a file in the reader: the text it reads is rendered into a document without a
// fault, each paragraph its own block.
#include "reader/text_decoding.h"
#include "ui/reader_document.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <algorithm>
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
    const std::string all = text.plainText();
    const auto paragraphs = std::count(all.begin(), all.end(), '\n') + 1;
    if (document.blockCount() < paragraphs)
        std::abort();
    return 0;
}
