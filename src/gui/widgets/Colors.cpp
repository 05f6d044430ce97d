#include "gui/widgets/Colors.h"

#include "core/platform/Colore.h"

#include <cmath>
#include <cstdint>
#include <QApplication>
#include <QPalette>
#include <QWidget>

namespace ortolino {

namespace {

// The system colours a stored value may name, by their index.
QColor systemColor(int index)
{
    const QPalette palette = QApplication::palette();
    switch (index) {
    case 5:
        return palette.color(QPalette::Base); // window background
    case 8:
        return palette.color(QPalette::WindowText); // window text
    case 13:
        return palette.color(QPalette::Highlight); // highlight
    case 14:
        return palette.color(QPalette::HighlightedText);
    case 18:
        return palette.color(QPalette::ButtonText); // button text
    default:
        return palette.color(QPalette::Button); // button face (15) and the rest
    }
}

// Set on a widget whose text colour was chosen: its background leaves it.
constexpr char kChosenText[] = "ortolinoChosenText";

} // namespace

QColor qtColor(Colore value)
{
    auto bits = static_cast<std::uint32_t>(static_cast<std::int64_t>(std::llround(value)));
    if (bits & 0x80000000u)
        return systemColor(static_cast<int>(bits & 0xFFu));
    return QColor(static_cast<int>(bits & 0xFF), static_cast<int>((bits >> 8) & 0xFF),
                  static_cast<int>((bits >> 16) & 0xFF));
}

Colore storedColor(const QColor& color)
{
    return static_cast<Colore>(color.red() | (color.green() << 8) | (color.blue() << 16));
}

QColor highlightColor(const ProgramState& state)
{
    return qtColor(state.highlightColour >= 0 ? state.highlightColour
                                              : state.ColoreBottoneSelezionato);
}

double contrastRatio(const QColor& first, const QColor& second)
{
    return contrastRatio(static_cast<std::uint32_t>(storedColor(first)),
                         static_cast<std::uint32_t>(storedColor(second)));
}

QColor mixed(const QColor& from, const QColor& to, int percent)
{
    const auto toward = [percent](int a, int b) { return a + (b - a) * percent / 100; };
    return QColor(toward(from.red(), to.red()), toward(from.green(), to.green()),
                  toward(from.blue(), to.blue()));
}

double highlightContrast(const ProgramState& state)
{
    return contrastRatio(highlightColor(state), qtColor(state.ColoreBottoni));
}

void setReadableText(QPalette& palette, const QColor& background)
{
    // Black or white, whichever reads better on the background.
    const QColor black(Qt::black), white(Qt::white);
    const QColor text =
        contrastRatio(black, background) >= contrastRatio(white, background) ? black : white;
    const QColor greyed = mixed(text, background, 50);
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText}) {
        palette.setColor(QPalette::Active, role, text);
        palette.setColor(QPalette::Inactive, role, text);
        palette.setColor(QPalette::Disabled, role, greyed);
    }
}

void setBackground(QWidget* widget, const QColor& color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    palette.setColor(QPalette::Button, color);
    if (!widget->property(kChosenText).toBool())
        setReadableText(palette, color);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QColor background(const QWidget* widget)
{
    return widget->palette().color(QPalette::Window);
}

void setForeground(QWidget* widget, const QColor& color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    widget->setPalette(palette);
    widget->setProperty(kChosenText, true);
}

} // namespace ortolino
