#include "gui/widgets/Pointer.h"

#include "gui/widgets/ClickLabel.h"

#include <optional>
#include <QAbstractButton>
#include <QApplication>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPointer>
#include <QStyleHints>

namespace ortolino {

namespace {

// Sees every mouse press of the program before the control it is for.
class RepeatedClicks : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
            type != QEvent::MouseButtonRelease)
            return false;
        if (!qobject_cast<QAbstractButton*>(watched) && !qobject_cast<ClickLabel*>(watched) &&
            !qobject_cast<QMenuBar*>(watched))
            return false;
        const auto* mouse = static_cast<const QMouseEvent*>(event);
        if (type == QEvent::MouseButtonRelease) {
            // The release of an ignored press: a control that acts on its
            // release must not see it either.
            if (!ignoredPressOn_ || ignoredPressOn_ != watched)
                return false;
            ignoredPressOn_ = nullptr;
            return true;
        }
        ignoredPressOn_ = nullptr;
        // Signed: the clock of synthetic events may be behind the last one.
        const bool soon = lastIgnored_ && qint64(mouse->timestamp()) - qint64(*lastIgnored_) >= 0 &&
                          qint64(mouse->timestamp()) - qint64(*lastIgnored_) <
                              QGuiApplication::styleHints()->mouseDoubleClickInterval();
        if (type == QEvent::MouseButtonPress && !soon)
            return false;
        lastIgnored_ = mouse->timestamp();
        ignoredPressOn_ = watched;
        return true;
    }

private:
    std::optional<quint64> lastIgnored_; // the time of the last press ignored
    QPointer<QObject> ignoredPressOn_;   // whose release is ignored with it
};

} // namespace

QCursor pencilPointer()
{
    QPixmap pixmap(48, 48);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // Drawn pointing up-left: the tip sits at (2, 2).
    p.translate(2, 2);
    p.rotate(45);
    const QPen outline(QColor(40, 40, 40), 2);
    p.setPen(outline);
    QPainterPath tip;
    tip.moveTo(0, 0);
    tip.lineTo(7, 14);
    tip.lineTo(-7, 14);
    tip.closeSubpath();
    p.setBrush(QColor(245, 215, 160)); // bare wood
    p.drawPath(tip);
    p.setBrush(QColor(60, 60, 60)); // lead
    p.drawPolygon(QPolygonF({QPointF(0, 0), QPointF(3, 6), QPointF(-3, 6)}));
    p.setBrush(QColor(255, 190, 0)); // yellow body
    p.drawRect(QRectF(-7, 14, 14, 24));
    p.setBrush(QColor(235, 90, 110)); // eraser
    p.drawRoundedRect(QRectF(-7, 38, 14, 7), 2, 2);
    p.end();
    return QCursor(pixmap, 2, 2);
}

void countRepeatedClicksOnce(QObject& owner)
{
    // Qt takes a filter out of the application when the filter goes.
    QCoreApplication::instance()->installEventFilter(new RepeatedClicks(&owner));
}

} // namespace ortolino
