#pragma once

#include <functional>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QList>
#include <QPointer>
#include <QStringList>
#include <QTabBar>

class QFontMetricsF;

namespace ortolino {

// How a text must fit its box.
enum class TextFit
{
    Line,    // one line, drawn centred by its line: advance, line height and ink inside
    Ink,     // its ink alone, which the caller centres (a key's letter)
    Wrapped, // wrapped at blanks; a word longer than the box makes it shrink
};

// The font (the given one at another size) at the largest size up to
// `ceiling` points at which every text fits the box, but never under a
// readable floor.
QFont fittedFont(QFont font, double ceiling, const QStringList& texts, const QSizeF& box,
                 TextFit fit);

// Where to draw a text so that its ink is centred on a point.
QPointF inkCentredOrigin(const QFont& font, const QString& text, const QPointF& centre);

// Keeps one font on a group of controls (a grid of letter boxes, a list of
// names) at the largest size up to a ceiling at which every text fits on one
// line inside the first control, less a reserve on the right and left (a
// check box's mark, a drop-down's arrow); fitted again whenever that control
// is resized.
class FontFitter : public QObject
{
public:
    FontFitter(QList<QWidget*> controls, int reserve, std::function<QStringList()> texts);
    // A reserve that depends on the control's present state (what a style
    // draws beside a button's caption).
    FontFitter(QList<QWidget*> controls, std::function<int()> reserve,
               std::function<QStringList()> texts);

    // The face, weight and ceiling to fit from.
    void fit(const QFont& font);
    // Fits again, the texts having changed.
    void refit();
    // What the control keeps above and below its text (2 unless set).
    void setHeightReserve(int pixels) { heightReserve_ = pixels; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<QPointer<QWidget>> controls_;
    std::function<int()> reserve_;
    std::function<QStringList()> texts_;
    QFont font_;
    int heightReserve_ = 2;
    bool hasFont_ = false; // nothing is fitted before fit() gives the face
    bool fitting_ = false;
};

// Keeps the line of each text box and drop-down list of a window inside its
// box: drawn at the largest size up to its font at which the line fits the
// box's height (and every entry of a drop-down its width), fitted again at
// every resize. On a small or scaled screen the design font ran past the box.
void fitTextBoxes(QWidget* window);

// Keeps every button caption of a window whole: each check box, option
// button and push button that takes the window's font is drawn at the
// largest size up to that font at which its caption fits, fitted again at
// every resize. Fonts a control was given on purpose (a letter box's) stay.
void fitButtonCaptions(QWidget* window);

// A label whose text always fits it: drawn at the largest size up to its
// ceiling (its own font's size, or one set for it) at which it fits the
// label's inside, re-fitted whenever its size or text changes. Without word
// wrap it keeps to one line.
class FittedLabel : public QLabel
{
    Q_OBJECT
public:
    explicit FittedLabel(const QString& text = QString(), QWidget* parent = nullptr);
    explicit FittedLabel(QWidget* parent) : FittedLabel(QString(), parent) {}

    // The size the text grows to when there is room; 0: the font's own.
    void setCeiling(double points);
    // The text whose ink (with the label's own) sets the label's height and
    // baseline, not the font's whole line: a caption that stands for a word
    // in part keeps its size and line while it fills, and a word of short
    // letters is not shrunk to make room for the tall loops of letters it
    // does not have (a cursive line is three times its x-height). The text is
    // then drawn centred. Empty: the font's whole line must fit.
    void setSteadyText(const QString& text);
    // The font the text is drawn in at the present size.
    QFont shownFont() const;
    // Whether a margin is kept round the text (the default: a text centred
    // in its box) or the text may fill the label's inside (a caption beside
    // the control it names, which the design made just as tall as its line).
    void setKeepsMargin(bool keeps);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRectF textArea() const;
    QRectF steadyInk(const QFontMetricsF& metrics) const;

    double ceiling_ = 0;
    QString steady_;
    bool keepsMargin_ = true;
};

// A frame whose title keeps its font while it fits above the frame's first
// control and across the frame, and is drawn smaller when it does not (a
// small or scaled screen), instead of running under that control. The
// controls inside keep their own fonts.
class FittedGroupBox : public QGroupBox
{
    Q_OBJECT
public:
    explicit FittedGroupBox(QWidget* parent = nullptr) : QGroupBox(parent) {}

    // The font the title is drawn in at the present size.
    QFont titleFont() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A tab strip whose captions are drawn at the largest size up to its font at
// which every shown tab keeps its caption whole inside the strip: across,
// and within its height, since the strip is scaled with the window and the
// tabs would otherwise stand taller than it and be cut at their foot.
class FittedTabBar : public QTabBar
{
    Q_OBJECT
public:
    explicit FittedTabBar(QWidget* parent = nullptr) : QTabBar(parent) {}

    // The face, weight and ceiling to fit from.
    void fit(const QFont& font);

protected:
    void tabLayoutChange() override;

private:
    void refit();

    QFont font_;
    bool hasFont_ = false;
    bool fitting_ = false;
};

} // namespace ortolino
