#include "program/LanguageCheck.h"

#include "core/lang/IniFile.h"
#include "core/speech/VoiceMapping.h"
#include "gui/widgets/Controls.h"
#include "gui/widgets/Form.h"
#include "gui/widgets/WindowManager.h"

#include <memory>
#include <optional>
#include <QFile>
#include <QFileInfo>
#include <QKeySequence>
#include <QRegularExpression>
#include <QTabBar>

namespace ortolino {

namespace {

using Kind = LanguageFinding::Kind;

const QString kLanguageId = QStringLiteral("0000"); // the character's language, a number

// Captions the program fills itself, whatever a language file says.
const QStringList kFilledByTheProgram = {
    QStringLiteral("FormMenu/mnuLanguage(0)"),     // the names of the language files
    QStringLiteral("FormInfo/Label1"),             // credit ("0236"),
    QStringLiteral("FormInfo/Label3"),             // usage notice ("0237")
    QStringLiteral("FormInfo/Label4"),             // and language lines, at each activation
    QStringLiteral("lettere/LabelMerlino"),        // the balloon's texts
    QStringLiteral("lettere/LabelDimensionaFont"), // never shown: it measures the keys' face
};

// A control as the language file names it: "Command1" or "OptionUtente(2)".
QString keyName(const QObject* control)
{
    const int index = controlIndex(control);
    return index < 0 ? control->objectName()
                     : control->objectName() + QLatin1Char('(') + QString::number(index) +
                           QLatin1Char(')');
}

bool hasLetter(const QString& text)
{
    static const QRegularExpression letter(QStringLiteral("\\p{L}"));
    return text.contains(letter);
}

// The sections of a language file and their keys, in file order (the INI
// reader answers lookups; a checker also needs to walk what is there).
QList<std::pair<QString, QStringList>> sectionsOf(const QString& path)
{
    QFile file(path);
    QList<std::pair<QString, QStringList>> sections;
    if (!file.open(QIODevice::ReadOnly))
        return sections;
    for (const QString& raw : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']')))
            sections.append({line.mid(1, line.size() - 2), {}});
        else if (!sections.isEmpty() && line.contains(QLatin1Char('=')) &&
                 !line.startsWith(QLatin1Char(';')))
            sections.last().second << line.left(line.indexOf(QLatin1Char('='))).trimmed();
    }
    return sections;
}

// The keys a window needs a text under, and the controls a key may name.
struct WindowKeys
{
    QStringList needed;
    QStringList controls;
};

WindowKeys keysOf(Form& window)
{
    WindowKeys keys;
    const QString section = window.objectName();
    if (!window.windowTitle().isEmpty())
        keys.needed << section + QLatin1String(".Caption");
    for (const QObject* control : controlsOf(&window)) {
        const QString name = keyName(control);
        keys.controls << name;
        if (hasLetter(caption(control)) &&
            !kFilledByTheProgram.contains(section + QLatin1Char('/') + name))
            keys.needed << name + QLatin1String(".Caption");
        if (const auto* tabs = qobject_cast<const QTabBar*>(control)) {
            for (int i = 0; i < tabs->count(); ++i)
                keys.needed << name + QLatin1String(".TabCaption(") + QString::number(i) +
                                   QLatin1Char(')');
        }
    }
    return keys;
}

} // namespace

QString LanguageFinding::describe() const
{
    static const char* const kinds[] = {
        "no text (the reference has one)",
        "no text for a control that shows one",
        "names no control of the window",
        "the same access key (Alt+letter) as another text of the window",
        "no voice for this language id (src/core/speech/VoiceMapping.cpp lists them)",
        "same text as the reference: translated?"};
    const QString where = section.isEmpty() ? QStringLiteral("the file cannot be read")
                                            : QLatin1Char('[') + section + QLatin1String("] ") +
                                                  key + QLatin1String(": ");
    return section.isEmpty() ? where : where + QString::fromLatin1(kinds[static_cast<int>(kind)]);
}

QList<LanguageFinding> checkLanguageFile(const QString& path, const QString& referencePath,
                                         WindowManager& windows)
{
    QList<LanguageFinding> findings;
    const std::optional<IniDocument> file = IniDocument::load(path);
    const std::optional<IniDocument> reference = IniDocument::load(referencePath);
    if (!file || !reference)
        return {{Kind::MissingKey, {}, {}}};
    auto note = [&](Kind kind, const QString& section, const QString& key) {
        for (const LanguageFinding& f : findings)
            if (f.kind == kind && f.section == section && f.key == key)
                return;
        findings.append({kind, section, key});
    };

    // Every text of the reference, with its likely untranslated twins (a
    // file checked against itself has none).
    const bool itself =
        QFileInfo(path).canonicalFilePath() == QFileInfo(referencePath).canonicalFilePath();
    for (const auto& [section, keys] : sectionsOf(referencePath)) {
        for (const QString& key : keys) {
            const QString mine = file->value(section, key);
            const QString theirs = reference->value(section, key);
            if (mine.isEmpty() && !theirs.isEmpty())
                note(Kind::MissingKey, section, key);
            else if (!itself && mine == theirs && (hasLetter(mine) || key == kLanguageId))
                note(Kind::SameAsReference, section, key);
        }
    }
    // The character speaks by "0000": a number the speech does not know
    // leaves the voice as it was (Italian at start) reading the language's texts.
    const QString id = file->value(QStringLiteral("Strings"), kLanguageId).trimmed();
    if (!id.isEmpty() && espeakLanguageForId(id.toInt()).isEmpty())
        note(Kind::UnknownVoice, QStringLiteral("Strings"), kLanguageId);

    // Every window: each control that shows a caption has a text, each key
    // of the window's section names a control, and no two of its texts give
    // the same Alt+letter (the second could not be reached by it: a teacher
    // pressing Alt+M to leave the configuration was sent to a radio button).
    const QList<std::pair<QString, QStringList>> sections = sectionsOf(path);
    for (const QString& name : windows.registeredNames()) {
        const std::unique_ptr<Form> window(windows.build(name));
        const WindowKeys keys = keysOf(*window);
        for (const QString& key : keys.needed) {
            if (file->value(name, key).isEmpty())
                note(Kind::ControlWithoutText, name, key);
        }
        for (const auto& [section, sectionKeys] : sections) {
            if (section.compare(name, Qt::CaseInsensitive) != 0)
                continue;
            QList<QKeySequence> accessKeys; // Alt+letter, as Qt reads "&Menu"'s
            for (const QString& key : sectionKeys) {
                const QString control = key.left(key.indexOf(QLatin1Char('.')));
                if (control != name && !keys.controls.contains(control))
                    note(Kind::UnknownControl, section, key);
                if (!key.contains(QLatin1String("Caption")))
                    continue;
                const QKeySequence letter = QKeySequence::mnemonic(file->value(section, key));
                if (!letter.isEmpty() && accessKeys.contains(letter))
                    note(Kind::SharedAccessKey, section, key);
                accessKeys << letter;
            }
        }
    }
    return findings;
}

} // namespace ortolino
