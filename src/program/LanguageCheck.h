#pragma once

#include <QList>
#include <QString>

namespace ortolino {

class WindowManager;

// What a translator should look at in a language file, measured against the
// reference file (the shipped Italian) and the program's real windows.
struct LanguageFinding
{
    enum class Kind
    {
        MissingKey,         // a key of the reference file has no text here
        ControlWithoutText, // a control that shows a caption has no text here
        UnknownControl,     // a key of a window section names no control of it
        SharedAccessKey,    // a window's second text with the same Alt+letter: unreachable
        UnknownVoice,       // "0000" is no language id the speech knows
        SameAsReference,    // same text as the reference: likely untranslated (a warning)
    };
    Kind kind;
    QString section;
    QString key;

    bool isError() const { return kind != Kind::SameAsReference; }
    // One line for a person: "[FormMenu] mnuLanguages.Caption: no text".
    QString describe() const;
};

// Checks the language file at `path` against the reference file and every
// window registered in `windows` (built, never shown). A file that cannot be
// read gives one MissingKey finding for the whole file (empty section and key).
QList<LanguageFinding> checkLanguageFile(const QString& path, const QString& referencePath,
                                         WindowManager& windows);

} // namespace ortolino
