// A teacher's first hour on the real windows, started as main() starts them:
// what one window leaves behind must be what the next one finds, and a change
// of language reaches every text, dialog, voice and picture.
#include "core/app/Profile.h"
#include "core/app/Startup.h"
#include "core/platform/Random.h"
#include "core/platform/SwitchInput.h"
#include "core/platform/TextFiles.h"
#include "gui/widgets/FittedText.h"
#include "gui/widgets/WordWrapButton.h"
#include "support/WindowFixture.h"

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

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

// Every text a window shows (title, captions, tooltips, text boxes, tabs, combo
// entries), keyed by design name and index, unnamed objects by their order.
QMap<QString, QString> textsOf(QWidget* window)
{
    QMap<QString, QString> texts{{"title", window->windowTitle()}};
    int order = 0;
    for (QObject* object : window->findChildren<QObject*>()) {
        // A label that takes the focus makes an editor of its text at its first
        // change: its inner objects would shift the order of those after it.
        bool inEditor = false;
        for (const QObject* o = object; o != window && !inEditor; o = o->parent())
            inEditor = o->inherits("QWidgetTextControl");
        if (inEditor)
            continue;
        const QString name = object->objectName().isEmpty()
                                 ? object->metaObject()->className() + QString::number(++order)
                                 : object->objectName() + object->property("Index").toString();
        for (const char* property : {"text", "title", "toolTip", "plainText"}) {
            if (const QVariant value = object->property(property);
                value.typeId() == QMetaType::QString)
                texts[name + '.' + property] = value.toString();
        }
        const auto* tabs = qobject_cast<QTabBar*>(object);
        const auto* combo = qobject_cast<QComboBox*>(object);
        for (int i = 0; i < (tabs ? tabs->count() : combo ? combo->count() : 0); ++i)
            texts[name + ".item" + QString::number(i)] =
                tabs ? tabs->tabText(i) : combo->itemText(i);
    }
    return texts;
}

