// The widgets every window is made of: accessibility, translation, resizing.
#include "core/exercise/Scanning.h"
#include "core/platform/Colore.h"
#include "gui/character/BalloonWindow.h"
#include "gui/menu/FormMenu.h"
#include "gui/widgets/Accessibility.h"
#include "gui/widgets/clsResize.h"
#include "gui/widgets/Colors.h"
#include "gui/widgets/Controls.h"
#include "gui/widgets/FormTranslator.h"
#include "gui/widgets/QtDialogs.h"
#include "gui/widgets/QtServices.h"
#include "gui/widgets/SwitchBox.h"
#include "support/WindowFixture.h"

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>
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
// pictures press; the configuration's captions name their bars.
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
        if (form->objectName() == "FormConfigura") {
            for (const auto& [label, tied] : {std::pair{"Label1", "HScroll1"},
                                              {"Label2", "HScroll2"},
                                              {"Label7", "HScroll3"},
                                              {"LabelVoci", "List1"},
                                              {"LabelPersonaggi", "List2"},
                                              {"Label10", "ListImmaginiDisponibili"},
                                              {"Label9", "ListImmaginiDaUtilizzare"}}) {
                EXPECT_EQ(test::control<QLabel>(form, label)->buddy(), test::control(form, tied))
                    << tied; // Qt's accessibility reads the label through its buddy
            }
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
    const auto rgb = [](const QColor& c) { return static_cast<std::uint32_t>(storedColor(c)); };
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
            const double contrast = button ? contrastRatio(rgb(p.color(QPalette::ButtonText)),
                                                           rgb(p.color(QPalette::Button)))
                                           : contrastRatio(rgb(p.color(QPalette::WindowText)),
                                                           rgb(p.color(QPalette::Window)));
            EXPECT_GE(contrast, 4.5);
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

    window.setWindowTitle(QString());
    MLSLoadFormStrings(&window, language);
    EXPECT_EQ(window.windowTitle(), ""); // designed without a title: stays without
    window.setObjectName("Altra");
    window.setWindowTitle("Form1");
    MLSLoadFormStrings(&window, language);
    EXPECT_EQ(window.windowTitle(), "Form1"); // key missing: the design title stays
    EXPECT_EQ(tag(&window), "");
}

// A 400 x 300 area with two labels and a line (the arithmetic is ResizeMathTest's).
struct TestWindow
{
    TestWindow()
    {
        auto* inner = new QWidget(&window);
        window.setCentralWidget(inner);
        inner->setFixedSize(400, 300);
        label = new QLabel("a", inner);
        label->setObjectName("Label1");
        label->setGeometry(40, 30, 100, 50);
        tagged = new QLabel("b", inner);
        tagged->setObjectName("Label2");
        tagged->setGeometry(200, 100, 80, 40);
        line = new LineControl(inner);
        line->setObjectName("Line1");
        line->setEndPoints({10, 20}, {110, 20});
        window.adjustSize();
        inner->setMinimumSize(0, 0);
        inner->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        resizer.setSourceForm(&window);
    }
    void resizeInner(int w, int h)
    {
        window.centralWidget()->resize(w, h);
        resizer.ResizeControls();
    }

    QMainWindow window;
    QLabel* label = nullptr;
    QLabel* tagged = nullptr;
    LineControl* line = nullptr;
    clsResize resizer;
};

