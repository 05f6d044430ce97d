// The character-file reader: any file gives a character that can be drawn
// (a size a screen shows, every slot once) or a reason.
#include "core/speech/CharacterFile.h"
#include "FuzzSupport.h"

using namespace ortolino;
using namespace ortolino::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QString error;
    const std::optional<CharacterDefinition> d = parseCharacterText(bytesOf(data, size), &error);
    if (!d) {
        check(!error.isEmpty(), "refused without a reason");
        return 0;
    }
    check(d->size.width() >= 1 && d->size.height() >= 1, "empty size");
    check(d->size.width() <= kCharacterMaxSide && d->size.height() <= kCharacterMaxSide,
          "larger than a screen");
    for (const CharacterAnimation& animation : d->animations)
        check(animation.durationMs() > 0, "a gesture that takes no time");
    return 0;
}
