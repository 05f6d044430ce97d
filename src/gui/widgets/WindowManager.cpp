#include "gui/widgets/WindowManager.h"

#include "gui/widgets/Form.h"

namespace ortolino {

WindowManager::~WindowManager()
{
    qDeleteAll(loadedWindows());
}

void WindowManager::registerForm(const QString& name, Factory factory)
{
    factories_.insert(name, std::move(factory));
}

Form* WindowManager::load(const QString& name)
{
    if (Form* existing = find(name))
        return existing;
    auto factory = factories_.find(name);
    if (factory == factories_.end())
        return nullptr;
    Form* form = (*factory)(program_, *this);
    loaded_ << form;
    form->Form_Load();
    return form;
}

Form* WindowManager::show(const QString& name)
{
    Form* form = load(name);
    if (!form)
        return nullptr;
    form->show();
    form->raise();
    form->activateWindow();
    form->Form_Activate();
    return form;
}

void WindowManager::unload(Form* form)
{
    if (form)
        form->close();
}

Form* WindowManager::find(const QString& name) const
{
    for (const QPointer<Form>& form : loaded_) {
        if (form && form->objectName() == name)
            return form;
    }
    return nullptr;
}

QList<Form*> WindowManager::loadedWindows() const
{
    QList<Form*> windows;
    for (const QPointer<Form>& form : loaded_) {
        if (form)
            windows << form;
    }
    return windows;
}

void WindowManager::forget(Form* form)
{
    loaded_.removeIf([form](const QPointer<Form>& f) { return !f || f == form; });
}

void WindowManager::showHome()
{
    if (!home_.isEmpty() && !find(home_))
        show(home_);
}

} // namespace ortolino
