// What a teacher changes in the configuration window reaches the right
// user's profile, and only a deliberate choice changes the user.
#include "gui/config/ConfigFixture.h"

#include <QApplication>
#include <QFocusEvent>

using namespace ortolino;
using namespace ortolino::test;

namespace {

class TeacherChoicesTest : public ConfigFixture
{
protected:
    // ANNA (6 letters) and LUCA (4 letters) on disk, LUCA in force, the list
    // of users shown.
    QListWidget* showUsersWithLucaInForce()
    {
        writeProfile("anna.ini", 6);
        writeProfile("luca.ini", 4);
        program.state.NomeUtente = "LUCA";
        program.state.PercorsoProfilo = env.env().cartellaUtenti() + "luca.ini";
        LeggiProfilo(program.state, program.state.PercorsoProfilo, QString());
        openConfig();
        click("OptionUtente", 1);
        return list("ListModificaUtente");
    }
};

TEST_F(TeacherChoicesTest, FocusAloneChangesNoUserAndTheUserInForceShowsSelected)
{
    QListWidget* users = showUsersWithLucaInForce();
    ASSERT_EQ(users->count(), 2);
    EXPECT_EQ(users->selectedItems(), QList<QListWidgetItem*>{users->item(1)});

    QFocusEvent tabbedIn(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(users, &tabbedIn);
    EXPECT_EQ(program.state.NomeUtente, "LUCA");
    EXPECT_EQ(program.state.MassimoLettere, 4);

    QTest::keyClick(users, Qt::Key_Up); // a keyboard move of the selection chooses
    EXPECT_EQ(program.state.NomeUtente, "ANNA");
    EXPECT_EQ(program.state.MassimoLettere, 6);
}

TEST_F(TeacherChoicesTest, LetterTicksSurviveAUserSwitch)
{
    QListWidget* users = showUsersWithLucaInForce();
    button("Op_Lettere", 0)->setChecked(true); // q, ticked for LUCA
    users->setCurrentRow(0);
    EXPECT_TRUE(profileOf("luca.ini").LettereAttive[0]);
    EXPECT_FALSE(program.state.LettereAttive[0]); // ANNA's own letters now
    EXPECT_FALSE(button("Op_Lettere", 0)->isChecked());
}

TEST_F(TeacherChoicesTest, TheDefaultUserShowsItsOwnSettings)
{
    writeProfile("_predefinito.INI", 3);
    showUsersWithLucaInForce();
    click("OptionUtente", 0);
    EXPECT_EQ(program.state.NomeUtente, "_predefinito");
    EXPECT_EQ(program.state.MassimoLettere, 3);
    EXPECT_TRUE(button("OptionQuanteLettere", 4)->isChecked()); // "3 lettere"
    EXPECT_EQ(profileOf("luca.ini").MassimoLettere, 4);         // LUCA was saved as he was
}

TEST_F(TeacherChoicesTest, AChosenListIsTheListInUse)
{
    const QString animali = env.env().programFile("liste/animali.txt");
    writeFile(animali, "CANE\r\n");
    program.state.UsaTutteLeImmagini = true;
    openConfig();
    EXPECT_TRUE(button("Check2")->isChecked());
    seams.dialogs.files = {animali};
    click("CommandCambiaListaInUso");
    EXPECT_FALSE(button("Check2")->isChecked());
    EXPECT_FALSE(program.state.UsaTutteLeImmagini);
    EXPECT_EQ(program.state.ListaInUso, animali);
    click("Check2"); // the teacher can go back to every picture
    EXPECT_TRUE(program.state.UsaTutteLeImmagini);
}

} // namespace
