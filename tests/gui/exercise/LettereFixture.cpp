#include "gui/exercise/LettereFixture.h"

#include "core/exercise/Scanning.h"
#include "gui/widgets/Form.h"

#include <QCoreApplication>
#include <QTest>

namespace ortolino::test {

LettereTest::LettereTest() : program(env.env(), seams.services()), state(program.state)
{
    PreparaTastiera(state);
    program.language.CurrentLanguage = QStringLiteral("Italiano");
    state.CartellaImmagini = QStringLiteral("immagini");
    state.LinguaAgente = QStringLiteral("1040");
    state.MassimoLettere = 13;
    state.ColoreCasuale = false;
    random.seed(20240611);
    program.services.random = &random;
    windows.registerForm(QStringLiteral("lettere"),
                         [](Program& p, WindowManager& w) { return new lettere(p, w); });
}

LettereTest::~LettereTest()
{
    for (Form* form : windows.loadedWindows())
        windows.unload(form);
    test::settle();
}

void LettereTest::activate(const QString& letters)
{
    for (int i = 0; i < kNumeroTasti; ++i) {
        state.LettereAttive[static_cast<size_t>(i)] = letters.contains(
            state.LettereTastiera[static_cast<size_t>(i + 1)], Qt::CaseInsensitive);
    }
}

void LettereTest::registerMenu()
{
    windows.registerForm(QStringLiteral("FormMenu"), [](Program& p, WindowManager& w) {
        return new Form(QStringLiteral("FormMenu"), p, w, QSize(9600, 7200));
    });
    windows.setHome(QStringLiteral("FormMenu"));
}

void LettereTest::close()
{
    if (window)
        windows.unload(window);
    test::settle();
}

void LettereTest::settle()
{
    QTest::qWait(SwitchKeys::kRepeatWindowMs + 20);
    // qWait may end on a sleep, on a loaded machine long after the switch's
    // repeat window ran out: let the timers that fell due meanwhile fire.
    QCoreApplication::processEvents();
}

QStringList LettereTest::missingLetters() const
{
    QStringList letters;
    const QString shown = caption();
    const QString full = word();
    // The caption has "_ " for every blank: walk both side by side.
    for (qsizetype c = 0, w = 0; c < shown.size() && w < full.size(); ++c, ++w) {
        if (shown[c] == QLatin1Char('_')) {
            letters << QString(full[w]);
            ++c; // the blank after the mark
        }
    }
    return letters;
}

int LettereTest::keyOf(const QString& letter) const
{
    for (int i = 0; i < kNumeroTasti; ++i) {
        if (state.LettereTastiera[static_cast<size_t>(i + 1)] == letter)
            return i;
    }
    return -1;
}

void LettereTest::switchClick(QWidget* target, Qt::Key key)
{
    QTest::keyPress(target, key);
    QTest::keyRelease(target, key);
    settle();
}

void LettereTest::chooseByKeyboard(const QString& letter)
{
    QTest::keyClick(window, letter.toLower().at(0).toLatin1());
    settle();
}

void LettereTest::chooseByManualScan(const QString& letter)
{
    QWidget* box = control("PictureScansioneManuale");
    const int target = keyOf(letter);
    for (int i = 0; i < kNumeroTasti && window->TastoCorrente() != target; ++i)
        switchClick(box, Qt::Key_Space);
    switchClick(box, Qt::Key_Return);
}

void LettereTest::chooseByAutomaticScan(const QString& letter)
{
    const int target = keyOf(letter);
    for (int i = 0; i < kNumeroTasti && window->TastoCorrente() != target; ++i)
        window->Timer1_Timer();
    switchClick(control("PictureScansioneAutomatica"), Qt::Key_Space);
}

void LettereTest::completeWord()
{
    for (const QString& letter : missingLetters()) {
        switch (state.ModalitaInput) {
        case kModoScansioneManuale:
            chooseByManualScan(letter);
            break;
        case kModoScansioneAutomatica:
            chooseByAutomaticScan(letter);
            break;
        default:
            chooseByKeyboard(letter);
            break;
        }
    }
}

} // namespace ortolino::test
