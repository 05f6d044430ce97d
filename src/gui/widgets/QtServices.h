#pragma once

#include "core/platform/DocumentOpener.h"
#include "core/platform/MessageBoxes.h"
#include "core/platform/Services.h"

#include <chrono>
#include <QObject>
#include <QStringList>

namespace ortolino {

// Message boxes as QMessageBox, owned by the active window.
class QtMessageBoxes final : public MessageBoxes
{
public:
    Answer show(const Message& message) override;
};

// Registers a font file with this application's font database. A registry
// made `later` only notes the files, and registers them when registerNoted()
// is called: registering costs milliseconds that the first window, which uses
// no font of these, should not wait for.
class QtFontRegistry final : public FontRegistry
{
public:
    enum class When
    {
        Now,
        Later
    };
    explicit QtFontRegistry(When when = When::Now) : when_(when) {}

    bool registerFont(const QString& path) override;
    void registerNoted();

private:
    When when_;
    QStringList noted_;
};

// Opens a file with the desktop's associated application. xdg-open, which
// Qt itself would start and forget, is started here and watched: on a desktop
// with nothing to open the file with it ends with an error at once, and that
// is told through `failedLater`. While it runs (the viewer it started in the
// foreground) the file counts as opened, and so it does when it ends badly
// long after (the viewer killed). Without xdg-open, Qt's own way.
class QtDocumentOpener final : public DocumentOpener
{
public:
    // An error from the opener counts when it comes within `failureWindow`.
    explicit QtDocumentOpener(std::chrono::milliseconds failureWindow = std::chrono::seconds(20))
        : failureWindow_(failureWindow)
    {
    }
    QtDocumentOpener(const QtDocumentOpener&) = delete;
    QtDocumentOpener& operator=(const QtDocumentOpener&) = delete;
    ~QtDocumentOpener() override;

    bool open(const QString& path, std::function<void()> failedLater) override;
    // The openers still running (each with its viewer, or still looking for one).
    qsizetype running() const;

private:
    std::chrono::milliseconds failureWindow_;
    QObject openers_; // parent of the running openers' processes
};

// Leaves every running event loop, so that main() returns: the windows are not
// closed first, so none of their unload handlers runs.
class QtProgramExit final : public ProgramExit
{
public:
    void endNow() override;
};

} // namespace ortolino
