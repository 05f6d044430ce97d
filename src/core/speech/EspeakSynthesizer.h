#pragma once

#include "core/speech/Synthesizer.h"

#include <QList>
#include <QString>

namespace ortolino {

// An installed espeak-ng voice.
struct EspeakVoice
{
    QString name;     // e.g. "Italian"
    QString file;     // the voice file's name, e.g. "it": what voice identifiers hold
    QString language; // the voice's first language, e.g. "it"
};

// Speech through libespeak-ng, synthesized into memory with phoneme events for
// the mouth. The library keeps one state per process: it is initialised once,
// by the first synthesizer that finds its data, and every call into it is
// serialised, so synthesizers may live on several threads.
class EspeakSynthesizer final : public Synthesizer
{
public:
    // dataFolder: the "espeak-ng-data" folder (or the folder holding it);
    // empty = the library's own.
    // Once the library runs, other folders only decide whether data is present.
    explicit EspeakSynthesizer(const QString& dataFolder = {});

    // True once the first synthesizer has started (or tried to start) the
    // library in this process.
    static bool libraryStarted();

    // False when the data or the library could not be found or started.
    bool available() const { return available_; }
    QString error() const { return error_; }

    int sampleRate() const override;
    bool synthesize(const SpeechRequest& request, const Deliver& deliver, QString* error) override;

    // The installed voices in the library's order (empty when unavailable).
    QList<EspeakVoice> voices() const;
    // True when a name (a voice file name or voice name, with an optional
    // "+variant") selects an installed voice.
    bool hasVoice(const QString& name) const;

private:
    bool available_ = false;
    QString error_;
};

} // namespace ortolino
