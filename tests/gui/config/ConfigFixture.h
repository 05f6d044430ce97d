#pragma once

#include "core/app/Profile.h"
#include "gui/config/FormConfigura.h"
#include "support/WindowFixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QScrollBar>
#include <QTabBar>
#include <QTest>

namespace ortolino::test {

// The real configuration window (and the real main menu it leads back to),
// with a settings folder of its own, scripted dialogs and message boxes and a
// recording character component.
class ConfigFixture : public WindowFixture
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
    bool shown(const char* page, const char* name, int index = -1) const
    {
        return find(name, index)->isVisibleTo(find(page));
    }

    // The profile on disk of a user, read back into fresh settings.
    ProfileSettings profileOf(const QString& fileName) const
    {
        ProfileSettings read;
        LeggiProfilo(read, env.env().cartellaUtenti() + fileName, QString());
        return read;
    }

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

    RecordingAgent& agent = seams.agent;
    FormConfigura* config = nullptr; // the window openConfig opened
};

} // namespace ortolino::test
