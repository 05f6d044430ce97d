#include "gui/widgets/FittedText.h"

#include "core/platform/ResizeMath.h"

#include <algorithm>
#include <QAbstractButton>
#include <QComboBox>
#include <QEvent>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QStylePainter>
#include <QToolButton>

namespace ortolino {

namespace {

constexpr double kSmallestPoints = 6;
constexpr double kMarginShare = 0.04; // of the smaller side, on each side

QSizeF lineBox(const QFontMetricsF& metrics, const QString& text)
{
    const QRectF line(0, -metrics.ascent(), metrics.horizontalAdvance(text),
                      metrics.ascent() + metrics.descent());
    return centredTextBox(line, metrics.tightBoundingRect(text));
}

bool fits(const QFont& font, const QString& text, const QSizeF& box, TextFit fit)
{
    const QFontMetricsF metrics(font);
    QSizeF needed;
    switch (fit) {
    case TextFit::Line:
        needed = lineBox(metrics, text);
        break;
    case TextFit::Ink:
        needed = metrics.tightBoundingRect(text).size();
        break;
    case TextFit::Wrapped:
        needed = metrics
                     .boundingRect(QRectF(QPointF(0, 0), QSizeF(box.width(), 1e6)),
                                   Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic, text)
                     .size();
        break;
    }
    return needed.width() <= box.width() && needed.height() <= box.height();
}

} // namespace

QFont fittedFont(QFont font, double ceiling, const QStringList& texts, const QSizeF& box,
                 TextFit fit)
{
    const double size =
        largestFittingSize(kSmallestPoints, std::max(ceiling, kSmallestPoints), [&](double points) {
            font.setPointSizeF(points);
            return std::all_of(texts.begin(), texts.end(), [&](const QString& text) {
                return text.isEmpty() || fits(font, text, box, fit);
            });
        });
    font.setPointSizeF(size);
    return font;
}

QPointF inkCentredOrigin(const QFont& font, const QString& text, const QPointF& centre)
{
    return centre - QFontMetricsF(font).tightBoundingRect(text).center();
}

FontFitter::FontFitter(QList<QWidget*> controls, int reserve, std::function<QStringList()> texts)
    : FontFitter(
          std::move(controls), [reserve] { return reserve; }, std::move(texts))
{
}

FontFitter::FontFitter(QList<QWidget*> controls, std::function<int()> reserve,
                       std::function<QStringList()> texts)
    : QObject(controls.value(0)), reserve_(std::move(reserve)), texts_(std::move(texts))
{
    for (QWidget* control : controls)
        controls_ << control;
    if (!controls.isEmpty())
        controls.front()->installEventFilter(this);
}

void FontFitter::fit(const QFont& font)
{
    font_ = font;
    hasFont_ = true;
    refit();
}

bool FontFitter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize)
        refit();
    return QObject::eventFilter(watched, event);
}

void FontFitter::refit()
{
    if (!hasFont_ || controls_.isEmpty() || !controls_.front() || fitting_)
        return;
    fitting_ = true; // a new font may resize the control: no second round
    const QSizeF box = QSizeF(controls_.front()->size()) - QSizeF(reserve_(), heightReserve_);
    const QFont fitted = fittedFont(font_, font_.pointSizeF(), texts_(), box, TextFit::Line);
    for (QWidget* control : controls_) {
        if (control)
            control->setFont(fitted);
    }
    fitting_ = false;
}

void fitTextBoxes(QWidget* window)
{
    // A frame and a margin above and below the line; a drop-down's arrow.
    constexpr int kFrameAndMargins = 6;
    constexpr int kArrow = 34;
    for (QLineEdit* box : window->findChildren<QLineEdit*>()) {
        if (qobject_cast<QComboBox*>(box->parentWidget()))
            continue; // an editable drop-down's own line
        // A line of the box's text, whatever it holds: its tallest letters.
        auto* fitter =
            new FontFitter({box}, 0, [] { return QStringList{QStringLiteral("ÀÉgjpqy")}; });
        fitter->setHeightReserve(kFrameAndMargins);
        fitter->fit(box->font());
    }
    for (QComboBox* list : window->findChildren<QComboBox*>()) {
        auto* fitter = new FontFitter({list}, kArrow, [list] {
            QStringList entries;
            for (int i = 0; i < list->count(); ++i)
                entries << list->itemText(i);
            return entries;
        });
        fitter->setHeightReserve(kFrameAndMargins);
        fitter->fit(list->font());
    }
}

void fitButtonCaptions(QWidget* window)
{
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        if (button->testAttribute(Qt::WA_SetFont) || qobject_cast<QToolButton*>(button))
            continue;
        // A box or a circle and its spacing, or a push button's margins.
        const auto reserve = [button] {
            constexpr int kPushButtonMargins = 12;
            return qobject_cast<QPushButton*>(button)
                       ? kPushButtonMargins
                       : button->sizeHint().width() -
                             button->fontMetrics().horizontalAdvance(button->text());
        };
        auto* fitter =
            new FontFitter({button}, reserve, [button] { return QStringList{button->text()}; });
        fitter->fit(button->font());
    }
}

