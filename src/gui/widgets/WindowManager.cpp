#include "gui/widgets/WindowManager.h"

#include "gui/widgets/Form.h"
#include "gui/widgets/Pointer.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWindow>
#include <utility>

namespace ortolino {

WindowManager::WindowManager(Program& program) : program_(program)
{
    countRepeatedClicksOnce(*this);
}

WindowManager::~WindowManager()
{
    qDeleteAll(loadedWindows());
}

void WindowManager::registerForm(const QString& name, Factory factory)
{
    factories_.insert(name, std::move(factory));
}

Form* WindowManager::build(const QString& name)
{
    auto factory = factories_.find(name);
    return factory == factories_.end() ? nullptr : (*factory)(program_, *this);
}

Form* WindowManager::load(const QString& name)
{
    if (Form* existing = find(name))
        return existing;
    auto factory = factories_.find(name);
    if (factory == factories_.end())
        return nullptr;
    if (!loaded_.isEmpty())
        runDeferred(); // a second window may need what was put off
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

void WindowManager::afterFirstFrame(std::function<void()> work)
{
    if (deferred_.isEmpty() && !watchingExposure_) {
        watchingExposure_ = true;
        QCoreApplication::instance()->installEventFilter(this);
    }
    deferred_ << std::move(work);
}

// The first exposure of a window paints and flushes its first frame before
// the event returns: work queued from there runs after it.
bool WindowManager::eventFilter(QObject* watched, QEvent* event)
{
    if (watchingExposure_ && event->type() == QEvent::Expose && watched->isWindowType() &&
        static_cast<QWindow*>(watched)->isExposed()) {
        watchingExposure_ = false;
        QCoreApplication::instance()->removeEventFilter(this);
        QMetaObject::invokeMethod(this, &WindowManager::runDeferred, Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

void WindowManager::runDeferred()
{
    const QList<std::function<void()>> work = std::exchange(deferred_, {});
    for (const std::function<void()>& step : work)
        step();
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
