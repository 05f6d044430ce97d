// The exercise window's life: load, activation, the menus, closing and
// opening again, and how it scales.
#include "gui/character/CharacterAgent.h"
#include "gui/character/QtAudio.h"
#include "gui/exercise/LettereFixture.h"
#include "gui/widgets/Colors.h"
#include "gui/widgets/Controls.h"
#include "gui/widgets/FittedText.h"
#include "gui/widgets/PictureBox.h"
#include "gui/widgets/ShapeControl.h"

#include <map>
#include <QApplication>
#include <QAudioDevice>
#include <QFontDatabase>
#include <QMenuBar>
#include <QScreen>

using namespace ortolino;
using namespace ortolino::test;

namespace {

using LettereLifeTest = LettereTest;

// The window in the teacher's settings (the greeting and the character are the core's).
TEST_F(LettereLifeTest, ActivationCoversTheScreenInTheTeachersColoursAndPointer)
{
    ASSERT_NE(open(), nullptr);
    // (The offscreen platform then shifts the window by its frame margins.)
    EXPECT_EQ(window->size(), window->screen()->availableGeometry().size());
    EXPECT_TRUE(control("Picture1")->isHidden()); // the waiting notice is gone
    for (int i = 0; i < kNumeroTasti; ++i) {
        EXPECT_EQ(key(i)->text(), state.LettereTastiera[static_cast<size_t>(i + 1)]);
        EXPECT_EQ(key(i)->isHidden(), !state.LettereAttive[static_cast<size_t>(i)]) << i;
    }
    EXPECT_EQ(label("Label1")->palette().color(QPalette::Window), qtColor(state.ColoreSfondoTesto));
    EXPECT_EQ(background(control("picAgent")), qtColor(state.ColoreSfondo));
    EXPECT_EQ(key(2)->cursor().shape(), Qt::BitmapCursor); // the pencil on the keys
    EXPECT_EQ(avanti()->cursor().shape(), Qt::ArrowCursor);
    const QPoint at = control("picAgent")->mapToGlobal(QPoint(0, 0));
    EXPECT_TRUE(agent.calls.contains(QString("MoveTo %1 %2").arg(at.x()).arg(at.y() + 50)));
    close();

    // System colours and pointer, a random background, speech off.
    state.ColoriDiSistema = state.ColoreCasuale = state.MouseDiSistema = true;
    state.ParlatoAttivo = false;
    agent.calls.clear();
    ASSERT_NE(open(), nullptr);
    EXPECT_EQ(keyColour(2), QApplication::palette().color(QPalette::Button));
    EXPECT_EQ(label("Label1")->palette().color(QPalette::WindowText),
              QApplication::palette().color(QPalette::WindowText));
    const QColor drawn = background(control("picAgent"));
    EXPECT_TRUE(std::any_of(tabellaColoriSfondo().begin(), tabellaColoriSfondo().end(),
                            [&](std::uint32_t c) { return qtColor(c) == drawn; }));
    EXPECT_EQ(background(window->centralWidget()), drawn);
    EXPECT_EQ(key(2)->cursor().shape(), Qt::ArrowCursor);
    EXPECT_FALSE(agent.calls.contains("Show"));
}

// Without any character the balloon shows the help; "Azzera conteggio" resets
// the counters and the turn goes on.
TEST_F(LettereLifeTest, WithoutACharacterTheBalloonHelpsAndTheCountersReset)
{
    agent.characters.clear();
    ASSERT_NE(open(), nullptr);
    bool balloonShown = false;
    seams.waiter.during = [&](size_t, double) {
        balloonShown =
            control("LabelMerlino")->isVisible() && label("LabelMerlino")->text() == word();
    };
    choose("E");
    EXPECT_TRUE(balloonShown);
    EXPECT_EQ(label("EtichettaErrati")->text(), "1");
    EXPECT_FALSE(control("ComandoIconaNo")->isHidden());
    action("mnuAzzera")->trigger();
    EXPECT_EQ(label("EtichettaErrati")->text(), "0");
    EXPECT_EQ(state.NumeroErrati, 0);
    EXPECT_FALSE(control("ComandoIconaSi")->isHidden());
    EXPECT_TRUE(control("ComandoIconaNo")->isHidden());
    choose("N");
    EXPECT_EQ(caption(), "NAVE");
    EXPECT_TRUE(avanti()->isEnabled());
}

// "Esci" and the close box lead back to the menu and release the character.
TEST_F(LettereLifeTest, EsciAndTheCloseBoxLeadBackToTheMenu)
{
    registerMenu();
    for (const bool closeBox : {false, true}) {
        ASSERT_NE(open(), nullptr);
        agent.calls.clear();
        closeBox ? (void)window->close() : action("mnuEsci")->trigger();
        settle();
        EXPECT_TRUE(window.isNull()) << closeBox;
        EXPECT_EQ(agent.calls, QStringList{"StopAll"});
        EXPECT_EQ(loadedNames(windows), QStringList{"FormMenu"});
        EXPECT_TRUE(windows.find("FormMenu")->isVisible());
        windows.unload(windows.find("FormMenu"));
    }
}

TEST_F(LettereLifeTest, EsciDuringAHelpClosesOnceTheHelpIsOver)
{
    registerMenu();
    state.ParlatoAttivo = false;
    ASSERT_NE(open(), nullptr);
    bool aliveInsideTheWait = false;
    seams.waiter.during = [&](size_t, double) {
        action("mnuEsci")->trigger();
        settle();
        aliveInsideTheWait = !window.isNull() && !window->isVisible();
    };
    choose("E");                     // a wrong letter: the balloon help waits
    EXPECT_TRUE(aliveInsideTheWait); // hidden, unloaded, but not destroyed under its handler
    settle();
    EXPECT_TRUE(window.isNull());
    EXPECT_TRUE(windows.find("FormMenu")->isVisible());
}

// Opening again resets the counters and rebuilds the catalogue; with no word
// it says so and goes back to the menu.
TEST_F(LettereLifeTest, OpeningAgainStartsAfreshOrGoesBackWithoutAWord)
{
    registerMenu();
    ASSERT_NE(open(), nullptr);
    choose("E");
    choose("N");
    EXPECT_EQ(state.NumeroParole, 1);
    close();
    addPicture("ape.jpg");
    agent.calls.clear();
    ASSERT_NE(open(), nullptr);
    EXPECT_EQ(state.NumeroParole, 2);
    EXPECT_EQ(state.NumeroErrati, 0);
    EXPECT_EQ(label("EtichettaErrati")->text(), "0");
    EXPECT_FALSE(avanti()->isEnabled());
    EXPECT_EQ(agent.calls.filter("Speak").size(), 2); // greeted again
    close();

    activate("");
    ASSERT_NE(open(), nullptr);
    ASSERT_EQ(seams.messages.shown.size(), 1u);
    EXPECT_FALSE(window.isNull()); // closing waits for the event loop
    QTest::qWait(1);
    settle();
    EXPECT_TRUE(window.isNull());
    EXPECT_TRUE(windows.find("FormMenu")->isVisible());
}

// The picture keeps its proportions in colour or grey; the frame follows its
// key through a resize (the controls' scaling is the resizer's test).
TEST_F(LettereLifeTest, ThePictureAndTheControlsKeepTheirProportions)
{
    addPicture("nave.jpg", QSize(60, 20)); // three times as wide as high
    state.ModalitaInput = kModoScansioneManuale;
    state.ConRiquadro = true;
    ASSERT_NE(open(), nullptr);
    auto* picture = window->findChild<PictureBox*>("Image1");
    const QRect drawn = picture->pictureRect();
    EXPECT_NEAR(double(drawn.width()) / drawn.height(), 3.0, 0.1);
    EXPECT_TRUE(drawn.width() == picture->width() || drawn.height() == picture->height());
    EXPECT_TRUE(action("mnuCol")->isChecked());
    auto centre = [&] { return picture->grab().toImage().pixelColor(picture->rect().center()); };
    EXPECT_NE(centre().red(), centre().green());
    action("mnuGrigio")->trigger();
    EXPECT_FALSE(action("mnuCol")->isChecked());
    const QColor grey = centre();
    EXPECT_EQ(grey.red(), grey.green());
    EXPECT_EQ(grey.green(), grey.blue());
    action("mnuCol")->trigger();
    EXPECT_FALSE(picture->greyScale());

    switchClick(switchBox(kModoScansioneManuale), Qt::Key_Space); // the frame on E
    const QRect before = key(2)->geometry();
    const QSize size = window->size();
    window->resize(size.width() / 2, size.height() / 2);
    window->resize(size);
    EXPECT_EQ(key(2)->geometry(), before);
    auto* frame = window->findChild<ShapeControl*>("ShapeRiquadro");
    const int w = frame->borderWidth();
    EXPECT_EQ(frame->geometry(), key(2)->geometry().adjusted(-w, -w, w, w));
}

// Seen with or without sound, and the next word may follow at once.
TEST_F(LettereLifeTest, AFinishedWordIsPraisedWithoutHoldingTheNextOneBack)
{
    state.SuoniAttivi = false;
    ASSERT_NE(open(), nullptr);
    QWidget* tick = control("ComandoIconaSi");
    const QRect settled = tick->geometry();
    const QSize full = window->size();
    window->resize(full / 2);
    const QRect halved = tick->geometry();
    window->resize(full);
    const QColor band = label("Label1")->palette().color(QPalette::Window);
    completeWord();
    EXPECT_TRUE(avanti()->isEnabled());
    EXPECT_NE(label("Label1")->palette().color(QPalette::Window), band); // the flash
    EXPECT_EQ(agent.calls.filter("Play").last(), "Play cheer");
    auto* tickPicture = qobject_cast<PictureBox*>(tick);
    ASSERT_NE(tickPicture, nullptr);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return tickPicture->pictureRect().width() > settled.width() * 6 / 5; }, 1000));
    // The window resized during the praise: the tick settles where it now belongs.
    window->resize(full / 2);
    QTest::qWait(1000); // longer than the praise
    EXPECT_EQ(tick->geometry(), halved);
    EXPECT_EQ(label("Label1")->palette().color(QPalette::Window), band);

    // Without the celebration the next word is finished on a still screen.
    close();
    state.celebration = false;
    ASSERT_NE(open(), nullptr);
    agent.calls.clear();
    completeWord();
    EXPECT_TRUE(avanti()->isEnabled());
    EXPECT_EQ(label("Label1")->palette().color(QPalette::Window), band);
    EXPECT_TRUE(agent.calls.filter("Play cheer").isEmpty());
    QTest::qWait(100);
    EXPECT_EQ(control("ComandoIconaSi")->geometry(), settled);
}

