#pragma once

#include "platform/SpeakingCharacter.h"

#include <QStringList>

namespace ortolino::test {

class RecordingAgent;

// A character that logs every call ("Show", "MoveTo 200 150", "Speak ...")
// in its agent's `calls`.
class RecordingPersonaggio final : public Personaggio
{
public:
    RecordingPersonaggio(RecordingAgent& agent, const QString& name) : agent_(agent), name_(name) {}

    QString name() const override { return name_; }
    bool MoveTo(int x, int y) override { return log(QStringLiteral("MoveTo %1 %2").arg(x).arg(y)); }
    bool Show() override { return log(QStringLiteral("Show")); }
    bool Hide() override { return log(QStringLiteral("Hide")); }
    bool Speak(const QString& text) override { return log(QStringLiteral("Speak ") + text); }
    bool Play(const QString& animation) override
    {
        return log(QStringLiteral("Play ") + animation);
    }
    bool StopAll() override { return log(QStringLiteral("StopAll")); }
    bool setTTSModeID(const QString& id) override
    {
        return log(QStringLiteral("setTTSModeID ") + id);
    }
    bool setLanguageID(int id) override { return log(QStringLiteral("setLanguageID %1").arg(id)); }
    bool setBalloonFont(const QString& face, int points) override
    {
        return log(QStringLiteral("setBalloonFont %1 %2").arg(face).arg(points));
    }
    int balloonStyle() const override { return style_; }
    bool setBalloonStyle(int style) override
    {
        style_ = style;
        return log(QStringLiteral("setBalloonStyle %1").arg(style));
    }

private:
    bool log(const QString& call);

    RecordingAgent& agent_;
    QString name_;
    int style_ = 0;
};

// Loads the characters named in `characters` (any letter case); others fail.
class RecordingAgent final : public Agent
{
public:
    std::unique_ptr<Personaggio> Load(const QString& name, QString* error) override
    {
        calls << QStringLiteral("Load ") + name;
        for (const QString& known : characters) {
            if (known.compare(name, Qt::CaseInsensitive) == 0)
                return std::make_unique<RecordingPersonaggio>(*this, known);
        }
        if (error)
            *error = QStringLiteral("no character");
        return nullptr;
    }
    QStringList characterNames() const override { return characters; }
    QList<Voce> voices() const override { return installedVoices; }

    QStringList characters{QStringLiteral("Merlin"), QStringLiteral("Peedy")};
    QList<Voce> installedVoices{{QStringLiteral("Italian"), QStringLiteral("{it}")},
                                {QStringLiteral("English (America)"), QStringLiteral("{en-US}")}};
    QStringList calls;
};

inline bool RecordingPersonaggio::log(const QString& call)
{
    agent_.calls << call;
    return true;
}

} // namespace ortolino::test
