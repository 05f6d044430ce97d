// The language files name controls by their design names: every text of a
// window's section must find its control, and every control that shows a
// caption must find its text, in every shipped language.
#include "core/app/Program.h"
#include "core/lang/IniFile.h"
#include "gui/config/FormConfigura.h"
#include "gui/exercise/lettere.h"
#include "gui/menu/FormAvvio.h"
#include "gui/menu/FormInfo.h"
#include "gui/menu/FormMenu.h"
#include "gui/report/FormEserciziEseguiti.h"
#include "gui/widgets/Controls.h"
#include "gui/widgets/WindowManager.h"
#include "support/Doubles.h"
#include "support/TestEnvironment.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTabBar>

using namespace ortolino;
using namespace ortolino::test;

namespace {

// A control as the language file names it: "Command1" or "OptionUtente(2)".
QString keyName(const QObject* control)
{
    const int index = controlIndex(control);
    return index < 0 ? control->objectName()
                     : control->objectName() + '(' + QString::number(index) + ')';
}

// The keys of one section of a language file, in file order.
QStringList sectionKeys(const QString& path, const QString& section)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList keys;
    bool inside = false;
    for (const QString& raw : QString::fromLatin1(file.readAll()).split('\n')) {
        const QString line = raw.trimmed();
        if (line.startsWith('['))
            inside = line == '[' + section + ']';
        else if (inside && line.contains('='))
            keys << line.left(line.indexOf('=')).trimmed();
    }
    return keys;
}

bool hasLetter(const QString& text)
{
    return text.contains(QRegularExpression(QStringLiteral("\\p{L}")));
}

// Captions the program itself fills, whatever the language file says.
const QStringList kFilledByTheProgram = {
    "FormMenu/mnuLanguage(0)",     // the names of the language files
    "FormInfo/Label1",             // credits,
    "FormInfo/Label3",             // usage notice
    "FormInfo/Label4",             // and information lines, at each activation
    "lettere/LabelMerlino",        // the balloon's texts
    "lettere/LabelDimensionaFont", // never shown: it measures the keys' face
};

struct Window
{
    const char* name;
    std::function<Form*(Program&, WindowManager&)> create;
};

template <typename W> Window window(const char* name)
{
    return {name, [](Program& p, WindowManager& w) { return new W(p, w); }};
}

TEST(WindowTextsTest, EveryTextFindsItsControlAndEveryCaptionItsText)
{
    TestEnvironment env;
    TestServices seams;
    Program program{env.env(), seams.services()};
    WindowManager windows{program};
    const QDir folder(env.env().programFile(QStringLiteral("lngortolino")));
    const QStringList languages = folder.entryList({QStringLiteral("*.lng")}, QDir::Files);
    ASSERT_GE(languages.size(), 2);

    const Window table[] = {window<FormAvvio>("FormAvvio"),
                            window<FormMenu>("FormMenu"),
                            window<FormInfo>("FormInfo"),
                            window<FormConfigura>("FormConfigura"),
                            window<FormEserciziEseguiti>("FormEserciziEseguiti"),
                            window<lettere>("lettere")};
    int keysRead = 0;
    for (const Window& w : table) {
        // Built but never loaded: every control still shows its design caption.
        std::unique_ptr<Form> form(w.create(program, windows));
        const QString section = QString::fromLatin1(w.name);
        QStringList names;  // the keys a control can have a text under
        QStringList needed; // the keys that must have a text
        for (const QObject* control : controlsOf(form.get())) {
            const QString name = keyName(control);
            names << name;
            if (hasLetter(caption(control)) && !kFilledByTheProgram.contains(section + '/' + name))
                needed << name + ".Caption";
            if (auto* tabs = qobject_cast<const QTabBar*>(control)) {
                for (int i = 0; i < tabs->count(); ++i)
                    needed << name + ".TabCaption(" + QString::number(i) + ')';
            }
        }
        if (!form->windowTitle().isEmpty())
            needed << section + ".Caption";

        for (const QString& language : languages) {
            const QString path = folder.filePath(language);
            const std::optional<IniDocument> file = IniDocument::load(path);
            ASSERT_TRUE(file) << path.toStdString();
            for (const QString& key : needed) {
                EXPECT_FALSE(file->value(section, key).isEmpty())
                    << language.toStdString() << " [" << w.name << "] has no " << key.toStdString();
            }
            for (const QString& key : sectionKeys(path, section)) {
                ++keysRead;
                const QString control = key.left(key.indexOf('.'));
                EXPECT_TRUE(control == section || names.contains(control))
                    << language.toStdString() << " [" << w.name << "] " << key.toStdString()
                    << " names no control";
            }
        }
    }
    EXPECT_GT(keysRead, 150); // the sections were found and read
}

} // namespace
