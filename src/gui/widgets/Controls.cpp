#include "gui/widgets/Controls.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QWidget>

namespace ortolino {

namespace {

bool isControl(const QObject* object)
{
    const QString name = object->objectName();
    return !name.isEmpty() && !name.startsWith(QLatin1String("qt_"));
}

void collect(QObject* parent, QList<QObject*>& out)
{
    for (QObject* child : parent->children()) {
        if (qobject_cast<QWidget*>(child) || qobject_cast<QAction*>(child)) {
            if (isControl(child))
                out << child;
        }
        collect(child, out);
    }
}

} // namespace

QList<QObject*> controlsOf(QWidget* window)
{
    QList<QObject*> controls;
    collect(window, controls);
    return controls;
}

int controlIndex(const QObject* control)
{
    QVariant value = control->property(kIndexProperty);
    return value.isValid() ? value.toInt() : -1;
}

void setControlIndex(QObject* control, int index)
{
    control->setProperty(kIndexProperty, index);
}

QString caption(const QObject* control)
{
    if (auto* label = qobject_cast<const QLabel*>(control))
        return label->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(control))
        return button->text();
    if (auto* frame = qobject_cast<const QGroupBox*>(control))
        return frame->title();
    if (auto* action = qobject_cast<const QAction*>(control))
        return action->text();
    return {};
}

void setCaption(QObject* control, const QString& text)
{
    if (auto* label = qobject_cast<QLabel*>(control))
        label->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(control))
        button->setText(text);
    else if (auto* frame = qobject_cast<QGroupBox*>(control))
        frame->setTitle(text);
    else if (auto* action = qobject_cast<QAction*>(control))
        action->setText(text);
}

void setToolTipText(QObject* control, const QString& text)
{
    if (auto* widget = qobject_cast<QWidget*>(control))
        widget->setToolTip(text);
    else if (auto* action = qobject_cast<QAction*>(control))
        action->setToolTip(text);
}

QString tag(const QObject* control)
{
    return control->property(kTagProperty).toString();
}

void setTag(QObject* control, const QString& text)
{
    control->setProperty(kTagProperty, text);
}

namespace {

// The options an option excludes: its group's, or its auto-exclusive siblings.
QList<QAbstractButton*> optionsBeside(QRadioButton* option)
{
    if (option->group() != nullptr)
        return option->group()->buttons();
    QList<QAbstractButton*> options;
    if (option->autoExclusive() && option->parentWidget() != nullptr) {
        for (QRadioButton* sibling : option->parentWidget()->findChildren<QRadioButton*>(
                 QString(), Qt::FindDirectChildrenOnly))
            if (sibling->autoExclusive())
                options << sibling;
    }
    return options;
}

void makeTabStop(QRadioButton* chosen)
{
    for (QAbstractButton* option : optionsBeside(chosen)) {
        const Qt::FocusPolicy policy = option->focusPolicy();
        option->setFocusPolicy(
            Qt::FocusPolicy(option == chosen ? policy | Qt::TabFocus : policy & ~Qt::TabFocus));
    }
}

} // namespace

void tabToChosenOptions(QWidget* window)
{
    for (QRadioButton* option : window->findChildren<QRadioButton*>()) {
        if (option->isChecked())
            makeTabStop(option);
        QObject::connect(option, &QAbstractButton::toggled, option, [option](bool checked) {
            if (checked)
                makeTabStop(option);
        });
    }
}

QFont designFont(const QString& face, double points, bool bold)
{
    QFont font(face);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

} // namespace ortolino
