#pragma once

#include "core/platform/Dialogs.h"

#include <QPointer>
#include <QWidget>

namespace ortolino {

// Gives the keyboard back, when a dialog closes, to the window it was opened
// over. A window manager does so itself; on a bare X server (a classroom
// kiosk) nothing does, and a switch user's keys would reach no window.
class FocusReturn
{
public:
    explicit FocusReturn(QWidget* owner) : owner_(owner ? owner->window() : nullptr) {}
    ~FocusReturn()
    {
        if (owner_ && owner_->isVisible())
            owner_->activateWindow();
    }
    FocusReturn(const FocusReturn&) = delete;
    FocusReturn& operator=(const FocusReturn&) = delete;

private:
    QPointer<QWidget> owner_;
};

// The dialogs as Qt's QFileDialog, QColorDialog and QFontDialog.
class QtDialogs final : public Dialogs
{
public:
    QString ShowFileDialog(QObject* owner, short kind, const QString& title,
                           const QString& initialName, const QList<FileFilter>& filters,
                           const QString& initialFolder, const QString& defaultExtension,
                           const QStringList& places) override;
    std::optional<Colore> ShowColorDialog(QObject* owner, Colore current) override;
    std::optional<FontChoice> ShowFontDialog(QObject* owner, const FontChoice& current) override;
};

// Writes a font chosen in the dialog into a control: face, whole points,
// bold, italic and underline.
void applyFontChoice(QWidget* control, const FontChoice& choice);

} // namespace ortolino
