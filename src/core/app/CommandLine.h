#pragma once

#include <memory>
#include <QStringList>
#include <QTranslator>

class QCommandLineParser;
class QCoreApplication;

namespace ortolino {

class Language;
struct Environment;

// True when the arguments ask only for information (--help, --version):
// it is printed before any window exists, so it needs no display.
bool asksForInformation(const QStringList& arguments);

// The program's options in the current language: --help, --version, and a
// description that says where the settings and reports are kept.
void describeOptions(QCommandLineParser& parser, Language& language, const Environment& env);

// Qt's own texts (the buttons of the standard dialogs, the parser's help) in
// the language of the current language file, when Qt ships a translation for
// it; nullptr otherwise (Qt's English stays). The caller keeps it alive.
std::unique_ptr<QTranslator> installQtTranslations(QCoreApplication& app, Language& language);

} // namespace ortolino
