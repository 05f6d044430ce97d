#include "gui/config/ConfigPanel.h"

#include "core/app/Program.h"
#include "core/config/ConfigSettings.h"
#include "core/platform/Dialogs.h"
#include "gui/config/FormConfigura.h"
#include "gui/widgets/Controls.h"
#include "gui/widgets/FittedText.h"

#include <cstring>
#include <QScrollBar>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <QWidget>

namespace ortolino {

namespace {

// A bar that shows when it has the keyboard: the style draws no focus on a
// scroll bar.
class FocusedBar : public QScrollBar
{
public:
    using QScrollBar::QScrollBar;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QScrollBar::paintEvent(event);
        if (!hasFocus())
            return;
        QStylePainter painter(this);
        QStyleOptionFocusRect option;
        option.initFrom(this);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
    }
};

} // namespace

void applyDesign(const Form& window, std::span<const ControlDesign> design, QWidget* control,
                 const char* name, int index)
{
    for (const ControlDesign& row : design) {
        if (std::strcmp(row.name, name) != 0 || row.index != index)
            continue;
        named(control, name, index);
        if (row.caption != nullptr)
            setCaption(control, QString::fromUtf8(row.caption));
        control->setGeometry(window.twipsRect(row.left, row.top, row.width, row.height));
        return;
    }
    qFatal("No design for the control %s(%d)", name, index);
}

FittedLabel* ConfigPanel::makeCaption(QWidget* parent, const char* name)
{
    auto* caption = make<FittedLabel>(parent, name);
    caption->setKeepsMargin(false);
    return caption;
}

ConfigPanel::ConfigPanel(FormConfigura& window, std::span<const ControlDesign> design)
    : QObject(&window), window_(window), design_(design)
{
}

const Form& ConfigPanel::windowForm() const
{
    return window_;
}

QScrollBar* ConfigPanel::makeBar(QWidget* parent, const char* name, const BarRange& range, int page)
{
    auto* bar = make<FocusedBar>(parent, name);
    bar->setOrientation(Qt::Horizontal);
    bar->setRange(range.minimum, range.maximum);
    bar->setSingleStep(1);
    bar->setPageStep(page);
    // A scroll bar takes no focus of its own: a teacher without a mouse
    // could not reach the speed, the pitch or the switch timing. Its arrow
    // keys go the other way round, Right lowering the value.
    bar->setFocusPolicy(Qt::StrongFocus);
    bar->setInvertedControls(false);
    return bar;
}

void ConfigPanel::showOnBar(QScrollBar* bar, int& setting, const BarRange& range)
{
    setting = range.clamp(setting);
    bar->setValue(setting);
}

void ConfigPanel::place(QWidget* control, int left, int top, int width, int height) const
{
    control->setGeometry(window_.twipsRect(left, top, width, height));
}

Program& ConfigPanel::program() const
{
    return window_.program();
}

ProgramState& ConfigPanel::state() const
{
    return window_.program().state;
}

QString ConfigPanel::testo(const char* key) const
{
    return window_.testo(key);
}

MessageBoxes::Answer ConfigPanel::mostra(const Message& message) const
{
    return window_.mostra(message);
}

void ConfigPanel::avvisa(const QString& text) const
{
    window_.avvisa(text);
}

std::optional<Colore> ConfigPanel::chooseColour(Colore current) const
{
    Dialogs* dialogs = program().services.dialogs;
    return dialogs != nullptr ? dialogs->ShowColorDialog(&window_, current) : std::nullopt;
}

void ConfigPanel::showWholeState() const
{
    window_.ImpostaConfigurazioni();
}

} // namespace ortolino
