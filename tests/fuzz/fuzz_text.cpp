// Text decoding: any bytes decode; Windows-1252 text that encodes decodes back
// equal; line splitting never loses a character other than line ends.
#include "core/platform/TextFiles.h"
#include "FuzzSupport.h"

#include <QStringList>

using namespace ortolino;
using namespace ortolino::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = bytesOf(data, size);
    const QString text = decodeText(bytes);
    if (const std::optional<QByteArray> encoded = encodeWindows1252(text))
        check(decodeWindows1252(*encoded) == text, "Windows-1252 round trip", text);
    check(decodeWindows1252(bytes).size() == bytes.size(), "one character per byte");
    const QStringList lines = splitLines(text);
    qsizetype kept = 0;
    for (const QString& line : lines) {
        check(!line.contains(u'\r') && !line.contains(u'\n'), "line end inside a line", line);
        kept += line.size();
    }
    check(kept == text.size() - text.count(u'\r') - text.count(u'\n'), "characters lost");
    return 0;
}
