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

    // Where the picture is drawn inside the box.
    QRect pictureRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void refresh();

    QImage image_;
    bool grey_ = false;
    QPixmap scaled_;
};

} // namespace ortolino
