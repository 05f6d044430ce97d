#pragma once

#include <memory>
#include <QString>

class QTranslator;

namespace ortolino {

// Qt's own texts (the buttons of message boxes, the file, colour, font and
// print dialogs, the context menus of text boxes) in the program's language:
// Qt's translation qtbase_<code>.qm from Qt's translations folder, installed
// into the application and replaced at each change of language. The code is
// the language file's ("0209"), never the machine's locale.
class QtTranslations
{
public:
    QtTranslations();
    ~QtTranslations();
    QtTranslations(const QtTranslations&) = delete;
    QtTranslations& operator=(const QtTranslations&) = delete;

    // Removes the translation installed before and installs the one for
    // `code`. Qt without a translation for it (or an empty code) keeps its
    // own English: that is no error. True when a translation is in force.
    bool follow(const QString& code);

    // The code of the translation in force; "" when Qt speaks its English.
    QString code() const { return code_; }

private:
    void remove();

    std::unique_ptr<QTranslator> translator_;
    QString code_;
};

} // namespace ortolino
