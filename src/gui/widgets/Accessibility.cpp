#include "gui/widgets/Accessibility.h"

#include "gui/widgets/ClickLabel.h"
#include "gui/widgets/Controls.h"
#include "gui/widgets/PictureBox.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>

namespace ortolino {

namespace {

constexpr const char* kLiveProperty = "ortolinoLiveText";

AnnouncementListener& listener()
{
    static AnnouncementListener current;
    return current;
}

void announce(QObject* target, QAccessible::Event kind)
{
    if (listener())
        listener()(target, kind);
    QAccessibleEvent event(target, kind);
    QAccessible::updateAccessibility(&event);
}

// A caption as it is read aloud: the "&" of a mnemonic is not a letter.
QString spoken(QString text)
{
    text.replace(QLatin1String("&&"), QLatin1String("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return text.simplified();
}

class AccessibleClickLabel : public QAccessibleWidget
{
public:
    explicit AccessibleClickLabel(ClickLabel* label) : QAccessibleWidget(label, QAccessible::Button)
    {
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind != QAccessible::Name)
            return QAccessibleWidget::text(kind);
        QString name = widget()->accessibleName();
        if (name.isEmpty())
            name = spoken(label()->text());
        if (name.isEmpty())
            name = widget()->toolTip();
        return name;
    }

    QStringList actionNames() const override { return {pressAction()}; }

    void doAction(const QString& action) override
    {
        if (action == pressAction() && widget()->isEnabled())
            emit label()->clicked();
    }

private:
    ClickLabel* label() const { return static_cast<ClickLabel*>(widget()); }
};

class AccessibleLiveText : public QAccessibleWidget
{
public:
    explicit AccessibleLiveText(QWidget* widget)
        : QAccessibleWidget(widget, QAccessible::AlertMessage)
    {
    }
};

QAccessibleInterface* ortolinoControls(const QString& className, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget)
        return nullptr;
    if (widget->property(kLiveProperty).toBool())
        return new AccessibleLiveText(widget);
    if (className == QLatin1String(ClickLabel::staticMetaObject.className()))
        return new AccessibleClickLabel(static_cast<ClickLabel*>(widget));
    if (className == QLatin1String(PictureBox::staticMetaObject.className()))
        return new QAccessibleWidget(widget, QAccessible::Graphic);
    return nullptr;
}

} // namespace

void installAccessibleControls()
{
    static const bool installed = [] {
        QAccessible::installFactory(ortolinoControls);
        return true;
    }();
    (void)installed;
}

void nameCaptionlessControls(QWidget* window)
{
    for (QObject* control : controlsOf(window)) {
        auto* widget = qobject_cast<QWidget*>(control);
        if (widget && caption(widget).isEmpty() && !widget->toolTip().isEmpty())
            widget->setAccessibleName(spoken(widget->toolTip()));
    }
}

void tieLabel(QLabel* label, QWidget* control)
{
    label->setBuddy(control);
}

void announceScanned(QWidget* control)
{
    if (control)
        announce(control, QAccessible::Focus);
}

void markLive(QWidget* widget)
{
    widget->setProperty(kLiveProperty, true);
}

void announceLiveText(QWidget* widget, const QString& text)
{
    widget->setAccessibleName(text); // Qt tells a name change on its own
    announce(widget, QAccessible::Alert);
}

void setAnnouncementListener(AnnouncementListener newListener)
{
    listener() = std::move(newListener);
}

} // namespace ortolino
