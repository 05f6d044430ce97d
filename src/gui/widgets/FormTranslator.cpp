#include "gui/widgets/FormTranslator.h"

#include "core/lang/IniFile.h"
#include "core/lang/Language.h"
#include "gui/widgets/Accessibility.h"
#include "gui/widgets/Controls.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTabBar>
#include <QTabWidget>
#include <QWidget>

namespace ortolino {

namespace {

void setTabCaptions(QObject* control, const QString& name,
                    const std::function<QString(const QString&)>& lookup)
{
    auto setAll = [&](int count, auto setText) {
        for (int i = 0; i < count; ++i) {
            const QString text = lookup(name + QLatin1String(".TabCaption(") + QString::number(i) +
                                        QLatin1Char(')'));
            if (!text.isEmpty()) // a missing caption leaves the design text
                setText(i, text);
        }
    };
    if (auto* tabs = qobject_cast<QTabWidget*>(control))
        setAll(tabs->count(), [tabs](int i, const QString& t) { tabs->setTabText(i, t); });
    else if (auto* bar = qobject_cast<QTabBar*>(control))
        setAll(bar->count(), [bar](int i, const QString& t) { bar->setTabText(i, t); });
}

} // namespace

void MLSLoadFormStrings(QWidget* window, const Language& language)
{
    const std::shared_ptr<const IniDocument> file = readIniDocument(language.languageFilePath());
    if (!file)
        return; // no language: every design text stays
    const QString section = window->objectName();
    auto lookup = [&](const QString& key) { return file->value(section, key); };

    // A window designed without a title keeps none; a missing caption keeps the design's.
    if (QString title = lookup(section + QLatin1String(".Caption"));
        !window->windowTitle().isEmpty() && !title.isEmpty())
        window->setWindowTitle(title);
    setTag(window, lookup(section + QLatin1String(".Tag")));

    QPointer<QWidget> guard(window);
    const QList<QObject*> controls = controlsOf(window);
    for (const QPointer<QObject> control : controls) {
        if (!guard)
            return; // the window went away while events ran
        if (!control)
            continue;
        const int index = controlIndex(control);
        const QString name = control->objectName();
        const QString prefix =
            index >= 0 ? name + QLatin1Char('(') + QString::number(index) + QLatin1Char(')') : name;
        if (QString text = lookup(prefix + QLatin1String(".Caption")); !text.isEmpty())
            setCaption(control, text);
        if (QString text = lookup(prefix + QLatin1String(".ToolTipText")); !text.isEmpty())
            setToolTipText(control, text);
        if (QString text = lookup(prefix + QLatin1String(".Tag")); !text.isEmpty())
            setTag(control, text);
        setTabCaptions(control, name, lookup);
        // A long list of controls must not freeze the window.
        QCoreApplication::processEvents();
    }
    if (guard)
        nameCaptionlessControls(window);
}

} // namespace ortolino
