#pragma once

#include "core/speech/Synthesizer.h"

#include <array>
#include <optional>
#include <QMap>
#include <QPoint>
#include <QSize>
#include <QStringList>

namespace ortolino {

// The extension of character files in the program folder's personaggi/.
inline QString characterFileExtension()
{
    return QStringLiteral(".chr");
}

// A gesture: frames shown in turn in the pose slot, each frame one or more
// artwork elements drawn together.
struct CharacterAnimation
{
    QList<QStringList> frames;
    int frameMs = 150;
    int loops = 1;
    // Up to 5000 ms a frame and 50 loops: the total may pass what an int holds.
    qint64 durationMs() const { return qint64(frames.size()) * frameMs * loops; }
};

// What a character file says (the format is in docs/CHARACTERS.md): where its
// artwork is, its size, how its layers stack and which artwork elements make
// its eyes, mouth shapes, rest pose and gestures.
struct CharacterDefinition
{
    QString name;            // as shown: "Merlin" for merlin.chr
    QString artworkPath;     // the SVG file, absolute
    QSize size;              // on screen, in pixels
    QPoint balloonAnchor;    // where the balloon's tail points, from the top-left
    int blinkEveryMs = 4000; // 0: never blinks
    int idleEveryMs = 0;     // how often the "idle" gesture plays when nothing happens

    QStringList order; // element ids bottom to top; "@pose", "@eyes", "@mouth" are slots
    QStringList eyesOpen;
    QStringList eyesClosed;
    std::array<QStringList, kMouthShapeCount> mouths; // by MouthShape
    QStringList poseRest;
    QMap<QString, CharacterAnimation> animations; // by lower-case name

    // Every artwork element the file names, once each.
    QStringList elementIds() const;
};

// A character file is a page of text: a larger one is refused as damaged.
inline constexpr qint64 kCharacterFileMaxBytes = 256 * 1024;
// A character is drawn at its size: a larger one is scaled down to fit this
// square (a screen shows no more, and each frame costs its size in memory).
inline constexpr int kCharacterMaxSide = 800;

// What a character file's bytes say, the artwork path as written; nothing,
// with the reason (line) in *error, when they do not follow the format.
std::optional<CharacterDefinition> parseCharacterText(const QByteArray& bytes, QString* error);

// Reads a character file; nothing, with the reason (file and line) in *error,
// when it cannot be read or does not follow the format.
std::optional<CharacterDefinition> readCharacterFile(const QString& path, QString* error);

// The file of a character in a folder, matched without regard to letter
// case; an empty text when there is none.
QString characterFileFor(const QString& folder, const QString& name);

// The names of the character files of a folder, as they are shown (sorted).
QStringList characterNames(const QString& folder);

// A file's base name as shown: the first letter of each word in capitals,
// the rest in lower case ("PEEDY" -> "Peedy").
QString characterDisplayName(const QString& baseName);

} // namespace ortolino