void loadCursive()
{
    ASSERT_NE(QFontDatabase::addApplicationFont(QStringLiteral(ORTOLINO_SOURCE_DATA_DIR) +
                                                "/tratto1.ttf"),
              -1);
}

// The box of the pixels of an image that stand out from its background
// (a control's fill), inside its border.
QRect inkOf(const QImage& image, const QColor& fill, int border)
{
    QRect ink;
    for (int y = border; y < image.height() - border; ++y) {
        for (int x = border; x < image.width() - border; ++x) {
            const QColor c = image.pixelColor(x, y);
            const int distance = std::abs(c.red() - fill.red()) +
                                 std::abs(c.green() - fill.green()) +
                                 std::abs(c.blue() - fill.blue());
            if (distance > 120)
                ink |= QRect(x, y, 1, 1);
        }
    }
    return ink;
}

// Every letter inside its box with a margin and roughly centred, in print and
// cursive, at every size; the word grows with the screen.
TEST_F(LettereLifeTest, TheChildsTextFollowsTheWindowAndStaysInsideItsBoxes)
{
    loadCursive();
    const struct
    {
        const char* carattere;
        const char* face;
        bool capitals; // the keys show capitals, whatever the case in force
    } cases[] = {{"maiuscolo", "Arial", true},
                 {"minuscolo", "Arial", false},
                 {"corsivo", "Tratto1", false},
                 {"corsivo", "Tratto1", true}};
    const QString accented = QStringLiteral("àèéìòù");
    state.ColoreBottoni = 0xFFFFFF; // white keys, black letters
    state.ColoreSfondoTesto = 0xFFFFFF;
    state.ColoreFont = 0;
    activate("qwertyuiopasdfghjklzxcvbnm");
    for (const auto& c : cases) {
        state.CarattereLettere = c.carattere;
        state.NomeFont = c.face;
        ASSERT_NE(open(), nullptr);
        for (int i = 0; i < kNumeroTasti; ++i)
            key(i)->setText(c.capitals ? key(i)->text().toUpper() : key(i)->text().toLower());
        auto* word = label("Label1");
        auto* hint = label("LabelMerlino");
        word->setText((c.capitals ? accented.toUpper() : accented) + " " + caption());
        hint->setText(c.capitals ? "È" : "ù");
        hint->show();
        std::map<int, int> wordHeight;
        std::map<int, double> wordPoints;
        for (const QSize size : {QSize(800, 600), QSize(1280, 800), QSize(1920, 1080)}) {
            SCOPED_TRACE(testing::Message() << c.carattere << " " << c.face << " capitals "
                                            << c.capitals << ", " << size.width());
            window->resize(size);
            for (int i = 0; i < kNumeroTasti; ++i) {
                SCOPED_TRACE(key(i)->text().toStdString());
                const QRect box = key(i)->rect();
                const QRect ink = inkOf(key(i)->grab().toImage(), Qt::white, 3);
                ASSERT_FALSE(ink.isEmpty());
                const int margin = std::min(box.width(), box.height()) / 10;
                EXPECT_TRUE(box.adjusted(margin, margin, -margin, -margin).contains(ink))
                    << ink.x() << "," << ink.y() << " " << ink.width() << "x" << ink.height()
                    << " in " << box.width() << "x" << box.height();
                EXPECT_NEAR(ink.center().x(), box.center().x(), box.width() / 10 + 1);
                EXPECT_NEAR(ink.center().y(), box.center().y(), box.height() / 10 + 1);
                // The letters fill their keys, not a corner of them (a
                // cursive a is a third as high as a cursive l).
                EXPECT_GT(ink.height(), box.height() / 5);
            }
            for (QLabel* text : {word, hint}) {
                SCOPED_TRACE(text->objectName().toStdString());
                const QRect ink = inkOf(text->grab().toImage(), Qt::white, 3);
                ASSERT_FALSE(ink.isEmpty());
                EXPECT_TRUE(text->rect().adjusted(3, 3, -3, -3).contains(ink));
            }
            wordHeight[size.width()] = inkOf(word->grab().toImage(), Qt::white, 3).height();
            wordPoints[size.width()] = qobject_cast<FittedLabel*>(word)->shownFont().pointSizeF();
        }
        // 1.5 times (ink in whole pixels); accented cursive capitals fill the band and grow with
        // it.
        const double growth = c.face == QStringLiteral("Tratto1") && c.capitals ? 1.3 : 1.5;
        EXPECT_GE(wordPoints[1920], growth * wordPoints[1280]);
        EXPECT_GE(wordHeight[1920] + 2, growth * wordHeight[1280]);
        close();
    }
}

