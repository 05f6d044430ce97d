#pragma once

#include "core/platform/ResizeMath.h"

#include <QPointer>
#include <QWidget>
#include <vector>

namespace ortolino {

// A straight line control: its geometry is given by two end points, and the
// resizer scales those, never its left or width.
class LineControl : public QWidget
{
    Q_OBJECT
public:
    explicit LineControl(QWidget* parent = nullptr);
    void setEndPoints(QPoint p1, QPoint p2);
    QPoint p1() const { return p1_; }
    QPoint p2() const { return p2_; }
    void setPen(const QPen& pen);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QPoint p1_, p2_;
    QColor color_ = Qt::black;
    int width_ = 1;
};

// Keeps every control of one window in the same proportion to the window's
// inner area. It records each control's geometry once and always scales from
// those records, so repeated resizing never drifts.
class clsResize
{
public:
    clsResize() = default;
    clsResize(const clsResize&) = delete;
    clsResize& operator=(const clsResize&) = delete;

    QWidget* SourceForm() const { return form_; }
    void setSourceForm(QWidget* form) { form_ = form; }

    // Sizes the window to p percent of its screen, centred, then scales.
    void SizeFormToScreen(int percent);
    // Scales the controls to the window's present inner size; the first call
    // only records.
    void ResizeControls();
    // Takes the present geometry as the new reference.
    void ReInitialise();

private:
    struct Record
    {
        QPointer<QWidget> control;
        Geometry geometry;
    };

    void record();
    QWidget* innerArea() const;

    QPointer<QWidget> form_;
    int recordedWidth_ = 0;
    int recordedHeight_ = 0;
    std::vector<Record> records_;
    bool recorded_ = false;
};

} // namespace ortolino
