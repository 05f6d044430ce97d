// The widgets every window is made of: accessibility, translation, questions.
#include "gui/character/BalloonWindow.h"
#include "gui/menu/FormMenu.h"
#include "gui/widgets/Accessibility.h"
#include "gui/widgets/Colors.h"
#include "gui/widgets/Controls.h"
#include "gui/widgets/FormTranslator.h"
#include "gui/widgets/QtServices.h"
#include "gui/widgets/SwitchBox.h"
#include "support/WindowFixture.h"

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

using namespace ortolino;
using namespace ortolino::test;

namespace {

// Every enabled actionable control below `iface` without a name, as "name(role)".
void collectNameless(QAccessibleInterface* iface, QStringList& nameless)
{
    // The roles of controls a person acts on: each needs a name to be found.
    static const QList<QAccessible::Role> actionable = {
        QAccessible::Button,   QAccessible::CheckBox, QAccessible::RadioButton,
        QAccessible::ComboBox, QAccessible::List,     QAccessible::ScrollBar,
        QAccessible::Slider,   QAccessible::SpinBox,  QAccessible::EditableText,
        QAccessible::PageTab,  QAccessible::MenuItem};
    for (int i = 0; i < iface->childCount(); ++i) {
        QAccessibleInterface* child = iface->child(i);
        if (!child || child->state().disabled)
            continue;
        // Ortolino's controls carry design names; parts of Qt's own controls
        // (a text box's scroll bars) are described by Qt.
        const QObject* object = child->object();
        if (object && !object->objectName().isEmpty() && actionable.contains(child->role()) &&
            child->text(QAccessible::Name).trimmed().isEmpty()) {
            nameless << QStringLiteral("%1(%2)").arg(object->objectName(),
                                                     QString::number(child->role(), 16));
        }
        collectNameless(child, nameless);
    }
}

QString nameOf(QObject* object)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
    return iface ? iface->text(QAccessible::Name) : QString();
}

class AccessibilityTest : public WindowFixture
{
protected:
    AccessibilityTest()
    {
        QDir().mkpath(env.env().cartellaUtenti());
        PreparaTastiera(program.state);
        program.state.PercorsoProfilo = env.env().profiloPredefinito();
        program.state.CartellaImmagini = QStringLiteral("immagini");
        program.state.ColoreCasuale = false;
        for (const char* word : {"nave.jpg", "pane.jpg", "rana.jpg"})
            writePicture(env, QStringLiteral("immagini/") + QLatin1String(word));
        setAnnouncementListener([this](QObject* target, QAccessible::Event event) {
            if (event == QAccessible::Focus)
                focusEvents << target;
        });
    }
    ~AccessibilityTest() override
    {
        unloadAll();
        setAnnouncementListener({});
    }

    // The language as the language menu keeps it (the main menu reads it back).
    void useLanguage(const char* name)
    {
        ASSERT_TRUE(program.language.writeCurrentLanguageSetting(QString::fromLatin1(name)));
        program.language.CurrentLanguage = QString::fromLatin1(name);
    }
    Form* show(const char* name)
    {
        Form* form = windows.show(QString::fromLatin1(name));
        QCoreApplication::processEvents();
        return form;
    }
    void pressSpace(QWidget* window)
    {
        pressSwitch(control<SwitchBox>(window, "PictureScansioneManuale"), Qt::Key_Space);
    }

    QList<QPointer<QObject>> focusEvents; // what the scan announced, in order
};

