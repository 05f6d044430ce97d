#include "gui/character/CharacterArtwork.h"

#include <cmath>
#include <QPainter>
#include <QSvgRenderer>

namespace ortolino {

namespace {

// Room around each element for anti-aliased edges.
constexpr int kMargin = 2;

// From the SVG's coordinates to character pixels: uniform, centred.
QTransform viewTransform(const QSvgRenderer& svg, const QSize& size)
{
    const QRectF box = svg.viewBoxF();
    const qreal scale = std::min(size.width() / box.width(), size.height() / box.height());
    QTransform t;
    t.translate((size.width() - box.width() * scale) / 2,
                (size.height() - box.height() * scale) / 2);
    t.scale(scale, scale);
    t.translate(-box.left(), -box.top());
    return t;
}

} // namespace

std::unique_ptr<CharacterArtwork> CharacterArtwork::load(const CharacterDefinition& definition,
                                                         qreal devicePixelRatio, QString* error)
{
    QSvgRenderer svg(definition.artworkPath);
    if (!svg.isValid() || svg.viewBoxF().isEmpty()) {
        if (error)
            *error = QStringLiteral("%1: not a usable SVG picture").arg(definition.artworkPath);
        return nullptr;
    }
    std::unique_ptr<CharacterArtwork> artwork(new CharacterArtwork(definition));
    const QTransform view = viewTransform(svg, definition.size);
    const qreal dpr = std::max<qreal>(1.0, devicePixelRatio);
    for (const QString& id : definition.elementIds()) {
        if (!svg.elementExists(id)) {
            if (error)
                *error = QStringLiteral("%1: the artwork has no element \"%2\"")
                             .arg(definition.name, id);
            return nullptr;
        }
        const QRectF inDocument = svg.transformForElement(id).mapRect(svg.boundsOnElement(id));
        const QRectF inCharacter = view.mapRect(inDocument);
        const QRect area =
            inCharacter.toAlignedRect().adjusted(-kMargin, -kMargin, kMargin, kMargin);
        QPixmap picture(area.size() * dpr);
        picture.setDevicePixelRatio(dpr);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        svg.render(&painter, id, inCharacter.translated(-area.topLeft()));
        painter.end();
        artwork->layers_.insert(id, {area.topLeft(), picture});
    }
    return artwork;
}

const QStringList& CharacterArtwork::elementsFor(const QString& entry, const CharacterPose& pose,
                                                 MouthShape mouth) const
{
    static const QStringList none;
    if (entry == u"@eyes")
        return pose.eyesClosed ? definition_.eyesClosed : definition_.eyesOpen;
    if (entry == u"@mouth")
        return definition_.mouths[size_t(mouth)];
    if (entry == u"@pose") {
        const auto gesture = definition_.animations.constFind(pose.gesture);
        if (gesture != definition_.animations.constEnd() && pose.gestureFrame >= 0 &&
            pose.gestureFrame < gesture->frames.size())
            return gesture->frames[pose.gestureFrame];
        return definition_.poseRest;
    }
    return none;
}

void CharacterArtwork::paint(QPainter& painter, const CharacterPose& pose, MouthShape mouth) const
{
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setOpacity(painter.opacity() * pose.opacity);
    // Every movement pivots on the middle of the feet.
    const QPointF feet(definition_.size.width() / 2.0, definition_.size.height() * 0.96);
    painter.translate(feet.x(), feet.y() - pose.lift);
    painter.rotate(pose.tilt);
    painter.scale(pose.scale, pose.scale);
    painter.translate(-feet);
    for (const QString& entry : definition_.order) {
        const QStringList single{entry};
        const QStringList& ids = entry.startsWith(u'@') ? elementsFor(entry, pose, mouth) : single;
        for (const QString& id : ids) {
            const auto layer = layers_.constFind(id);
            if (layer != layers_.constEnd())
                painter.drawPixmap(layer->topLeft, layer->picture);
        }
    }
    painter.restore();
}

qint64 CharacterArtwork::memoryBytes() const
{
    qint64 bytes = 0;
    for (const Layer& layer : layers_)
        bytes += qint64(layer.picture.width()) * layer.picture.height() * layer.picture.depth() / 8;
    return bytes;
}

} // namespace ortolino
