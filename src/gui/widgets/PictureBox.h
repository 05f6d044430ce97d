#pragma once

#include <QImage>
#include <QPixmap>
#include <QWidget>

namespace ortolino {

// A picture shown as large as its area allows, keeping its proportions and
// centred, in colour or in grey scale. The scaled copy is made once per size
// or picture, not at every repaint.
class PictureBox : public QWidget
{
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);

    // An image that cannot be read shows nothing.
    void setPicture(const QString& path);
    void setImage(const QImage& image);
    const QImage& image() const { return image_; }

    void setGreyScale(bool grey);
    bool greyScale() const { return grey_; }

    // Draws the picture `zoom` times its size about the box's centre, from
    // the copy already scaled to the box: cheap enough for every frame of an
    // animation, where resizing the box would scale the picture anew each time.
    void setZoom(double zoom);

    // Where the picture is drawn inside the box.
    QRect pictureRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void refresh();
    QRect fittedRect() const;

    QImage image_;
    bool grey_ = false;
    double zoom_ = 1.0;
    QPixmap scaled_;
};

} // namespace ortolino
