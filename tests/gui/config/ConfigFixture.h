#pragma once

#include "core/app/Profile.h"
#include "core/app/Program.h"
#include "gui/config/FormConfigura.h"
#include "gui/widgets/WindowManager.h"
#include "program/Windows.h"
#include "support/Doubles.h"
#include "support/TestEnvironment.h"
#include "support/WindowTesting.h"

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTest>

namespace ortolino::test {

// The real configuration window on the offscreen screen, with a settings
// folder of its own, scripted dialogs and message boxes and a recording
// character component. The main menu is the real one.
class ConfigFixture : public ::testing::Test
{
protected:
    ConfigFixture()
    {
        QDir().mkpath(env.env().cartellaUtenti());
        ProgramState& s = program.state;
        PreparaTastiera(s);
        s.PercorsoProfilo = env.env().profiloPredefinito();
        s.LinguaAgente = QStringLiteral("1040");
        s.CartellaImmagini = QStringLiteral("immagini");
        s.CartellaListe = QStringLiteral("liste");
        s.ListaInUso = env.env().programFile(QStringLiteral("liste/predefinita.txt"));
        registerWindows(windows);
    }

    FormConfigura* openConfig()
    {
        config = qobject_cast<FormConfigura*>(windows.show(QStringLiteral("FormConfigura")));
        return config;
    }

    // The open window's controls by design name.
    template <typename Control = QWidget> Control* find(const char* name, int index = -1) const
    {
        return control<Control>(config, name, index);
    }
    QAbstractButton* button(const char* name, int index = -1) const
    {
        return find<QAbstractButton>(name, index);
    }
    QListWidget* list(const char* name) const { return find<QListWidget>(name); }
    QString text(const char* name) const { return find<QLabel>(name)->text(); }
    void click(const char* name, int index = -1) const { button(name, index)->click(); }
    void leave() const { control<QAction>(config, "mnuEsci")->trigger(); }

    // The profile on disk of a user, read back into fresh settings.
    ProfileSettings profileOf(const QString& fileName) const
    {
        ProfileSettings read;
        LeggiProfilo(read, env.env().cartellaUtenti() + fileName, QString());
        return read;
    }

    void writeProfile(const QString& fileName, int massimoLettere) const
    {
        ProfileSettings profile;
        profile.MassimoLettere = massimoLettere;
        ASSERT_TRUE(SalvaProfilo(profile, env.env().cartellaUtenti() + fileName));
    }

    // Texts of the messages shown so far.
    QStringList messageTexts() const
    {
        QStringList texts;
        for (const Message& message : seams.messages.shown)
            texts << message.text;
        return texts;
    }

    // Ticks exactly the letters given (keyboard letters, lower case).
    void tickOnly(const QString& letters) const
    {
        click("CommandDeselezionaTutte");
        for (int i = 0; i < kNumeroTasti; ++i) {
            QAbstractButton* box = button("Op_Lettere", i);
            if (letters.contains(box->text().toLower()))
                box->setChecked(true);
        }
    }

    TestEnvironment env;
    TestServices seams;
    Program program{env.env(), seams.services()};
    RecordingAgent& agent = seams.agent;
    WindowManager windows{program};
    FormConfigura* config = nullptr; // the window openConfig opened
};

} // namespace ortolino::test
