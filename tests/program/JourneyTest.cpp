// A teacher's first hour on the real windows: what one window leaves behind
// must be what the next one finds.
#include "core/app/Profile.h"
#include "core/app/Startup.h"
#include "core/platform/Random.h"
#include "core/platform/SwitchInput.h"
#include "support/WindowFixture.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextEdit>

using namespace ortolino;
using namespace ortolino::test;

namespace {

class JourneyTest : public WindowFixture
{
protected:
    JourneyTest()
    {
        // Started as main() starts it, on the shipped languages.
        SingleInstanceLock lock(env.env().runtimeFolder);
        EXPECT_EQ(Main(program, lock), StartResult::Started);
        for (const char* word : {"rana", "luna", "mela", "topo"})
            addPicture(QString::fromLatin1(word));
        random.seed(20261206);
        program.services.random = &random;
    }
    ~JourneyTest() override { unloadAll(); } // the windows draw from `random`

    void addPicture(const QString& word)
    {
        QImage image(QSize(40, 30), QImage::Format_RGB32);
        image.fill(QColor(40, 160, 40));
        const QString folder = env.env().programFile(program.state.CartellaImmagini);
        QDir().mkpath(folder);
        image.save(folder + QLatin1Char('/') + word + QLatin1String(".jpg"), "JPG");
    }

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

    // The menu's exercise button Index, clicked.
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

    void avanti()
    {
        QTest::mouseClick(control<QPushButton>("lettere", "BottoneAvanti"), Qt::LeftButton);
    }

    // The lines of the report that name an exercise or a word, in order.
    QStringList reportLines()
    {
        QStringList lines;
        const QString text =
            control<QTextEdit>("FormEserciziEseguiti", "RichTextBox1")->toPlainText();
        for (const QString& line : text.split(QLatin1Char('\n'))) {
            if (line.contains(QLatin1Char('*')))
                lines << line.trimmed();
        }
        return lines;
    }

    // Anna as her teacher set her up: lower case, six letters, S ticked,
    // activity recorded, an Italian list; and a second user, so that the
    // menu offers the list.
    ProgramState anna() const
    {
        ProgramState s;
        s.PercorsoProfilo = env.env().cartellaUtenti() + "Anna.ini";
        s.CarattereLettere = kMinuscolo;
        s.MassimoLettere = 6;
        s.LettereAttive[11] = true;
        s.TieniTraccia = true;
        s.ListaInUso = env.env().programFile("liste/animali.txt");
        return s;
    }

    void chooseUser(const QString& shown)
    {
        auto* combo = control<QComboBox>("FormMenu", "Combo1");
        const int index = combo->findText(shown);
        ASSERT_GE(index, 0) << shown.toStdString();
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }

    static QByteArray profileBytes(const ProgramState& state)
    {
        QFile file(state.PercorsoProfilo);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    SystemRandom random;
};

TEST_F(JourneyTest, EachWordOfTheReportStandsUnderItsOwnExercise)
{
    program.state.TieniTraccia = true;
    windows.show(QStringLiteral("FormMenu"));

    startExercise(0);
    const QString first = completeWord();
    avanti();
    const QString second = completeWord();
    trigger("lettere", "mnuEsci");
    startExercise(1);
    const QString third = completeWord();
    trigger("lettere", "mnuEsci");
    trigger("FormMenu", "mnuEserciziEseguiti");

    const QString stars = QStringLiteral("***************");
    EXPECT_EQ(reportLines(),
              QStringList({stars + " LETTERA INIZIALE " + stars, "* " + first + " *",
                           "* " + second + " *", stars + " UNA LETTERA NELLA PAROLA " + stars,
                           "* " + third + " *"}));
}

TEST_F(JourneyTest, AChangeOfLanguageKeepsTheChildsProfileAndLog)
{
    ProgramState luca;
    luca.PercorsoProfilo = env.env().cartellaUtenti() + "Luca.ini";
    ASSERT_TRUE(SalvaProfilo(anna(), anna().PercorsoProfilo) &&
                SalvaProfilo(luca, luca.PercorsoProfilo));
    windows.show(QStringLiteral("FormMenu"));
    chooseUser("ANNA");
    startExercise(0);
    const QString word = completeWord();
    trigger("lettere", "mnuEsci");

    QAction* english = control<QAction>("FormMenu", "mnuLanguage", 0);
    ASSERT_EQ(english->text(), "English");
    english->trigger();
    trigger("FormMenu", "mnuInformazioni");
    QTest::mouseClick(control<QPushButton>("FormInfo", "Command1"), Qt::LeftButton);
    settle();
    ASSERT_NE(window("FormMenu"), nullptr); // back: the user was selected, saved and read again

    // Every field as before but the list, which follows the new language.
    ProgramState expected = anna();
    expected.ListaInUso = env.env().programFile("lists/default.txt");
    EXPECT_EQ(profileBytes(anna()), [&] {
        const QString path = QDir::temp().filePath("ortolino-expected.ini");
        expected.PercorsoProfilo = path;
        SalvaProfilo(expected, path);
        QByteArray bytes = profileBytes(expected);
        QFile::remove(path);
        return bytes;
    }());
    EXPECT_EQ(program.state.NomeUtente, "Anna");
    EXPECT_TRUE(control<QAction>("FormMenu", "mnuEserciziEseguiti")->isEnabled());
    EXPECT_EQ(control<QWidget>("FormMenu", "Command1", 0)->property("text").toString(),
              "first letter");

    trigger("FormMenu", "mnuEserciziEseguiti");
    EXPECT_TRUE(reportLines().contains("* " + word + " *")); // the log survived
    trigger("FormEserciziEseguiti", "mnuEsci");

    trigger("FormMenu", "mnuOpzioni");
    EXPECT_TRUE(control<QRadioButton>("FormConfigura", "minuscolo")->isChecked());
    EXPECT_EQ(control<QRadioButton>("FormConfigura", "minuscolo")->text(), "lower case");
    EXPECT_TRUE(control<QRadioButton>("FormConfigura", "OptionQuanteLettere", 2)->isChecked());
    EXPECT_TRUE(control<QCheckBox>("FormConfigura", "Op_Lettere", 11)->isChecked());
    EXPECT_TRUE(control<QCheckBox>("FormConfigura", "CheckSalvaUtente")->isChecked());
    EXPECT_EQ(control<QCheckBox>("FormConfigura", "CheckSalvaUtente")->text(),
              "Keep a record of the activity");
}

} // namespace