// The captions a window cuts at its present size (buttons, labels and frame
// titles, in the font each is drawn in), with the page shown of each tab strip.
QStringList cutCaptions(QWidget* window)
{
    const auto needs = [](const QFont& font, int width, int flags, const QString& text) {
        return QFontMetrics(font)
            .boundingRect(QRect(0, 0, width, 10000), flags | Qt::TextShowMnemonic, text)
            .size();
    };
    QStringList cut;
    for (QWidget* control : window->findChildren<QWidget*>()) {
        if (!control->isVisibleTo(window))
            continue;
        QSize room = control->size(), needed;
        if (auto* wrapping = qobject_cast<WordWrapButton*>(control)) {
            QStyleOptionButton option;
            option.initFrom(wrapping);
            room = wrapping->style()
                       ->subElementRect(QStyle::SE_PushButtonContents, &option, wrapping)
                       .size();
            needed = needs(wrapping->shownFont(), room.width(), Qt::TextWordWrap, wrapping->text());
        } else if (auto* button = qobject_cast<QPushButton*>(control)) {
            needed = {button->fontMetrics().horizontalAdvance(button->text()) + 6, 0};
        } else if (auto* option = qobject_cast<QAbstractButton*>(control);
                   option && !qobject_cast<QToolButton*>(control)) {
            needed = {option->sizeHint().width(), 0};
        } else if (auto* label = qobject_cast<QLabel*>(control)) {
            const auto* fitted = qobject_cast<FittedLabel*>(label);
            needed = needs(fitted ? fitted->shownFont() : label->font(), room.width(),
                           label->wordWrap() ? Qt::TextWordWrap : 0, label->text());
        } else if (auto* frame = qobject_cast<QGroupBox*>(control);
                   frame && !frame->title().isEmpty()) {
            const auto* fitted = qobject_cast<FittedGroupBox*>(frame);
            const QFontMetrics title(fitted ? fitted->titleFont() : frame->font());
            for (QWidget* inside : frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                if (inside->isVisibleTo(frame))
                    room.setHeight(std::min(room.height(), inside->y()));
            needed = {title.horizontalAdvance(frame->title()), title.height()};
        }
        if (needed.width() > room.width() || needed.height() > room.height())
            cut << control->objectName() + control->property("Index").toString();
    }
    return cut;
}

class JourneyTest : public WindowFixture
{
protected:
    JourneyTest()
    {
        SingleInstanceLock lock(env.env().runtimeFolder);
        EXPECT_EQ(Main(program, lock), StartResult::Started);
        for (const char* word : {"rana", "luna", "mela", "topo"})
            writePicture(env, QStringLiteral("immagini/%1.jpg").arg(QLatin1String(word)));
        writePicture(env, "pictures/apple.jpg");
        random.seed(20261206);
        program.services.random = &random;
    }
    ~JourneyTest() override { unloadAll(); } // the windows draw from `random`

    Form* window(const char* name) const { return windows.find(QString::fromLatin1(name)); }

    // A control of a loaded window; a window or control missing fails the test.
    template <typename Control> Control* control(const char* form, const char* name, int index = -1)
    {
        if (window(form) == nullptr)
            throw std::runtime_error(std::string("no window ") + form);
        return test::control<Control>(window(form), QString::fromLatin1(name), index);
    }

    void trigger(const char* form, const char* action)
    {
        control<QAction>(form, action)->trigger();
        settle();
    }

    void startExercise(int index)
    {
        QTest::mouseClick(control<QWidget>("FormMenu", "Command1", index), Qt::LeftButton);
        settle();
        ASSERT_NE(window("lettere"), nullptr);
    }

    // Types the missing letters of the word on screen; returns the word.
    QString completeWord()
    {
        const ProgramState& s = program.state;
        const QString word = s.ParoleDisponibili[static_cast<size_t>(s.IndiceParola)];
        const QString shown = control<QLabel>("lettere", "Label1")->text();
        for (qsizetype c = 0, w = 0; c < shown.size() && w < word.size(); ++c, ++w) {
            if (shown[c] != QLatin1Char('_'))
                continue;
            QTest::keyClick(window("lettere"), word[w].toLower().toLatin1());
            QTest::qWait(SwitchKeys::kRepeatWindowMs + 20); // a held key counts once
            ++c;
        }
        return word;
    }

    // What a teacher meets in the language chosen from the menu, window by window.
    struct Seen
    {
        QMap<QString, QMap<QString, QString>> windows;
        QStringList messageButtons; // Qt's own texts (its file dialog's come with them)
        QImage examplePicture, exitPicture;
        QString voice;
        QStringList cutCaptions; // "window control"
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
            if (window == nullptr) // every window shows: the accessibility test's
                continue;
            seen.windows[name] = textsOf(window);
            // On 1366 x 768 at 200 %, every page of every tab.
            const QSize before = window->size();
            window->resize(683, 384);
            auto* tabs = window->findChild<QTabBar*>();
            for (int tab = 0; tab < (tabs ? tabs->count() : 1); ++tab) {
                if (tabs && !tabs->isTabVisible(tab))
                    continue;
                if (tabs)
                    tabs->setCurrentIndex(tab);
                for (const QString& control : cutCaptions(window))
                    seen.cutCaptions << name + ' ' + control;
            }
            window->resize(before);
            if (window != menu)
                windows.unload(window);
            settle();
        }
        seen.examplePicture = control<QWidget>("FormMenu", "Image1", 0)->grab().toImage();
        seen.exitPicture = control<QWidget>("FormMenu", "Image1", 4)->grab().toImage();
        QMessageBox box(QMessageBox::Question, "Ortolino", "?",
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        for (const QAbstractButton* button : box.findChildren<QAbstractButton*>())
            seen.messageButtons << button->text();
        seen.voice = program.state.LinguaAgente;
        return seen;
    }

    SystemRandom random;
};

// Anna as her teacher set her up: lower case, six letters, S ticked, activity
// recorded, an Italian list; and a second user, so that the menu offers the list.
// Each word of her report stands under its own exercise, as the menu showed it.
TEST_F(JourneyTest, AChangeOfLanguageKeepsTheChildsProfileAndLog)
{
    ProgramState anna;
    anna.PercorsoProfilo = env.env().cartellaUtenti() + "Anna.ini";
    anna.CarattereLettere = kMinuscolo;
    anna.MassimoLettere = 6;
    anna.LettereAttive[11] = true;
    anna.TieniTraccia = true;
    anna.ListaInUso = env.env().programFile("liste/animali.txt");
    ASSERT_TRUE(SalvaProfilo(anna, anna.PercorsoProfilo));
    env.writeProfile("Luca.ini", 5);
    windows.show(QStringLiteral("FormMenu"));
    auto* users = control<QComboBox>("FormMenu", "Combo1");
    users->setCurrentIndex(users->findText("ANNA"));
    ASSERT_GE(users->currentIndex(), 0);
    emit users->activated(users->currentIndex());
    startExercise(0);
    const QString first = completeWord();
    QTest::mouseClick(control<QPushButton>("lettere", "BottoneAvanti"), Qt::LeftButton);
    const QString second = completeWord();
    trigger("lettere", "mnuEsci");
    startExercise(1);
    const QString third = completeWord();
    trigger("lettere", "mnuEsci");
    QAction* english = control<QAction>("FormMenu", "mnuLanguage", 0);
    ASSERT_EQ(english->text(), "English");
    english->trigger();
    trigger("FormMenu", "mnuInformazioni");
    QTest::mouseClick(control<QPushButton>("FormInfo", "Command1"), Qt::LeftButton);
    settle();
    ASSERT_NE(window("FormMenu"), nullptr); // back: the user was selected, saved and read again
    // Every field as before, her list too (which list serves meanwhile: UsersTest).
    ProgramState expected = anna;
    expected.PercorsoProfilo = env.root() + "/expected.ini";
    ASSERT_TRUE(SalvaProfilo(expected, expected.PercorsoProfilo));
    EXPECT_EQ(readFileBytes(anna.PercorsoProfilo), readFileBytes(expected.PercorsoProfilo));
    EXPECT_EQ(program.state.NomeUtente, "Anna");
    trigger("FormMenu", "mnuEserciziEseguiti");
    QStringList lines; // those of the report that name an exercise or a word
    const QString report =
        control<QTextEdit>("FormEserciziEseguiti", "RichTextBox1")->toPlainText();
    for (const QString& line : report.split(QLatin1Char('\n')))
        if (line.contains(QLatin1Char('*')))
            lines << line.trimmed();
    const QString stars = QStringLiteral("***************"); // captions in her letter case
    EXPECT_EQ(lines,
              QStringList({stars + " lettera iniziale " + stars, "* " + first + " *",
                           "* " + second + " *", stars + " una lettera nella parola " + stars,
                           "* " + third + " *"}));
}

// After a switch to English no text a window shows is still its Italian one
// (names and numbers aside), and back again.
TEST_F(JourneyTest, EveryWindowDialogVoiceAndPictureFollowsTheLanguage)
{
    env.writeProfile("Anna.ini", 5);         // two users: the menu lists them
    program.services.random = &seams.random; // the same word at every visit
    const Seen italian = meet("Italiano");
    const Seen english = meet("English");
    const Seen italianAgain = meet("Italiano");
    int compared = 0;
    for (auto window = italian.windows.begin(); window != italian.windows.end(); ++window) {
        const QMap<QString, QString>& there = english.windows[window.key()];
        const QMap<QString, QString>& again = italianAgain.windows[window.key()];
        for (auto text = window->begin(); text != window->end(); ++text) {
            const std::string where = window.key().toStdString() + ' ' + text.key().toStdString();
            EXPECT_EQ(again[text.key()], text.value()) << where;
            if (worthComparing(text.value()) && there.contains(text.key())) {
                ++compared;
                EXPECT_NE(there[text.key()], text.value()) << where;
            }
        }
    }
    EXPECT_GT(compared, 120);
    EXPECT_EQ(italian.cutCaptions + english.cutCaptions, QStringList());
    EXPECT_TRUE(english.messageButtons.contains("&Yes"));
    EXPECT_TRUE(italian.messageButtons.contains("&Sì"));
    EXPECT_EQ((QStringList{italian.voice, english.voice}), (QStringList{"1040", "1033"}));
    EXPECT_TRUE(seams.agent.calls.contains("setLanguageID 1033"));
    EXPECT_NE(english.examplePicture, italian.examplePicture);
    EXPECT_EQ(italianAgain.examplePicture, italian.examplePicture);
    EXPECT_EQ(english.exitPicture, italian.exitPicture);
}

} // namespace
