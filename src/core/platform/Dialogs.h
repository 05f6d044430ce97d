#pragma once

#include "core/platform/Colore.h"

#include <optional>
#include <QList>
#include <QString>
#include <QStringList>

class QObject;

namespace ortolino {

// One entry of a file dialog's type list: a description and a pattern such
// as "*.txt". An empty description shows the pattern itself.
struct FileFilter
{
    QString description;
    QString pattern;
};

// A font as the font dialog gives it: whole points.
struct FontChoice
{
    QString face;
    int points = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;

    bool operator==(const FontChoice&) const = default;
};

// The three standard dialogs. Real ones are Qt's; tests answer them from a
// script. Cancelling any dialog changes nothing and says so.
class Dialogs
{
public:
    enum FileDialogKind : short
    {
        Open = 1,
        Save = 2
    };

    virtual ~Dialogs() = default;

    // The full path chosen, or "" when cancelled. Open: the file must exist.
    // Save: replacing an existing file is confirmed first, and the default
    // extension is added to a name typed without one. `places`: folders
    // offered beside the usual places, one click away.
    virtual QString ShowFileDialog(QObject* owner, short kind, const QString& title,
                                   const QString& initialName, const QList<FileFilter>& filters,
                                   const QString& initialFolder, const QString& defaultExtension,
                                   const QStringList& places) = 0;

    // The colour chosen (&HBBGGRR), or nothing when cancelled. The dialog
    // opens on the colour in force, so that a stray OK changes nothing.
    virtual std::optional<Colore> ShowColorDialog(QObject* owner, Colore current) = 0;

    // The font chosen, or nothing when cancelled. The dialog opens on the
    // current choice, so that changing the size alone keeps the face.
    virtual std::optional<FontChoice> ShowFontDialog(QObject* owner, const FontChoice& current) = 0;
};

// A name that does not end in the default extension (in any letter case)
// gets it ("rtf": "name" -> "name.rtf"): a dot in a name ("Luca B. animali",
// "classe 2.b") is no extension, and a list saved without ".txt" would not
// be offered by the dialog that opens lists.
QString withDefaultExtension(const QString& path, const QString& defaultExtension);

} // namespace ortolino
