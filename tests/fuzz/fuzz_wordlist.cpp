// The word-list reader and writer: any file gives its fields; the words a
// list can hold, written, read back equal and in the same order.
#include "core/config/WordListEditor.h"
#include "core/platform/TextFiles.h"
#include "core/words/WordCatalogue.h"
#include "FuzzSupport.h"

using namespace ortolino;
using namespace ortolino::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QStringList fields = campiListaParole(decodeText(bytesOf(data, size)));
    QStringList words;
    for (const QString& field : fields) {
        const QString word = field.toUpper();
        if (!word.isEmpty() && parolaSalvabileInLista(word))
            words << word;
    }
    QStringList back = campiListaParole(decodeText(testoListaParole(words)));
    back.removeAll(QString());
    check(back == words, "list round trip", words.join(QLatin1String(" | ")));
    return 0;
}
