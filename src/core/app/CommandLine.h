#pragma once

#include <QStringList>

class QCommandLineParser;

namespace ortolino {

class Language;
struct Environment;

// True when the arguments ask only for information (--help, --version):
// it is printed before any window exists, so it needs no display.
bool asksForInformation(const QStringList& arguments);

// The program's options in the current language: --help, --version, and a
// description that says where the settings and reports are kept.
void describeOptions(QCommandLineParser& parser, Language& language, const Environment& env);

} // namespace ortolino