FittedLabel::FittedLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {}

void FittedLabel::setCeiling(double points)
{
    ceiling_ = points;
    update();
}

void FittedLabel::setKeepsMargin(bool keeps)
{
    keepsMargin_ = keeps;
    update();
}

QRectF FittedLabel::textArea() const
{
    const QRectF inside = contentsRect();
    if (!keepsMargin_)
        return inside;
    const double margin = std::min(inside.width(), inside.height()) * kMarginShare + 1;
    return inside.adjusted(margin, margin, -margin, -margin);
}

void FittedLabel::setSteadyText(const QString& text)
{
    steady_ = text;
    update();
}

QRectF FittedLabel::steadyInk(const QFontMetricsF& metrics) const
{
    return metrics.tightBoundingRect(steady_).united(metrics.tightBoundingRect(text()));
}

QFont FittedLabel::shownFont() const
{
    const double ceiling = ceiling_ > 0 ? ceiling_ : font().pointSizeF();
    if (steady_.isEmpty() || wordWrap())
        return fittedFont(font(), ceiling, {text()}, textArea().size(),
                          wordWrap() ? TextFit::Wrapped : TextFit::Line);
    QFont shown = font();
    const QSizeF box = textArea().size();
    shown.setPointSizeF(
        largestFittingSize(kSmallestPoints, std::max(ceiling, kSmallestPoints), [&](double points) {
            shown.setPointSizeF(points);
            const QFontMetricsF metrics(shown);
            return lineBox(metrics, text()).width() <= box.width() &&
                   steadyInk(metrics).height() <= box.height();
        }));
    return shown;
}

void FittedLabel::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    drawFrame(&painter);
    if (text().isEmpty())
        return;
    painter.setFont(shownFont());
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
    if (!steady_.isEmpty() && !wordWrap()) {
        // The steady ink centred on the area, the text centred along it.
        const QFontMetricsF metrics(painter.font());
        const QPointF centre = textArea().center();
        painter.drawText(QPointF(centre.x() - metrics.horizontalAdvance(text()) / 2,
                                 centre.y() - steadyInk(metrics).center().y()),
                         text());
        return;
    }
    const int flags = static_cast<int>(alignment()) | (buddy() ? Qt::TextShowMnemonic : 0) |
                      (wordWrap() ? Qt::TextWordWrap : Qt::TextSingleLine);
    painter.drawText(textArea(), flags, text());
}

QFont FittedGroupBox::titleFont() const
{
    if (title().isEmpty())
        return font();
    // The band above the highest control inside, or the whole frame.
    int band = height();
    for (const QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isVisibleTo(this))
            band = std::min(band, child->y());
    }
    constexpr int kTitleIndent = 16; // the style's indent and the blank after the title
    return fittedFont(font(), font().pointSizeF(), {title()}, QSizeF(width() - kTitleIndent, band),
                      TextFit::Line);
}

void FittedGroupBox::paintEvent(QPaintEvent* /*event*/)
{
    QStylePainter painter(this);
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    const QFont title = titleFont();
    option.fontMetrics = QFontMetrics(title);
    painter.setFont(title);
    painter.drawComplexControl(QStyle::CC_GroupBox, option);
}

void FittedTabBar::fit(const QFont& font)
{
    font_ = font;
    hasFont_ = true;
    refit();
}

void FittedTabBar::tabLayoutChange()
{
    QTabBar::tabLayoutChange();
    refit();
}

void FittedTabBar::refit()
{
    if (!hasFont_ || fitting_)
        return;
    fitting_ = true; // each trial font lays the tabs out again
    QFont trial = font_;
    const double size = largestFittingSize(
        kSmallestPoints, std::max(font_.pointSizeF(), kSmallestPoints), [&](double points) {
            trial.setPointSizeF(points);
            setFont(trial);
            const int line = QFontMetrics(trial).height();
            const int shift =
                style()->pixelMetric(QStyle::PM_TabBarTabShiftVertical, nullptr, this);
            int across = 0;
            for (int i = 0; i < count(); ++i) {
                if (!isTabVisible(i))
                    continue;
                const QSize tab = tabSizeHint(i);
                // The caption is centred in its tab, which starts at the strip's
                // top; a tab not chosen stands lower by the style's shift, and
                // the page's frame covers the strip's last line.
                if ((tab.height() + line) / 2 + shift + 1 > height())
                    return false;
                across += tab.width();
            }
            return across <= width();
        });
    trial.setPointSizeF(size);
    setFont(trial);
    fitting_ = false;
}

} // namespace ortolino
