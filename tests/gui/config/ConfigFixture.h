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
        return qobject_cast<FormConfigura*>(windows.show(QStringLiteral("FormConfigura")));
    }

    // The profile on disk of a user, read back into a fresh state.
    ProgramState profileOf(const QString& fileName) const
    {
        ProgramState read;
        read.PercorsoProfilo = env.env().cartellaUtenti() + fileName;
        LeggiProfilo(read, env.env());
        return read;
    }

    void writeProfile(const QString& fileName, int massimoLettere) const
    {
        ProgramState profile;
        profile.MassimoLettere = massimoLettere;
        profile.PercorsoProfilo = env.env().cartellaUtenti() + fileName;
        ASSERT_TRUE(SalvaProfilo(profile));
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
    static void tickOnly(FormConfigura* config, const QString& letters)
    {
        config->CommandDeselezionaTutte->click();
        for (QCheckBox* box : config->Op_Lettere) {
            if (letters.contains(box->text().toLower()))
                box->setChecked(true);
        }
    }

    TestEnvironment env;
    TestServices seams;
    Program program{env.env(), seams.services()};
    RecordingAgent& agent = seams.agent;
    WindowManager windows{program};
};

} // namespace ortolino::test
