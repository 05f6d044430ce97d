#pragma once

#include "core/speech/CharacterFile.h"
#include "core/speech/CharacterMotion.h"

#include <memory>
#include <QHash>
#include <QPixmap>

class QPainter;

namespace ortolino {

// A character's artwork, ready to draw: every element the character file
// names is rendered once from the SVG into its own picture, at the size of
// the character, so that each frame only stacks pictures.
class CharacterArtwork
{
public:
    // Nothing, with the reason in *error, when the SVG cannot be read or lacks
    // an element the file names.
    static std::unique_ptr<CharacterArtwork> load(const CharacterDefinition& definition,
                                                  qreal devicePixelRatio, QString* error);

    QSize size() const { return definition_.size; }
    // Draws the character in a pose with a mouth shape, in a rectangle of size().
    void paint(QPainter& painter, const CharacterPose& pose, MouthShape mouth) const;
    // Bytes held by the rendered pictures.
    qint64 memoryBytes() const;

private:
    struct Layer
    {
        QPointF topLeft; // in character pixels
        QPixmap picture;
    };

    explicit CharacterArtwork(const CharacterDefinition& definition) : definition_(definition) {}
    const QStringList& elementsFor(const QString& entry, const CharacterPose& pose,
                                   MouthShape mouth) const;

    CharacterDefinition definition_;
    QHash<QString, Layer> layers_;
};

} // namespace ortolino