// Every window: each control a person acts on has a name (in each language
// too: the language checker finds a text missing); the menu's buttons and
// pictures press.
TEST_F(AccessibilityTest, EveryControlHasANameAndTheRoleAPersonExpects)
{
    useLanguage("Italiano");
    for (const char* name : {"FormAvvio", "FormMenu", "lettere", "FormConfigura",
                             "FormEserciziEseguiti", "FormProgressi", "FormInfo"}) {
        SCOPED_TRACE(name);
        program.state.TieniTraccia = true; // the report's entries enabled
        Form* form = show(name);
        ASSERT_NE(form, nullptr);
        QStringList nameless;
        collectNameless(QAccessible::queryAccessibleInterface(form), nameless);
        EXPECT_TRUE(nameless.isEmpty()) << nameless.join(QLatin1Char(' ')).toStdString();
        if (form->objectName() == "FormMenu") {
            for (QObject* control : controlsOf(form)) {
                if (control->objectName() != "Command1" && control->objectName() != "Image1")
                    continue;
                QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(control);
                EXPECT_EQ(iface->role(), QAccessible::Button);
                ASSERT_NE(iface->actionInterface(), nullptr);
                EXPECT_TRUE(iface->actionInterface()->actionNames().contains(
                    QAccessibleActionInterface::pressAction()));
            }
            EXPECT_EQ(nameOf(test::control(form, "Image1", 0)),
                      caption(test::control(form, "Command1", 0)));
        }
        unloadAll();
    }
    // The balloon is an alert that reads what it shows.
    BalloonWindow balloon;
    balloon.present(QStringLiteral("Ciao!"), QRect(0, 0, 100, 100), QPoint(50, 50));
    QAccessibleInterface* alert = QAccessible::queryAccessibleInterface(&balloon);
    EXPECT_EQ(alert->role(), QAccessible::AlertMessage);
    EXPECT_EQ(alert->text(QAccessible::Name), QStringLiteral("Ciao!"));
}

TEST_F(AccessibilityTest, TheScanMovingIsAnnouncedAsAFocusChange)
{
    useLanguage("Italiano");
    program.state.ModalitaInput = kModoScansioneManuale;
    Form* menu = show("FormMenu");
    ASSERT_FALSE(focusEvents.isEmpty());
    EXPECT_EQ(nameOf(focusEvents.last()), QStringLiteral("LETTERA INIZIALE"));
    pressSpace(menu);
    EXPECT_EQ(nameOf(focusEvents.last()), QStringLiteral("UNA LETTERA NELLA PAROLA"));
    const qsizetype told = focusEvents.size();
    for (int i = 0; i < 3; ++i) // the focus ticks keep the mark where it is, untold
        qobject_cast<FormMenu*>(menu)->Timer1_Timer();
    EXPECT_EQ(focusEvents.size(), told);
    unloadAll();

    // In the exercise the scan walks the letter keys: each is spoken by its letter.
    program.state.LettereAttive.fill(true);
    program.state.MassimoLettere = 13;
    focusEvents.clear();
    Form* exercise = show("lettere");
    pressSpace(exercise); // onto the first key
    pressSpace(exercise);
    ASSERT_GE(focusEvents.size(), 2);
    EXPECT_EQ(nameOf(focusEvents[focusEvents.size() - 2]), QStringLiteral("Q"));
    EXPECT_EQ(nameOf(focusEvents.last()), QStringLiteral("W"));

    // Counters are read with their captions; the picture keeps its word to itself.
    EXPECT_EQ(nameOf(control(exercise, "EtichettaEsatti")), "Esatti 0");
    EXPECT_EQ(nameOf(control(exercise, "Image1")), QString());
}

