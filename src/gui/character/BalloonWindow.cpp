#include "gui/character/BalloonWindow.h"

#include "core/speech/CharacterMotion.h"
#include "gui/character/CharacterWindow.h"
#include "gui/widgets/Accessibility.h"
#include "gui/widgets/FittedText.h"

#include <algorithm>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPathStroker>
#include <QScreen>

namespace ortolino {

namespace {

// The tail: a curved wedge from the bubble's edge nearest the tip to the tip.
QPainterPath tailPath(const QRectF& body, const QPointF& tip)
{
    const QPointF centre = body.center();
    const QPointF base(std::clamp(tip.x(), body.left() + 24, body.right() - 24),
                       std::clamp(tip.y(), body.top() + 18, body.bottom() - 18));
    const bool vertical = tip.y() > body.bottom() || tip.y() < body.top();
    const QPointF edge =
        vertical ? QPointF(base.x(), tip.y() > centre.y() ? body.bottom() - 2 : body.top() + 2)
                 : QPointF(tip.x() > centre.x() ? body.right() - 2 : body.left() + 2, base.y());
    const QPointF spread = vertical ? QPointF(11, 0) : QPointF(0, 11);
    QPainterPath tail;
    tail.moveTo(edge - spread);
    tail.quadTo((edge + tip) / 2, tip);
    tail.quadTo((edge + tip) / 2 + spread * 0.3, edge + spread);
    tail.closeSubpath();
    return tail;
}

// The largest space the area leaves beside the character, in which the
// balloon's body (tail included) must fit.
QRect roomBeside(const QRect& area, const QRect& character, const QPoint& anchor, int tail)
{
    const QRect spaces[] = {
        QRect(QPoint(area.left(), area.top()), QPoint(area.right(), anchor.y() - tail)),
        QRect(QPoint(character.right() + 1 + tail, area.top()), area.bottomRight()),
        QRect(area.topLeft(), QPoint(character.left() - 1 - tail, area.bottom())),
        QRect(QPoint(area.left(), character.bottom() + 1 + tail), area.bottomRight()),
    };
    QRect best;
    for (const QRect& space : spaces) {
        if (space.isValid() && space.width() * space.height() > best.width() * best.height())
            best = space;
    }
    return best;
}

} // namespace

BalloonWindow::BalloonWindow() : QWidget(nullptr, floatingWindowFlags())
{
    setObjectName(QStringLiteral("Balloon"));
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    markLive(this); // a screen reader hears each text the balloon shows
}

void BalloonWindow::present(const QString& text, const QRect& character, const QPoint& anchor)
{
    text_ = text;
    announceLiveText(this, text);
    QRect area = area_.adjusted(kOutline, kOutline, -kOutline, -kOutline);
    shownFont_ = font_;
    if (isWindow() || area.isEmpty()) {
        QScreen* screen = QGuiApplication::screenAt(character.center());
        if (screen == nullptr)
            screen = QGuiApplication::primaryScreen();
        area = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    }
    int limit = std::clamp(QFontMetrics(font_).averageCharWidth() * 26, 180,
                           std::max(180, area.width() * 2 / 5));
    if (!isWindow() && !area_.isEmpty()) {
        const QRect room = roomBeside(area, character, anchor, kTail);
        limit = std::max(room.width() - 2 * kPadding, 1);
        shownFont_ = fittedFont(font_, font_.pointSizeF(), {text},
                                QSizeF(limit, room.height() - 2 * kPadding - 6), TextFit::Wrapped);
    }
    const QFontMetrics metrics(shownFont_);
    const int flags = Qt::TextWordWrap | Qt::AlignCenter;
    QRect needed = metrics.boundingRect(QRect(0, 0, limit, 100000), flags, text);
    const int width = sizeToText_ ? std::max(needed.width(), 60) : limit;
    const QSize body(width + 2 * kPadding, needed.height() + 2 * kPadding);

    const BalloonPlacement place = placeBalloon(character, anchor, body, kTail, area);
    const QRect outer = place.body.united(QRect(place.tip, QSize(1, 1)))
                            .adjusted(-kOutline, -kOutline, kOutline, kOutline);
    const QPoint origin = outer.topLeft();
    const QRectF bubble = QRectF(place.body.translated(-origin));
    textArea_ = place.body.translated(-origin).adjusted(kPadding, kPadding, -kPadding, -kPadding);
    // The text is laid out again as wide as it was measured: in a box just
    // as wide as its widest line, the painter may wrap that line once more
    // and the text would overflow the bubble. Its lines stay inside, centred.
    const int slack = limit - textArea_.width();
    if (slack > 0)
        textArea_.adjust(-slack / 2, 0, slack - slack / 2, 0);
    shape_ = QPainterPath();
    shape_.addRoundedRect(bubble, 16, 16);
    shape_ = shape_.united(tailPath(bubble, QPointF(place.tip - origin)));

    setGeometry(outer);
    if (isWindow()) { // within its owner, the owner's pixels show around it
        QPainterPathStroker stroker;
        stroker.setWidth(5); // the outline's outer half stays inside the shape
        const QPainterPath outline = shape_.united(stroker.createStroke(shape_));
        setMask(QRegion(outline.toFillPolygon().toPolygon(), Qt::WindingFill));
    }
    show();
    raise();
    update();
}

void BalloonWindow::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (isWindow()) {
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(rect(), Qt::transparent);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
    painter.setPen(QPen(QColor(60, 60, 80), 2.5));
    painter.setBrush(QColor(255, 253, 231));
    painter.drawPath(shape_);
    painter.setPen(QColor(20, 20, 30));
    painter.setFont(shownFont_);
    painter.drawText(textArea_, Qt::TextWordWrap | Qt::AlignCenter, text_);
}

} // namespace ortolino
