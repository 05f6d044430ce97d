#include "gui/widgets/Accessibility.h"

#include "core/app/Startup.h"
#include "core/exercise/Scanning.h"
#include "gui/character/BalloonWindow.h"
#include "gui/widgets/Controls.h"
#include "gui/widgets/SwitchBox.h"
#include "support/WindowFixture.h"

#include <gtest/gtest.h>
#include <QAccessible>
#include <QDir>
#include <QLabel>
#include <QPointer>
#include <QTest>

using namespace ortolino;
using namespace ortolino::test;

namespace {

// The roles of controls a person acts on: each needs a name to be found.
bool actionable(QAccessible::Role role)
{
    static const QList<QAccessible::Role> roles = {
        QAccessible::Button,   QAccessible::CheckBox, QAccessible::RadioButton,
        QAccessible::ComboBox, QAccessible::List,     QAccessible::ScrollBar,
        QAccessible::Slider,   QAccessible::SpinBox,  QAccessible::EditableText,
        QAccessible::PageTab,  QAccessible::MenuItem};
    return roles.contains(role);
}

// Every enabled actionable control below `iface` without a name, as
// "objectName(role)".
void collectNameless(QAccessibleInterface* iface, QStringList& nameless)
{
    for (int i = 0; i < iface->childCount(); ++i) {
        QAccessibleInterface* child = iface->child(i);
        if (!child || child->state().disabled)
            continue;
        // Ortolino's controls carry design names; parts of Qt's own controls
        // (a text box's scroll bars) are described by Qt.
        const QObject* object = child->object();
        if (object && !object->objectName().isEmpty() && actionable(child->role()) &&
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

// Every window in both languages: each control a person acts on has a name; the
// menu's buttons and pictures press; the configuration's captions name their bars.
TEST_F(AccessibilityTest, EveryControlHasANameAndTheRoleAPersonExpects)
{
    for (const char* language : {"Italiano", "English"}) {
        for (const char* name : {"FormAvvio", "FormMenu", "lettere", "FormConfigura",
                                 "FormEserciziEseguiti", "FormProgressi", "FormInfo"}) {
            SCOPED_TRACE(std::string(language) + " " + name);
            useLanguage(language);
            program.state.TieniTraccia = true;
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
            if (form->objectName() == "FormConfigura") {
                for (const auto& [label, tied] : {std::pair{"Label1", "HScroll1"},
                                                  {"Label2", "HScroll2"},
                                                  {"Label7", "HScroll3"},
                                                  {"LabelVoci", "List1"},
                                                  {"LabelPersonaggi", "List2"},
                                                  {"Label10", "ListImmaginiDisponibili"},
                                                  {"Label9", "ListImmaginiDaUtilizzare"}}) {
                    QWidget* control = test::control(form, tied);
                    auto* text = test::control<QLabel>(form, label);
                    EXPECT_EQ(text->buddy(), control) << tied;
                    if (QString(tied).startsWith("HScroll")) {
                        const auto labels =
                            QAccessible::queryAccessibleInterface(control)->relations(
                                QAccessible::Label);
                        ASSERT_EQ(labels.size(), 1) << tied;
                        EXPECT_EQ(labels[0].first->object(), text) << tied;
                    }
                }
            }
            unloadAll();
        }
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
    windows.unload(menu);
    settle();

    // In the exercise the scan walks the letter keys: each is spoken by its letter.
    for (size_t i = 0; i < program.state.LettereAttive.size(); ++i)
        program.state.LettereAttive[i] = true;
    program.state.MassimoLettere = 13;
    focusEvents.clear();
    Form* exercise = show("lettere");
    pressSpace(exercise); // onto the first key
    pressSpace(exercise);
    ASSERT_GE(focusEvents.size(), 2);
    EXPECT_EQ(nameOf(focusEvents[focusEvents.size() - 2]), QStringLiteral("Q"));
    EXPECT_EQ(nameOf(focusEvents.last()), QStringLiteral("W"));

    // Counters are read with their captions; the picture keeps its word to itself.
    EXPECT_EQ(nameOf(exercise->findChild<QObject*>(QStringLiteral("EtichettaEsatti"))),
              QStringLiteral("Esatti 0"));
    EXPECT_EQ(nameOf(exercise->findChild<QObject*>(QStringLiteral("Image1"))), QString());
}

} // namespace