// Controls and lines follow the area without drift, each window its own; one
// recorded with no area is left alone; a tag without "@" scales all, "@" nothing.
TEST(ResizerTest, ControlsAndLinesFollowTheAreaAsTheirTagsSayWithoutDrift)
{
    TestWindow w, other;
    setTag(w.label, "etichetta");
    w.resizer.ResizeControls();
    other.resizer.ResizeControls();
    EXPECT_EQ(w.label->geometry(), QRect(40, 30, 100, 50));
    w.resizeInner(800, 600);
    EXPECT_EQ(w.label->geometry(), QRect(80, 60, 200, 100));
    EXPECT_EQ(std::pair(w.line->p1(), w.line->p2()), std::pair(QPoint(20, 40), QPoint(220, 40)));
    EXPECT_EQ(other.label->geometry(), QRect(40, 30, 100, 50));
    for (int i = 0; i < 7; ++i)
        w.resizeInner(333 + i * 17, 251 + i * 13);
    w.resizeInner(400, 300);
    EXPECT_EQ(w.label->geometry(), QRect(40, 30, 100, 50));
    EXPECT_EQ(w.line->p2(), QPoint(110, 20));

    TestWindow empty;
    empty.resizeInner(0, 0);
    empty.resizeInner(800, 600);
    EXPECT_EQ(empty.label->geometry(), QRect(40, 30, 100, 50));

    TestWindow tags;
    setTag(tags.label, "@");
    setTag(tags.tagged, "@t,w");
    setTag(tags.line, "@L,T");
    tags.resizer.ResizeControls();
    tags.resizeInner(798, 898); // just under 2 and 3: each value is rounded to the nearest
    EXPECT_EQ(tags.tagged->geometry(), QRect(200, 299, 160, 40));
    EXPECT_EQ(std::pair(tags.line->p1(), tags.line->p2()),
              std::pair(QPoint(20, 60), QPoint(110, 20)));
    EXPECT_EQ(tags.label->geometry(), QRect(40, 30, 100, 50));

    tags.resizer.SizeFormToScreen(75);
    const QRect screen = tags.window.screen()->availableGeometry();
    EXPECT_EQ(tags.window.width(), static_cast<int>(screen.width() * 0.75));
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

// A dialog's own places stand in its sidebar only, not in the next file dialog's.
TEST(FileDialogTest, PlacesGivenToOneDialogAreNotInTheNext)
{
    QTemporaryDir lists;
    ASSERT_TRUE(lists.isValid());
    const QUrl place = QUrl::fromLocalFile(lists.path());
    for (const bool given : {true, false}) {
        bool shown = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            shown = true;
            EXPECT_EQ(dialog->sidebarUrls().contains(place), given);
            dialog->reject();
        });
        EXPECT_TRUE(QtDialogs()
                        .ShowFileDialog(nullptr, Dialogs::Save, "lista", "lista.txt",
                                        {FileFilter{QString(), "*.txt"}}, lists.path(), "txt",
                                        given ? QStringList{lists.path()} : QStringList{})
                        .isEmpty());
        EXPECT_TRUE(shown);
    }
}

// xdg-open finding nothing to open the file with (3: no PDF viewer, no file
// manager) is told; one that opened it, still runs the viewer, or whose viewer
// ended badly long after (here 1.5 s), is not. The path goes whole, blanks too.
TEST(DocumentOpenerTest, ADesktopWithNothingToOpenTheFileWithIsTold)
{
    QTemporaryDir bin;
    ASSERT_TRUE(bin.isValid());
    const QString script = bin.filePath(QStringLiteral("xdg-open"));
    const QString seen = bin.filePath(QStringLiteral("seen"));
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(bin.path()) + ':' + path);
    const QString document = bin.filePath(QStringLiteral("il manuale.pdf"));
    for (const char* ending : {"exit 3", "exit 0", "exec sleep 30", "sleep 3; exit 3"}) {
        SCOPED_TRACE(ending);
        QFile file(script);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        // Written aside and renamed, so the test never reads it half written.
        const QByteArray seenFile = QFile::encodeName(seen);
        file.write("#!/bin/sh\nprintf '%s' \"$1\" > '" + seenFile + ".part' && mv '" + seenFile +
                   ".part' '" + seenFile + "'\n" + ending + "\n");
        file.close();
        file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
        QFile::remove(seen);
        QtDocumentOpener opener(std::chrono::milliseconds(1500));
        int told = 0;
        EXPECT_TRUE(opener.open(document, [&told] { ++told; }));
        EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(seen); }, 10000));
        const bool viewerStays = QByteArray(ending).startsWith("exec");
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return opener.running() == (viewerStays ? 1 : 0); }, 10000));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(told, QByteArray(ending) == "exit 3" ? 1 : 0);
        QFile read(seen);
        ASSERT_TRUE(read.open(QIODevice::ReadOnly));
        EXPECT_EQ(QString::fromUtf8(read.readAll()), document);
    }
    qputenv("PATH", path);
}

} // namespace
