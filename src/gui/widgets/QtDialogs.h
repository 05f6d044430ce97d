#pragma once

#include "core/platform/Dialogs.h"

class QWidget;

namespace ortolino {

// The dialogs as Qt's QFileDialog, QColorDialog and QFontDialog.
class QtDialogs final : public Dialogs
{
public:
    QString ShowFileDialog(QObject* owner, short kind, const QString& title,
                           const QString& initialName, const QList<FileFilter>& filters,
                           const QString& initialFolder, const QString& defaultExtension) override;
    std::optional<Colore> ShowColorDialog(QObject* owner) override;
    std::optional<FontChoice> ShowFontDialog(QObject* owner, int currentPoints) override;
};

// Writes a font chosen in the dialog into a control: face, whole points,
// bold, italic and underline.
void applyFontChoice(QWidget* control, const FontChoice& choice);

} // namespace ortolino
