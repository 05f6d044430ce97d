#pragma once

#include <QFont>
#include <QList>
#include <QObject>
#include <QString>

class QWidget;

namespace ortolino {

// Windows are built in code: every control is a widget (or, for menu entries,
// an action) whose objectName is its design name. A member of a control array
// carries its index in the property "Index"; a tag text lives in "Tag".
inline constexpr const char* kIndexProperty = "Index";
inline constexpr const char* kTagProperty = "Tag";

// The controls of a window, in its control order (creation order, depth
// first): named widgets below the window and named actions of its menus. A
// menu takes part through its menuAction(), which carries the menu's name.
QList<QObject*> controlsOf(QWidget* window);

// Index of a control-array member, or -1 for a single control.
int controlIndex(const QObject* control);
void setControlIndex(QObject* control, int index);

// Gives a new control its design name and, for a member of a control array,
// its index; returns the control, so creation and naming read as one step.
template <typename Control> Control* named(Control* control, const char* name, int index = -1)
{
    control->setObjectName(QString::fromLatin1(name));
    if (index >= 0)
        setControlIndex(control, index);
    return control;
}

// A control's caption: text of a label, button, check box, option, action or
// menu, title of a frame. Controls without one give "" and ignore a new one.
QString caption(const QObject* control);
void setCaption(QObject* control, const QString& text);

void setToolTipText(QObject* control, const QString& text);

QString tag(const QObject* control);

// A face of a window's design at a size in points (fractions allowed, as designed).
QFont designFont(const QString& face, double points, bool bold = false);
void setTag(QObject* control, const QString& text);

// Tab stops at the chosen option of each group of options below `window`,
// however it came to be chosen. Qt stops at the option last focused (the
// first one, before any): Tab could land on "4 lettere" while "più lettere"
// is the setting, and a Space there would change it.
void tabToChosenOptions(QWidget* window);

} // namespace ortolino
