#include "core/speech/EspeakSynthesizer.h"

#include "core/speech/VoiceMapping.h"

#include <algorithm>
#include <dlfcn.h>
#include <espeak-ng/speak_lib.h>
#include <mutex>
#include <QDir>
#include <QFileInfo>
#include <type_traits>

namespace ortolino {

namespace {

// How much audio espeak-ng hands over per callback: small enough for a quick
// first sample, large enough to keep the calls few.
constexpr int kBufferMs = 60;

// The library's entry points. libespeak-ng is opened when speech is first
// needed, not linked: it brings a dozen audio libraries that a program start
// should not have to load.
struct Api
{
    decltype(&::espeak_Initialize) Initialize = nullptr;
    decltype(&::espeak_Info) Info = nullptr;
    decltype(&::espeak_SetSynthCallback) SetSynthCallback = nullptr;
    decltype(&::espeak_ListVoices) ListVoices = nullptr;
    decltype(&::espeak_SetVoiceByName) SetVoiceByName = nullptr;
    decltype(&::espeak_SetParameter) SetParameter = nullptr;
    decltype(&::espeak_Synth) Synth = nullptr;

    bool open()
    {
        void* handle = dlopen("libespeak-ng.so.1", RTLD_NOW | RTLD_LOCAL);
        if (handle == nullptr)
            handle = dlopen("libespeak-ng.so", RTLD_NOW | RTLD_LOCAL);
        if (handle == nullptr)
            return false;
        const auto find = [handle](auto& entry, const char* name) {
            entry = reinterpret_cast<std::remove_reference_t<decltype(entry)>>(dlsym(handle, name));
            return entry != nullptr;
        };
        // The library stays loaded: its state lives as long as the process.
        return find(Initialize, "espeak_Initialize") && find(Info, "espeak_Info") &&
               find(SetSynthCallback, "espeak_SetSynthCallback") &&
               find(ListVoices, "espeak_ListVoices") &&
               find(SetVoiceByName, "espeak_SetVoiceByName") &&
               find(SetParameter, "espeak_SetParameter") && find(Synth, "espeak_Synth");
    }
};

// libespeak-ng's own state is process-wide; this mirrors it, under one lock.
struct Library
{
    Api api;
    std::mutex mutex;
    bool tried = false;
    bool ready = false;
    QString error;
    int sampleRate = 0;
    QString loadedVoice; // the voice set last, to skip reloading it
    QList<EspeakVoice> voices;
};

Library& library()
{
    static Library instance;
    return instance;
}

bool hasData(const QString& folder)
{
    return QFileInfo(QDir(folder).filePath(QStringLiteral("phontab"))).isReadable() &&
           QFileInfo(QDir(folder).filePath(QStringLiteral("phondata"))).isReadable();
}

// What one synthesis needs inside the callback.
struct Job
{
    const Synthesizer::Deliver* deliver = nullptr;
    qint64 offset = 0; // samples of the earlier parts
    qint64 made = 0;   // samples of this part so far
    bool stopped = false;
};

int onSynthesized(short* wav, int count, espeak_EVENT* events)
{
    auto* job = static_cast<Job*>(events->user_data);
    if (job == nullptr || job->stopped)
        return 1;
    AudioChunk chunk;
    for (espeak_EVENT* e = events; e->type != espeakEVENT_LIST_TERMINATED; ++e) {
        if (e->type == espeakEVENT_PHONEME) {
            const QString name = QString::fromUtf8(e->id.string, qstrnlen(e->id.string, 8));
            chunk.cues.append({job->offset + e->sample, mouthForPhoneme(name)});
        }
    }
    if (wav != nullptr && count > 0)
        chunk.pcm = QByteArray(reinterpret_cast<const char*>(wav), qsizetype(count) * 2);
    job->made += count;
    if ((chunk.pcm.isEmpty() && chunk.cues.isEmpty()) || (*job->deliver)(chunk))
        return 0;
    job->stopped = true;
    return 1;
}

QList<EspeakVoice> listVoices(const Api& api)
{
    QList<EspeakVoice> voices;
    const espeak_VOICE** list = api.ListVoices(nullptr);
    for (int i = 0; list != nullptr && list[i] != nullptr; ++i) {
        const espeak_VOICE* v = list[i];
        const QString identifier = QString::fromUtf8(v->identifier);
        const char* languages = v->languages;
        voices.append(
            {QString::fromUtf8(v->name), identifier.section(u'/', -1),
             languages != nullptr && *languages ? QString::fromUtf8(languages + 1) : QString()});
    }
    return voices;
}

// Starts the library once. Called with the lock held.
void startLibrary(Library& lib, const QString& dataFolder)
{
    lib.tried = true;
    if (!lib.api.open()) {
        lib.error =
            QStringLiteral("espeak-ng could not start: the library libespeak-ng is missing");
        return;
    }
    const QByteArray path = QFile::encodeName(dataFolder);
    const int rate = lib.api.Initialize(
        AUDIO_OUTPUT_SYNCHRONOUS, kBufferMs, dataFolder.isEmpty() ? nullptr : path.constData(),
        espeakINITIALIZE_PHONEME_EVENTS | espeakINITIALIZE_DONT_EXIT);
    const char* home = nullptr;
    lib.api.Info(&home);
    if (rate <= 0 || home == nullptr || !hasData(QFile::decodeName(home))) {
        lib.error = QStringLiteral("espeak-ng could not start: no voice data found");
        return;
    }
    lib.api.SetSynthCallback(onSynthesized);
    lib.sampleRate = rate;
    lib.voices = listVoices(lib.api);
    lib.ready = !lib.voices.isEmpty();
    if (!lib.ready)
        lib.error = QStringLiteral("espeak-ng has no voices installed");
}

bool matchesVoice(const EspeakVoice& voice, const QString& name)
{
    return voice.file.compare(name, Qt::CaseInsensitive) == 0 ||
           voice.name.compare(name, Qt::CaseInsensitive) == 0;
}

bool setVoice(Library& lib, const QString& name)
{
    if (name.isEmpty())
        return false;
    if (lib.loadedVoice == name)
        return true;
    if (lib.api.SetVoiceByName(name.toUtf8().constData()) != EE_OK)
        return false;
    lib.loadedVoice = name;
    return true;
}

// The voice asked for, else the language's, else the program's language.
bool chooseVoice(Library& lib, const SpeechRequest& request)
{
    const bool known = std::any_of(lib.voices.begin(), lib.voices.end(), [&](const EspeakVoice& v) {
        return matchesVoice(v, request.voiceName.section(u'+', 0, 0));
    });
    return (known && setVoice(lib, request.voiceName)) || setVoice(lib, request.language) ||
           setVoice(lib, defaultEspeakLanguage());
}

} // namespace

EspeakSynthesizer::EspeakSynthesizer(const QString& folder)
{
    // Like the library, accept the data folder itself or the folder holding it.
    const QString nested = QDir(folder).filePath(QStringLiteral("espeak-ng-data"));
    const QString dataFolder = !folder.isEmpty() && hasData(nested) ? nested : folder;
    if (!dataFolder.isEmpty() && !hasData(dataFolder)) {
        error_ = QStringLiteral("no espeak-ng voice data in %1").arg(dataFolder);
        return;
    }
    Library& lib = library();
    std::lock_guard lock(lib.mutex);
    if (!lib.tried)
        startLibrary(lib, dataFolder);
    available_ = lib.ready;
    error_ = lib.error;
}

bool EspeakSynthesizer::libraryStarted()
{
    Library& lib = library();
    std::lock_guard lock(lib.mutex);
    return lib.tried;
}

int EspeakSynthesizer::sampleRate() const
{
    return available_ ? library().sampleRate : 0;
}

QList<EspeakVoice> EspeakSynthesizer::voices() const
{
    if (!available_)
        return {};
    Library& lib = library();
    std::lock_guard lock(lib.mutex);
    return lib.voices;
}

bool EspeakSynthesizer::hasVoice(const QString& name) const
{
    const QString base = name.section(u'+', 0, 0);
    const QList<EspeakVoice> installed = voices();
    return !base.isEmpty() &&
           std::any_of(installed.begin(), installed.end(),
                       [&](const EspeakVoice& v) { return matchesVoice(v, base); });
}

bool EspeakSynthesizer::synthesize(const SpeechRequest& request, const Deliver& deliver,
                                   QString* error)
{
    if (!available_) {
        if (error)
            *error = error_;
        return false;
    }
    Library& lib = library();
    std::lock_guard lock(lib.mutex);
    if (!chooseVoice(lib, request)) {
        if (error)
            *error = QStringLiteral("no espeak-ng voice for \"%1\"").arg(request.language);
        return false;
    }
    Job job;
    job.deliver = &deliver;
    for (const SpokenPart& part : request.parts) {
        lib.api.SetParameter(espeakRATE, espeakRateForSpeed(part.tone.speed), 0);
        lib.api.SetParameter(espeakPITCH, espeakPitchForPitch(part.tone.pitch), 0);
        const QByteArray text = part.text.toUtf8();
        job.made = 0;
        const espeak_ERROR result =
            lib.api.Synth(text.constData(), size_t(text.size()) + 1, 0, POS_CHARACTER, 0,
                          espeakCHARS_UTF8, nullptr, &job);
        if (job.stopped)
            return true;
        if (result != EE_OK) {
            if (error)
                *error = QStringLiteral("espeak-ng could not synthesize the text");
            return false;
        }
        job.offset += job.made;
    }
    return true;
}

} // namespace ortolino