// The character and balloon belong to the window and stand in its free area:
// never over the child's work or the menu bar, nor any control over another.
TEST_F(LettereLifeTest, TheCharacterAndItsBalloonCoverNothingOfTheWork)
{
    CharacterAgentOptions quiet;
    quiet.audio = qtSpeechAudio([] { return QAudioDevice(); });
    CharacterAgent characters(env.env().programFile("personaggi"), quiet);
    program.services.agent = &characters;
    activate("qwertyuiopasdfghjklzxcvbnm");
    for (const QSize size : {QSize(1024, 768), QSize(1280, 800), QSize(1920, 1080)}) {
        SCOPED_TRACE(size.width());
        ASSERT_NE(open(), nullptr);
        window->resize(size);
        auto* balloon = window->findChild<QWidget*>("Balloon");
        auto* figure = window->findChild<QWidget*>("Personaggio");
        ASSERT_TRUE(balloon && figure);
        ASSERT_TRUE(QTest::qWaitFor([&] { return balloon->isVisible(); }, 3000));
        EXPECT_FALSE(balloon->isWindow()); // moves with the window, never above other programs
        EXPECT_FALSE(figure->isWindow());

        QList<QWidget*> work = {avanti(), window->menuBar()};
        for (const char* name : {"Picture2", "Label1", "Label3", "EtichettaEsatti", "Label2",
                                 "EtichettaErrati", "ComandoIconaSi"})
            work << control(name);
        for (int i = 0; i < kNumeroTasti; ++i)
            work << key(i);
        auto inWindow = [&](QWidget* w) {
            return QRect(w->mapTo(window, QPoint(0, 0)), w->size());
        };
        for (QWidget* part : work) {
            const std::string name = part->objectName().toStdString();
            EXPECT_FALSE(inWindow(balloon).intersects(inWindow(part))) << "balloon over " << name;
            EXPECT_FALSE(inWindow(figure).intersects(inWindow(part))) << "character over " << name;
            for (QWidget* other : work) { // nor does any control cover another
                EXPECT_TRUE(part == other || part->isHidden() || other->isHidden() ||
                            !inWindow(part).intersects(inWindow(other)))
                    << name << " " << other->objectName().toStdString() << controlIndex(other);
            }
        }
        close();
    }
}

