#include "core/lang/Language.h"

#include "core/lang/IniFile.h"
#include "core/platform/FileNames.h"

#include <algorithm>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace ortolino {

QString Language::MLSGetString(const QString& key)
{
    if (CurrentLanguage.isEmpty())
        readCurrentLanguageSetting();
    const std::shared_ptr<const IniDocument> file = readIniDocument(languageFilePath());
    const QString text = file ? file->value(QStringLiteral("Strings"), key) : QString();
    // A message a language file lacks (00xx, 02xx, 031x..033x, 04xx) shows in
    // the program's own Italian, never as an empty label or key. The
    // language's codes (0000, 0209), the names of its data (01xx), its letters'
    // names and frequency (0450, 0452: Italian ones would be spoken or ordered
    // wrongly) and the information lines (0300..0309, 99xx, shown only where
    // the language has them) stay empty.
    const bool data = key == QLatin1String("0000") || key == QLatin1String("0209") ||
                      key == QLatin1String("0450") || key == QLatin1String("0452");
    const bool message =
        !data && (key.startsWith(QLatin1String("00")) || key.startsWith(QLatin1String("02")) ||
                  key.startsWith(QLatin1String("04")) ||
                  (key >= QLatin1String("0310") && key <= QLatin1String("0339")));
    if (!text.isEmpty() || !message)
        return text;
    static const IniDocument builtIn = IniDocument::fromBytes(builtInItalianLanguageFile());
    return builtIn.value(QStringLiteral("Strings"), key);
}

QString Language::code()
{
    return MLSGetString(QStringLiteral("0209")).trimmed();
}

QLocale Language::locale()
{
    const QString name = code();
    return name.isEmpty() ? QLocale::c() : QLocale(name);
}

QString Language::number(double value, int decimals)
{
    QLocale form = locale();
    form.setNumberOptions(QLocale::OmitGroupSeparator);
    return form.toString(value, 'f', decimals);
}

QString Language::shortDate(QDate date)
{
    if (code().isEmpty())
        return date.toString(Qt::ISODate); // no language's form: the one all can read
    const QLocale form = locale();
    QString format = form.dateFormat(QLocale::ShortFormat);
    // A child's work is dated for years: the year in full.
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return form.toString(date, format);
}

QString Language::dayAndMonth(QDate date)
{
    if (code().isEmpty())
        return date.toString(QStringLiteral("MM-dd"));
    const QLocale form = locale();
    // The short form without its year and the separator that led to it; a
    // year between day and month leaves one separator.
    static const QRegularExpression year(QStringLiteral("([^dMy]*)y+([^dMy]*)"));
    QString format = form.dateFormat(QLocale::ShortFormat);
    const QRegularExpressionMatch found = year.match(format);
    if (found.hasMatch()) {
        const bool between = !found.captured(1).isEmpty() && !found.captured(2).isEmpty();
        format.replace(found.capturedStart(), found.capturedLength(),
                       between ? found.captured(1) : QString());
    }
    return form.toString(date, format);
}

void Language::readCurrentLanguageSetting()
{
    CurrentLanguage =
        MLSReadIniString(env_.pathForReading(settingRelativePath()), QStringLiteral("Language"),
                         QStringLiteral("CurrentLanguage"))
            .value_or(QString());
    if (QFileInfo::exists(languageFilePath()))
        return;
    // Nothing chosen yet (the program ships no choice, so that a first run
    // speaks the desktop's language), or a language whose file is gone
    // (removed, or named by settings brought from another installation),
    // which would leave the program without the names of its pictures' and
    // lists' folders, so without a word to give: the desktop's language serves
    // when it is installed, else the program's own Italian, else the first
    // language installed.
    QStringList installed = installedLanguages();
    installed.sort(Qt::CaseInsensitive);
    for (const QString& wanted : env_.desktopLanguages) {
        const QString code = wanted.section(QLatin1Char('-'), 0, 0);
        const auto spoken =
            std::find_if(installed.begin(), installed.end(), [&](const QString& name) {
                return !code.isEmpty() &&
                       textOf(name, QStringLiteral("0209")).compare(code, Qt::CaseInsensitive) == 0;
            });
        if (spoken != installed.end()) {
            CurrentLanguage = *spoken;
            return;
        }
    }
    const auto italian = std::find_if(installed.begin(), installed.end(), [](const QString& name) {
        return name.compare(QLatin1String("Italiano"), Qt::CaseInsensitive) == 0;
    });
    if (italian != installed.end())
        CurrentLanguage = *italian;
    else if (!installed.isEmpty())
        CurrentLanguage = installed.first();
}

bool Language::writeCurrentLanguageSetting(const QString& name)
{
    return MLSWriteIniString(env_.pathForWriting(settingRelativePath()), QStringLiteral("Language"),
                             QStringLiteral("CurrentLanguage"), name) != 0;
}

QString Language::languageFilePath() const
{
    return fileOf(CurrentLanguage);
}

QString Language::fileOf(const QString& languageName) const
{
    // The name comes from a settings file: it may only name a file of the folder.
    if (languageName.isEmpty() || languageName.contains(QLatin1Char('/')))
        return {};
    return resolveCaseInsensitive(
        env_.programFile(QStringLiteral("lngortolino/") + languageName + QLatin1String(".lng")));
}

QString Language::textOf(const QString& languageName, const QString& key) const
{
    const std::shared_ptr<const IniDocument> file = readIniDocument(fileOf(languageName));
    return file ? file->value(QStringLiteral("Strings"), key) : QString();
}

QStringList Language::installedLanguages() const
{
    QStringList names;
    QDir folder(env_.programFile(QStringLiteral("lngortolino")));
    const QStringList entries =
        folder.entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Unsorted);
    for (const QString& entry : entries) {
        if (hasExtension(entry, QStringLiteral(".lng")))
            names << entry.left(entry.size() - 4);
    }
    return names;
}

} // namespace ortolino
