// The WAV decoder: any bytes give a sound whose samples fit its format, or a
// reason.
#include "core/speech/WavFile.h"
#include "FuzzSupport.h"

using namespace ortolino;
using namespace ortolino::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QString error;
    const std::optional<PcmSound> sound = decodeWav(bytesOf(data, size), &error);
    if (!sound) {
        check(!error.isEmpty(), "refused without a reason");
        return 0;
    }
    check(sound->channels >= 1 && sound->channels <= 8, "channel count");
    check(sound->frames() > 0, "a sound without samples");
    check(sound->data.size() % (sound->bytesPerSample() * sound->channels) == 0, "half a frame");
    return 0;
}
