#pragma once

#include "core/platform/Environment.h"

#include <QDate>
#include <QLocale>
#include <QString>
#include <QStringList>

namespace ortolino {

// The current language: its name and the lookup of its numbered texts.
class Language
{
public:
    explicit Language(Environment environment) : env_(std::move(environment)) {}

    // Name of the current language file without ".lng"; empty until first needed.
    QString CurrentLanguage;

    // Text of a four-digit key of section "Strings"; where the current file
    // lacks a text (or there is no file), the built-in Italian text; "" for a
    // key the program does not know and for what is not a message: the
    // language's codes and data names, the information lines (0000, 0209,
    // 01xx, 0300..0309, 99xx). The first lookup reads the current language
    // from LangSetting.ini.
    QString MLSGetString(const QString& key);

    // The language's code ("0209": "it", "en"), for Qt's own texts and the
    // form of numbers and dates; "" when the file has none.
    QString code();
    // Numbers and dates as the language writes them ("1,00" in Italian),
    // whatever the machine's locale; the C form when the file has no code.
    QLocale locale();
    // A number as the language writes it, with this many decimals and no
    // thousands separator: "0,20" in Italian, "0.20" in English.
    QString number(double value, int decimals);
    // A date in the language's short form with the year in full: 06/12/2026
    // in Italian, 12/6/2026 in English; 2026-12-06 when the file has no code.
    QString shortDate(QDate date);
    // The day and month alone, in the same form ("06/12", "12/6"), for the
    // days of a chart.
    QString dayAndMonth(QDate date);

    // Reads CurrentLanguage from LangSetting.ini. A language without its file
    // (or no setting) gives the first of the desktop's languages that is
    // installed (by its code), else Italiano, else the first language
    // installed; "" when none is.
    void readCurrentLanguageSetting();
    // Stores the choice; false when the setting file cannot be written.
    bool writeCurrentLanguageSetting(const QString& name);

    // Path of the current language file (nothing is checked).
    QString languageFilePath() const;

    // Names of the installed languages, in the order the folder lists them.
    QStringList installedLanguages() const;
    // A text of another installed language's file, as it stands ("" when the
    // file or the text is missing).
    QString textOf(const QString& languageName, const QString& key) const;

    static QString settingRelativePath() { return QStringLiteral("lngortolino/LangSetting.ini"); }

private:
    // Path of an installed language's file; "" for a name that is no file
    // name of the language folder.
    QString fileOf(const QString& languageName) const;

    Environment env_;
};

// The Italian language file as shipped, built into the program.
QByteArray builtInItalianLanguageFile();

} // namespace ortolino
