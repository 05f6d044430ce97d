// The INI/language reader: any file reads, and the values stay within the
// longest value the rules return.
#include "core/lang/IniFile.h"
#include "FuzzSupport.h"

using namespace ortolino;
using namespace ortolino::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const IniDocument document = IniDocument::fromBytes(bytesOf(data, size));
    for (const char* section : {"Strings", "FormConfigura", "Language", ""}) {
        for (const char* key : {"0201", "TabStrip1.TabCaption(0)", "CurrentLanguage", "", "="}) {
            const QString value =
                document.value(QString::fromLatin1(section), QString::fromLatin1(key));
            check(size > kIniLimiteLettura || value.size() <= kIniLunghezzaMassima,
                  "value longer than the rules allow", value);
        }
    }
    return 0;
}
