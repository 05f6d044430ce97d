#include "gui/widgets/clsResize.h"

#include "gui/widgets/Controls.h"

#include <QMainWindow>
#include <QPainter>
#include <QScreen>

namespace ortolino {

LineControl::LineControl(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void LineControl::setEndPoints(QPoint p1, QPoint p2)
{
    p1_ = p1;
    p2_ = p2;
    const int margin = width_;
    setGeometry(QRect(p1, p2).normalized().adjusted(-margin, -margin, margin, margin));
    update();
}

void LineControl::setPen(const QPen& pen)
{
    color_ = pen.color();
    width_ = pen.width();
    setEndPoints(p1_, p2_);
}

void LineControl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(QPen(color_, width_));
    painter.drawLine(p1_ - pos(), p2_ - pos());
}

QWidget* clsResize::innerArea() const
{
    if (auto* main = qobject_cast<QMainWindow*>(form_.data()); main && main->centralWidget())
        return main->centralWidget();
    return form_;
}

void clsResize::record()
{
    QWidget* inner = innerArea();
    recordedWidth_ = inner->width();
    recordedHeight_ = inner->height();
    records_.clear();
    for (QObject* object : controlsOf(form_)) {
        auto* control = qobject_cast<QWidget*>(object);
        if (!control || !inner->isAncestorOf(control))
            continue; // menu entries have no position
        Geometry g;
        if (auto* line = qobject_cast<LineControl*>(control))
            g = {line->p1().x(), line->p1().y(), line->p2().x(), line->p2().y()};
        else
            g = {control->x(), control->y(), control->width(), control->height()};
        records_.push_back({control, g});
    }
    recorded_ = true;
}

void clsResize::ReInitialise()
{
    if (form_)
        record();
}

void clsResize::SizeFormToScreen(int percent)
{
    if (!form_)
        return;
    if (!recorded_)
        record();
    QScreen* screen = form_->screen();
    QRect available = screen->availableGeometry();
    Geometry g = sizeToScreen(available.width(), available.height(), percent);
    form_->setGeometry(available.left() + g.left, available.top() + g.top, g.width, g.height);
    ResizeControls();
}

void clsResize::ResizeControls()
{
    if (!form_ || form_->isMinimized())
        return;
    if (!recorded_) {
        record();
        return;
    }
    if (records_.empty() || recordedWidth_ <= 0 || recordedHeight_ <= 0)
        return; // nothing to scale, or no usable factor
    QWidget* inner = innerArea();
    const double horizontal = static_cast<double>(inner->width()) / recordedWidth_;
    const double vertical = static_cast<double>(inner->height()) / recordedHeight_;

    form_->setUpdatesEnabled(false);
    for (const Record& r : records_) {
        if (!r.control)
            continue;
        const ResizeTag resizeTag = ResizeTag::parse(tag(r.control));
        if (auto* line = qobject_cast<LineControl*>(r.control.data())) {
            Geometry present{line->p1().x(), line->p1().y(), line->p2().x(), line->p2().y()};
            Geometry g;
            if (scaleGeometry(r.geometry, present, resizeTag, horizontal, vertical, g))
                line->setEndPoints({g.left, g.top}, {g.width, g.height});
            continue;
        }
        Geometry present{r.control->x(), r.control->y(), r.control->width(), r.control->height()};
        Geometry g;
        if (scaleGeometry(r.geometry, present, resizeTag, horizontal, vertical, g))
            r.control->setGeometry(g.left, g.top, g.width, g.height);
    }
    form_->setUpdatesEnabled(true);
}

} // namespace ortolino
