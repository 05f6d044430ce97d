#pragma once

#include <functional>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QStringList>

namespace ortolino {

class Form;
class Program;

// Owns the program's windows: one window on screen at a time, each created
// afresh when shown and destroyed when unloaded. Keeps the list of loaded
// windows that a change of language translates.
class WindowManager : public QObject
{
    Q_OBJECT
public:
    using Factory = std::function<Form*(Program&, WindowManager&)>;

    explicit WindowManager(Program& program);
    // Windows still loaded when the program ends (after "ESCI") are destroyed
    // without running their unload handlers.
    ~WindowManager() override;

    void registerForm(const QString& name, Factory factory);
    // The names of the registered windows, sorted.
    QStringList registeredNames() const { return factories_.keys(); }
    // A registered window built but never loaded nor shown: its controls with
    // their design texts (what a language file translates). The caller owns
    // it; nullptr for an unknown name.
    Form* build(const QString& name);

    // Loads the window if it is not loaded (Form_Load), shows it and runs its
    // Form_Activate. Nothing when no window of that name is known.
    Form* show(const QString& name);
    // Loads the window without showing it (Form_Load only).
    Form* load(const QString& name);
    // Closes the window: Form_Unload runs and the window is destroyed.
    void unload(Form* form);

    // The window a window leads back to when it closes by its close box.
    void setHome(const QString& name) { home_ = name; }
    // Shows the home window unless it is already loaded.
    void showHome();

    Form* find(const QString& name) const;
    QList<Form*> loadedWindows() const;

    // Called by a closing window.
    void forget(Form* form);

    // Work the first window does not need (it only slows its first frame):
    // it runs once the first window shown has been painted, or, at the
    // latest, before any other window is loaded.
    void afterFirstFrame(std::function<void()> work);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void runDeferred();

    Program& program_;
    QMap<QString, Factory> factories_;
    QString home_;
    QList<QPointer<Form>> loaded_;
    QList<std::function<void()>> deferred_;
    bool watchingExposure_ = false; // for the first frame of any window
};

} // namespace ortolino