// One switch leaves through the "menu" target only with a second choice in
// time (the rule is the core's; here the target, its question and the hand-over).
TEST_F(LettereLifeTest, OneSwitchLeavesTheExerciseThroughTheMenuTargetConfirmed)
{
    registerMenu();
    state.backToMenuTarget = true;
    for (int mode : {kModoScansioneManuale, kModoScansioneAutomatica}) {
        SCOPED_TRACE(mode);
        state.ModalitaInput = mode;
        ASSERT_NE(open(), nullptr);
        auto* target = test::control<QPushButton>(window, "BottoneMenu");
        EXPECT_TRUE(target->isVisible());
        EXPECT_EQ(target->text(), "menu");
        scanTo(kTastoMenu);
        ASSERT_EQ(window->TastoCorrente(), kTastoMenu);
        chooseBySwitch();
        EXPECT_EQ(target->text(), program.text("0401")); // asks
        seams.clock.now += kConfirmMs / 1000.0;          // too late
        window->Timer1_Timer();
        EXPECT_EQ(target->text(), "menu");
        scanTo(kTastoMenu);
        chooseBySwitch();
        chooseBySwitch();
        settle();
        EXPECT_TRUE(window.isNull());
        EXPECT_EQ(loadedNames(windows), QStringList{"FormMenu"});
    }
    // Off (the default), or with the mouse: no such target.
    state.ModalitaInput = kModoMouse;
    ASSERT_NE(open(), nullptr);
    EXPECT_FALSE(window->findChild<QPushButton*>("BottoneMenu")->isVisible());
}

} // namespace

