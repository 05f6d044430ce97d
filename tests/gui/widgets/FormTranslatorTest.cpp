#include "gui/widgets/FormTranslator.h"

#include "core/app/Program.h"
#include "gui/widgets/Controls.h"
#include "support/Doubles.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>

using namespace ortolino;
using namespace ortolino::test;

namespace {

class FormTranslatorTest : public ::testing::Test
{
protected:
    FormTranslatorTest()
    {
        env.writeProgramFile(
            "lngortolino/Prova.lng",
            "[Strings]\r\n0001=\"x\"\r\n"
            "[Finestra]\r\nFinestra.Caption=\"Titolo\"\r\nFinestra.Tag=\"etichetta\"\r\n"
            "tastiera(3).Caption=\"R!\"\r\ntastiera.Caption=\"mai\"\r\n"
            "tastiera(3).ToolTipText=\"la erre\"\r\nSingolo.Caption=\"uno\"\r\n"
            "Singolo.Tag=\"@L,T\"\r\nSchede.TabCaption(0)=\"Prima\"\r\n"
            "mnuEsci.Caption=\"&Fuori\"\r\n"
            "[Altra]\r\nSingolo.Caption=\"altra\"\r\n");
        language.CurrentLanguage = "Prova";

        window.setObjectName("Finestra");
        window.setWindowTitle("Form1");
        auto* inner = new QWidget(&window);
        window.setCentralWidget(inner);
        for (int i = 0; i < 5; ++i) {
            auto* key = new QPushButton(QString("k%1").arg(i), inner);
            key->setObjectName("tastiera");
            setControlIndex(key, i);
            keys << key;
        }
        single = new QLabel("design", inner);
        single->setObjectName("Singolo");
        untranslated = new QLabel("resta", inner);
        untranslated->setObjectName("Altro");
        tabs = new QTabWidget(inner);
        tabs->setObjectName("Schede");
        tabs->addTab(new QWidget, "uno");
        tabs->addTab(new QWidget, "due");
        exitAction = window.menuBar()->addAction("&Esci");
        exitAction->setObjectName("mnuEsci");
    }

    TestEnvironment env;
    Language language{env.env()};
    QMainWindow window;
    QList<QPushButton*> keys;
    QLabel* single = nullptr;
    QLabel* untranslated = nullptr;
    QTabWidget* tabs = nullptr;
    QAction* exitAction = nullptr;
};

TEST_F(FormTranslatorTest, ControlsArraysTabsMenusAndTitlesTakeTheirTexts)
{
    language.CurrentLanguage = ""; // no language file: nothing changes
    MLSLoadFormStrings(&window, language);
    EXPECT_EQ(window.windowTitle(), "Form1");
    EXPECT_EQ(keys[3]->text(), "k3");

    language.CurrentLanguage = "Prova";
    MLSLoadFormStrings(&window, language);
    EXPECT_EQ(window.windowTitle(), "Titolo");
    EXPECT_EQ(tag(&window), "etichetta");
    EXPECT_EQ(keys[3]->text(), "R!"); // member key, never the bare array name
    EXPECT_EQ(keys[3]->toolTip(), "la erre");
    EXPECT_EQ(keys[2]->text(), "k2"); // no entry: design text stays
    EXPECT_EQ(single->text(), "uno"); // its own section, not "Altra"
    EXPECT_EQ(tag(single), "@L,T");
    EXPECT_EQ(untranslated->text(), "resta");
    EXPECT_EQ(tabs->tabText(0), "Prima");
    EXPECT_EQ(tabs->tabText(1), "due"); // a missing tab key keeps the design text
    EXPECT_EQ(exitAction->text(), "&Fuori");

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
