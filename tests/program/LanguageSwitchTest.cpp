// The teacher's language on the real windows: after a switch to English no
// text a window shows is still its Italian one (names and numbers aside), Qt's
// own dialogs, the voice and the menu's pictures follow, and back again.
#include "core/app/Startup.h"
#include "support/WindowFixture.h"

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTabBar>
#include <QTextEdit>

using namespace ortolino;
using namespace ortolino::test;

namespace {

// Texts that are names, or the same word in both languages (and the
// exercise window's measuring label, never shown).
const QStringList kSameInBothLanguages = {
    "Ortolino", "Ortolino - Menu", "&Menu",   "menu",  "Font", "about",           "Italiano",
    "English",  "Merlin",          "Merlino", "Peedy", "Anna", "dimensiona font",
};

bool worthComparing(const QString& text)
{
    static const QRegularExpression twoLetters(QStringLiteral("\\p{L}.*\\p{L}"));
    return text.contains(twoLetters) &&
           !kSameInBothLanguages.contains(text.trimmed(), Qt::CaseInsensitive);
}

// Every text a window shows, by where it stands: its title, and of each
// widget and menu entry below it the caption, tooltip, tab captions, combo
// entries and text-box contents. Widgets and entries are told apart by
// design name and index, unnamed ones by their order.
QMap<QString, QString> textsOf(QWidget* window)
{
    QMap<QString, QString> texts;
    texts["title"] = window->windowTitle();
    int order = 0;
    auto add = [&](const QObject* object, const char* what, const QString& text) {
        const QVariant index = object->property("Index");
        const QString name =
            object->objectName().isEmpty()
                ? QString::fromLatin1(object->metaObject()->className()) + QString::number(order)
                : object->objectName() + index.toString();
        texts[name + '.' + what] = text;
    };
    for (QObject* object : window->findChildren<QObject*>()) {
        ++order;
        if (auto* action = qobject_cast<QAction*>(object))
            add(action, "text", action->text());
        if (auto* widget = qobject_cast<QWidget*>(object))
            add(widget, "tooltip", widget->toolTip());
        if (auto* label = qobject_cast<QLabel*>(object))
            add(label, "text", label->text());
        else if (auto* button = qobject_cast<QAbstractButton*>(object))
            add(button, "text", button->text());
        else if (auto* group = qobject_cast<QGroupBox*>(object))
            add(group, "text", group->title());
        else if (auto* tabs = qobject_cast<QTabBar*>(object)) {
            for (int i = 0; i < tabs->count(); ++i)
                add(tabs, qPrintable("tab" + QString::number(i)), tabs->tabText(i));
        } else if (auto* combo = qobject_cast<QComboBox*>(object)) {
            for (int i = 0; i < combo->count(); ++i)
                add(combo, qPrintable("item" + QString::number(i)), combo->itemText(i));
        } else if (auto* box = qobject_cast<QTextEdit*>(object))
            add(box, "text", box->toPlainText());
    }
    return texts;
}

QStringList buttonTexts(QWidget* dialog)
{
    QStringList texts;
    for (const QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
        if (!button->text().isEmpty())
            texts << button->text();
    return texts;
}

class LanguageSwitchTest : public WindowFixture
{
protected:
    LanguageSwitchTest()
    {
        SingleInstanceLock lock(env.env().runtimeFolder);
        EXPECT_EQ(Main(program, lock), StartResult::Started);
        env.writeProfile("Anna.ini", 5); // two users: the menu lists them
        for (const char* picture : {"immagini/mela.jpg", "pictures/apple.jpg"}) {
            QImage image(QSize(40, 30), QImage::Format_RGB32);
            image.fill(Qt::darkGreen);
            const QString path = env.env().programFile(QString::fromLatin1(picture));
            QDir().mkpath(QFileInfo(path).absolutePath());
            image.save(path, "JPG");
        }
    }

    // What a teacher meets in one language: chosen from the menu, then
    // every window opened in turn.
    struct Seen
    {
        QMap<QString, QMap<QString, QString>> windows;
        QStringList messageButtons, fileDialogButtons;
        QImage examplePicture, exitPicture;
        QString voice;
    };

    Seen meet(const QString& language)
    {
        Seen seen;
        Form* menu = windows.show("FormMenu");
        settle();
        for (QAction* entry : menu->findChildren<QAction*>("mnuLanguage"))
            if (entry->text() == language)
                entry->trigger();
        settle();
        for (const QString& name : windows.registeredNames()) {
            Form* window = name == "FormMenu" ? menu : windows.show(name);
            settle();
            EXPECT_NE(window, nullptr) << name.toStdString();
            if (window == nullptr)
                continue;
            seen.windows[name] = textsOf(window);
            if (window != menu)
                windows.unload(window);
            settle();
        }
        seen.examplePicture = control<QWidget>(menu, "Image1", 0)->grab().toImage();
        seen.exitPicture = control<QWidget>(menu, "Image1", 4)->grab().toImage();

        QMessageBox box(QMessageBox::Question, "Ortolino", "?",
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        seen.messageButtons = buttonTexts(&box);
        QFileDialog dialog(nullptr, QString(), env.root());
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        seen.fileDialogButtons = buttonTexts(&dialog);
        seen.voice = program.state.LinguaAgente;
        return seen;
    }
};

TEST_F(LanguageSwitchTest, EveryWindowDialogVoiceAndPictureFollowsTheLanguage)
{
    const Seen italian = meet("Italiano");
    const Seen english = meet("English");
    const Seen italianAgain = meet("Italiano");

    int compared = 0;
    for (auto window = italian.windows.begin(); window != italian.windows.end(); ++window) {
        const QMap<QString, QString>& there = english.windows[window.key()];
        for (auto text = window->begin(); text != window->end(); ++text) {
            if (!worthComparing(text.value()) || !there.contains(text.key()))
                continue;
            ++compared;
            EXPECT_NE(there[text.key()], text.value())
                << window.key().toStdString() << ' ' << text.key().toStdString();
        }
    }
    EXPECT_GT(compared, 120);
    for (auto window = italian.windows.begin(); window != italian.windows.end(); ++window) {
        const QMap<QString, QString>& again = italianAgain.windows[window.key()];
        for (auto text = window->begin(); text != window->end(); ++text)
            EXPECT_EQ(again[text.key()], text.value())
                << window.key().toStdString() << ' ' << text.key().toStdString();
    }

    EXPECT_TRUE(english.messageButtons.contains("&Yes"));
    EXPECT_TRUE(italian.messageButtons.contains("&Sì"));
    for (const QString& button : italian.fileDialogButtons)
        EXPECT_FALSE(english.fileDialogButtons.contains(button)) << button.toStdString();
    EXPECT_FALSE(italian.fileDialogButtons.isEmpty());

    EXPECT_EQ(italian.voice, "1040");
    EXPECT_EQ(english.voice, "1033");
    EXPECT_TRUE(seams.agent.calls.contains("setLanguageID 1033"));

    EXPECT_NE(english.examplePicture, italian.examplePicture);
    EXPECT_EQ(italianAgain.examplePicture, italian.examplePicture);
    EXPECT_EQ(english.exitPicture, italian.exitPicture);
}

} // namespace