// Cursive is sized for the letters shown: the third help's short "n" fills its
// box, and "foca" keeps its size while its blank fills with the tall f.
TEST_F(LettereLifeTest, ACursiveHelpFillsItsBoxAndAWordKeepsItsSizeWhileFilled)
{
    loadCursive();
    state.CarattereLettere = QStringLiteral("corsivo");
    state.NomeFont = QStringLiteral("Tratto1");
    state.ColoreSfondoTesto = 0xFFFFFF;
    state.ColoreFont = 0;
    state.celebration = false; // no flash over the band
    ASSERT_NE(open(), nullptr);
    window->resize(1920, 1080);
    for (int wrong = 0; wrong < 3; ++wrong)
        choose("E");
    QLabel* hint = label("LabelMerlino");
    ASSERT_EQ(hint->text(), QStringLiteral("n"));
    const QRect letter = inkOf(hint->grab().toImage(), Qt::white, 4);
    EXPECT_GT(letter.height(), hint->height() / 4);
    EXPECT_TRUE(hint->rect().adjusted(4, 4, -4, -4).contains(letter));
    close();

    addPicture("foca.jpg");
    activate("f");
    ASSERT_NE(open(), nullptr);
    window->resize(1280, 800);
    auto* word = qobject_cast<FittedLabel*>(label("Label1"));
    const auto shownPoints = [&] {
        const QRect ink = inkOf(word->grab().toImage(), Qt::white, 3);
        EXPECT_TRUE(!ink.isEmpty() && word->rect().adjusted(3, 3, -3, -3).contains(ink));
        return word->shownFont().pointSizeF();
    };
    ASSERT_EQ(caption(), QStringLiteral("_ oca"));
    const double blanked = shownPoints();
    completeWord();
    ASSERT_EQ(caption(), QStringLiteral("foca"));
    EXPECT_DOUBLE_EQ(shownPoints(), blanked);
}
