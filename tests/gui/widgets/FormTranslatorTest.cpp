#include "gui/widgets/FormTranslator.h"

#include "core/app/Program.h"
#include "gui/widgets/Controls.h"
#include "support/Doubles.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>

using namespace ortolino;
using namespace ortolino::test;

namespace {

// Keys name an array's member by index, in the window's own section only;
// what has no key keeps its design text.
TEST(FormTranslatorTest, ControlsArraysTabsMenusAndTitlesTakeTheirTexts)
{
    TestEnvironment env;
    env.writeProgramFile(
        "lngortolino/Prova.lng",
        "[Strings]\r\n0001=\"x\"\r\n"
        "[Finestra]\r\nFinestra.Caption=\"Titolo\"\r\nFinestra.Tag=\"etichetta\"\r\n"
        "tastiera(3).Caption=\"R!\"\r\ntastiera.Caption=\"mai\"\r\n"
        "tastiera(3).ToolTipText=\"la erre\"\r\nSingolo.Caption=\"uno\"\r\n"
        "Singolo.Tag=\"@L,T\"\r\nSchede.TabCaption(0)=\"Prima\"\r\n"
        "mnuEsci.Caption=\"&Fuori\"\r\nCornice.Caption=\"Riquadro\"\r\n"
        "[Altra]\r\nSingolo.Caption=\"altra\"\r\n");
    Language language{env.env()};
    QMainWindow window;
    window.setObjectName("Finestra");
    window.setWindowTitle("Form1");
    auto* inner = new QWidget(&window);
    window.setCentralWidget(inner);
    QList<QPushButton*> keys;
    for (int i = 0; i < 5; ++i) {
        keys << new QPushButton(QString("k%1").arg(i), inner);
        keys.last()->setObjectName("tastiera");
        setControlIndex(keys.last(), i);
    }
    auto* single = new QLabel("design", inner);
    single->setObjectName("Singolo");
    auto* untranslated = new QLabel("resta", inner);
    untranslated->setObjectName("Altro");
    auto* tabs = new QTabWidget(inner);
    tabs->setObjectName("Schede");
    tabs->addTab(new QWidget, "uno");
    tabs->addTab(new QWidget, "due");
    auto* frame = new QGroupBox("cornice", inner);
    frame->setObjectName("Cornice");
    QAction* exitAction = window.menuBar()->addAction("&Esci");
    exitAction->setObjectName("mnuEsci");

    MLSLoadFormStrings(&window, language); // no language file: nothing changes
    EXPECT_EQ(window.windowTitle(), "Form1");
    EXPECT_EQ(keys[3]->text(), "k3");

    language.CurrentLanguage = "Prova";
    MLSLoadFormStrings(&window, language);
    EXPECT_EQ(window.windowTitle(), "Titolo");
    EXPECT_EQ(tag(&window), "etichetta");
    EXPECT_EQ(keys[3]->text(), "R!");
    EXPECT_EQ(keys[3]->toolTip(), "la erre");
    EXPECT_EQ(keys[2]->text(), "k2");
    EXPECT_EQ(single->text(), "uno"); // its own section, not "Altra"
    EXPECT_EQ(tag(single), "@L,T");
    EXPECT_EQ(untranslated->text(), "resta");
    EXPECT_EQ(tabs->tabText(0), "Prima");
    EXPECT_EQ(tabs->tabText(1), "due");
    EXPECT_EQ(exitAction->text(), "&Fuori");
    EXPECT_EQ(frame->title(), "Riquadro");

    window.setWindowTitle(QString());
    MLSLoadFormStrings(&window, language);
    EXPECT_EQ(window.windowTitle(), ""); // designed without a title: stays without
    window.setObjectName("Altra");
    window.setWindowTitle("Form1");
    MLSLoadFormStrings(&window, language);
    EXPECT_EQ(window.windowTitle(), "Form1"); // key missing: the design title stays
    EXPECT_EQ(tag(&window), "");
}

} // namespace