// On a dark desktop (light text on dark grey) every text drawn on the program's
// own colours still reads: the desktop's light text on them was all but invisible.
TEST_F(AccessibilityTest, TextsOnTheProgramsColoursReadOnADarkDesktop)
{
    const QPalette desktop = QApplication::palette();
    QPalette dark;
    for (const auto role : {QPalette::Window, QPalette::Button, QPalette::Base})
        dark.setColor(role, QColor(0x35, 0x35, 0x35));
    for (const auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        dark.setColor(role, Qt::white);
    QApplication::setPalette(dark);
    useLanguage("Italiano");
    for (const char* name : {"FormMenu", "FormConfigura", "lettere"}) {
        SCOPED_TRACE(name);
        Form* form = show(name);
        ASSERT_NE(form, nullptr);
        for (QFrame* page : form->findChildren<QFrame*>(QRegularExpression("^Frame")))
            page->show(); // every tab of the configuration at once
        int checked = 0;
        for (QWidget* control : form->centralWidget()->findChildren<QWidget*>()) {
            const bool button = qobject_cast<QPushButton*>(control) != nullptr;
            if (!control->isVisibleTo(form) || !control->isEnabled() ||
                !(button || qobject_cast<QLabel*>(control) ||
                  qobject_cast<QAbstractButton*>(control)))
                continue;
            SCOPED_TRACE(control->objectName().toStdString());
            const QPalette& p = control->palette();
            EXPECT_GE(button
                          ? contrastRatio(p.color(QPalette::ButtonText), p.color(QPalette::Button))
                          : contrastRatio(p.color(QPalette::WindowText), p.color(QPalette::Window)),
                      4.5);
            ++checked;
        }
        EXPECT_GT(checked, 5);
        unloadAll();
    }
    QApplication::setPalette(desktop);
}

// Keys name an array's member by index, in the window's own section only; what
// has no key keeps its design text (tab and menu captions: the journeys').
TEST(FormTranslatorTest, ControlsArraysFramesTagsAndTitlesTakeTheirTexts)
{
    TestEnvironment env;
    env.writeProgramFile(
        "lngortolino/Prova.lng",
        "[Strings]\r\n0001=\"x\"\r\n"
        "[Finestra]\r\nFinestra.Caption=\"Titolo\"\r\nFinestra.Tag=\"etichetta\"\r\n"
        "tastiera(3).Caption=\"R!\"\r\ntastiera.Caption=\"mai\"\r\n"
        "tastiera(3).ToolTipText=\"la erre\"\r\nSingolo.Caption=\"uno\"\r\n"
        "Singolo.Tag=\"@L,T\"\r\nCornice.Caption=\"Riquadro\"\r\n"
        "[Altra]\r\nSingolo.Caption=\"altra\"\r\n");
    Language language{env.env()};
    QMainWindow window;
    window.setObjectName("Finestra");
    window.setWindowTitle("Form1");
    auto* inner = new QWidget(&window);
    window.setCentralWidget(inner);
    const auto named = [](auto* widget, const char* name) {
        widget->setObjectName(name);
        return widget;
    };
    QList<QPushButton*> keys;
    for (int i = 0; i < 5; ++i) {
        keys << named(new QPushButton(QString("k%1").arg(i), inner), "tastiera");
        setControlIndex(keys.last(), i);
    }
    auto* single = named(new QLabel("design", inner), "Singolo");
    auto* untranslated = named(new QLabel("resta", inner), "Altro");
    auto* frame = named(new QGroupBox("cornice", inner), "Cornice");

    language.CurrentLanguage = "Prova";
    MLSLoadFormStrings(&window, language);
    // "Singolo" from its own section, not "Altra".
    EXPECT_EQ((QStringList{window.windowTitle(), tag(&window), keys[3]->text(), keys[3]->toolTip(),
                           keys[2]->text(), single->text(), tag(single), untranslated->text(),
                           frame->title()}),
              (QStringList{"Titolo", "etichetta", "R!", "la erre", "k2", "uno", "@L,T", "resta",
                           "Riquadro"}));
}

// A question whose "Yes" throws something away has "No" as its default: Enter keeps.
TEST(QuestionBoxTest, EnterKeepsWhatAYesWouldThrowAway)
{
    for (const bool yesDestroys : {false, true}) {
        Message question;
        question.buttons = Message::Buttons::YesNo;
        question.yesDestroys = yesDestroys;
        QTimer::singleShot(0, [] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            EXPECT_TRUE(box->textInteractionFlags() & Qt::TextSelectableByMouse);
            QAbstractButton* enter = box->defaultButton();
            (enter != nullptr ? enter : box->button(QMessageBox::Yes))->click();
        });
        EXPECT_EQ(QtMessageBoxes().show(question),
                  yesDestroys ? MessageBoxes::Answer::No : MessageBoxes::Answer::Yes);
    }
}

} // namespace
