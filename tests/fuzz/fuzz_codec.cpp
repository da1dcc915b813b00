// Any bytes as a file: what is read is written back so that it reads the same.
#include "document/TextCodec.h"

#include <cstdlib>

using namespace lexifind;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString text = codec::decode(bytes);
    const QByteArray written = codec::encodeForFile(text);
    if (codec::decode(written) != text) {
        fprintf(stderr, "property broken: decode(encodeForFile(text)) != text\n");
        std::abort();
    }
    // A windows-1252 text is written one byte per character.
    if (codec::fitsWindows1252(text) && !written.startsWith("\xEF\xBB\xBF")
        && written.size() != text.size()) {
        fprintf(stderr, "property broken: windows-1252 size\n");
        std::abort();
    }
    for (auto context : {codec::PageContext::HtmlText, codec::PageContext::HtmlAttribute,
                         codec::PageContext::ScriptString, codec::PageContext::StyleSheet})
        codec::encodeForPage(text, context);
    return 0;
}
