#include "gui/widgets/PictureBox.h"

#include <QImageReader>
#include <QPainter>

namespace ortolino {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void PictureBox::setPicture(const QString& path)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    setImage(reader.read());
}

void PictureBox::setImage(const QImage& image)
{
    image_ = image;
    refresh();
}

void PictureBox::setGreyScale(bool grey)
{
    if (grey == grey_)
        return;
    grey_ = grey;
    refresh();
}

void PictureBox::setZoom(double zoom)
{
    if (zoom == zoom_)
        return;
    zoom_ = zoom;
    update();
}

QRect PictureBox::fittedRect() const
{
    if (image_.isNull() || width() <= 0 || height() <= 0)
        return {};
    const QSize size = image_.size().scaled(this->size(), Qt::KeepAspectRatio);
    return {QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size};
}

QRect PictureBox::pictureRect() const
{
    const QRect fitted = fittedRect();
    if (zoom_ == 1.0 || fitted.isEmpty())
        return fitted;
    QRectF zoomed(QPointF(), QSizeF(fitted.size()) * zoom_);
    zoomed.moveCenter(QRectF(fitted).center());
    return zoomed.toRect();
}

void PictureBox::refresh()
{
    const QRect target = fittedRect();
    if (target.isEmpty()) {
        scaled_ = QPixmap();
    } else {
        QImage scaled = image_.scaled(target.size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
        if (grey_)
            scaled = scaled.convertToFormat(QImage::Format_Grayscale8);
        scaled_ = QPixmap::fromImage(scaled);
    }
    update();
}

void PictureBox::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    refresh();
}

void PictureBox::paintEvent(QPaintEvent*)
{
    if (scaled_.isNull())
        return;
    QPainter painter(this);
    if (zoom_ == 1.0) {
        painter.drawPixmap(fittedRect().topLeft(), scaled_);
        return;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(pictureRect(), scaled_);
}

} // namespace ortolino
