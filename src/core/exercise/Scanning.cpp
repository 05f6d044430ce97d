#include "core/exercise/Scanning.h"

#include "core/exercise/ExerciseEngine.h"
#include "core/exercise/ExerciseView.h"
#include "core/platform/Clock.h"
#include "core/words/KeyCaptions.h"

#include <algorithm>

namespace ortolino {

int modalitaInUso(const ProgramState& state)
{
    const int modalita = state.ModalitaInput;
    return modalita == kModoScansioneManuale || modalita == kModoScansioneAutomatica ? modalita
                                                                                     : kModoMouse;
}

void ImpostaTastiera(ProgramState& state)
{
    for (int i = 0; i < kNumeroTasti; ++i)
        state.LettereTastiera[static_cast<size_t>(i + 1)] = keyCaption(state, i);
}

int prossimoTastoVisibile(int key, const std::array<bool, kNumeroTasti>& visible)
{
    int next = key;
    for (int steps = 0; steps < kNumeroTasti; ++steps) {
        next = (next + 1) % kNumeroTasti;
        if (visible[static_cast<size_t>(next)])
            return next;
    }
    return key;
}

int tastoAllaPosizione(int keycode)
{
    // The rows' first X keycodes (Q, A, Z) and their design keys.
    struct Riga
    {
        int firstCode, firstKey, keys;
    };
    static constexpr Riga kRighe[] = {{24, 0, 10}, {38, 10, 9}, {52, 19, 7}};
    for (const Riga& riga : kRighe) {
        if (keycode >= riga.firstCode && keycode < riga.firstCode + riga.keys)
            return riga.firstKey + keycode - riga.firstCode;
    }
    return -1;
}

KeyboardInput::KeyboardInput(ProgramState& state, ExerciseEngine& engine, ExerciseView& view,
                             ScanView& scan, const Clock* clock)
    : state_(state), engine_(engine), view_(view), scan_(scan), clock_(clock)
{
    for (size_t i = 0; i < visible_.size(); ++i)
        visible_[i] = state.LettereAttive[i];
}

void KeyboardInput::avvia()
{
    if (mode() == kModoMouse)
        return;
    timing_.setTiming(scanTiming(state_), clock_, &state_.ultimaSceltaSensore);
    backTarget_ = state_.backToMenuTarget;
    // Without the frame the scan stands before the first key, nothing marked;
    // with it, on the first key of the round, and the first step goes on from there.
    // A key hidden by the letters in play is never marked nor chosen.
    startOver_ = !state_.ConRiquadro;
    unmarked_ = startOver_;
    if (state_.ConRiquadro) {
        engine_.TastoCorrente = firstPosition();
        // The first key of the first round: held as such, and the round counts
        // towards the pause.
        timing_.pauseInsteadOfStep(true);
        scan_.placeFrameOnKey(engine_.TastoCorrente);
    }
    scan_.setTimer1Interval(mode() == kModoScansioneAutomatica ? timing_.holdMs(state_.ConRiquadro)
                                                               : kIntervalloFuocoMs);
    scan_.runTimer1(true);
}

void KeyboardInput::itemSpoken(int ms)
{
    timing_.setSpokenMs(ms);
    if (mode() == kModoScansioneAutomatica && !timing_.paused() && timing_.asking() < 0)
        scan_.setTimer1Interval(timing_.holdMs(engine_.TastoCorrente == firstPosition()));
}

void KeyboardInput::keyClicked(int key)
{
    engine_.clearHelp();
    if (mode() == kModoMouse)
        controlla(key);
}

void KeyboardInput::avantiClicked()
{
    if (mode() == kModoMouse && avantiEnabled())
        engine_.Avanti();
}

void KeyboardInput::switchDown(int qtKey)
{
    ++switchesDown_;
    timing_.down(qtKey);
    if (mode() == kModoScansioneAutomatica)
        scan_.runTimer1(false); // the scan stands still while the switch is held
}

void KeyboardInput::switchUp(int qtKey)
{
    switchesDown_ = std::max(switchesDown_ - 1, 0);
    const bool counts = timing_.up(qtKey);
    if (mode() == kModoScansioneManuale && counts)
        manualRelease(qtKey);
    else if (mode() == kModoScansioneAutomatica && counts)
        automaticRelease(qtKey);
    else if (mode() == kModoScansioneAutomatica && !timing_.paused())
        resumeScan(); // no press: the scan goes on as if nothing happened
}

void KeyboardInput::keysLost()
{
    const bool held = switchesDown_ > 0;
    switchesDown_ = 0;
    timing_.lost();
    if (held && mode() == kModoScansioneAutomatica && !timing_.paused())
        resumeScan(); // its release will not come: the scan must not stay stopped
}

void KeyboardInput::tick()
{
    switch (mode()) {
    case kModoScansioneManuale:
        if (askingShown_ && timing_.asking() < 0)
            stopAsking(); // too late: the target asks no more
        scan_.focusSwitchBox();
        break;
    case kModoScansioneAutomatica:
        // A held switch holds the scan, and so does a help being given.
        if (!avantiEnabled() && switchesDown_ == 0 && judging_ == 0 && !timing_.paused())
            step();
        scan_.focusSwitchBox();
        break;
    default:
        break;
    }
}

// A typed character counts as a click on the key with that letter in either
// case, hidden keys included: a letter not offered is judged (and wrong).
void KeyboardInput::letterTyped(const QString& text, int keyAtPlace)
{
    if (mode() != kModoMouse || text.size() != 1)
        return;
    for (int key = 0; key < kNumeroTasti; ++key) {
        if (letter(key).toUpper() == text.toUpper()) {
            keyClicked(key);
            return;
        }
    }
    const QChar typed = text.front();
    if (typed.isLetter() && typed.script() != QChar::Script_Latin && keyAtPlace >= 0 &&
        keyAtPlace < kNumeroTasti)
        keyClicked(keyAtPlace);
}

// Space moves the scan (not while it rests on "avanti"), Enter chooses; any
// other key only clears the help.
void KeyboardInput::manualRelease(int qtKey)
{
    engine_.clearHelp();
    if (tastoSensore(qtKey) == TastoSensore::Spazio) {
        if (!avantiEnabled())
            step();
    } else if (tastoSensore(qtKey) == TastoSensore::Invio) {
        if (avantiEnabled()) {
            view_.colourAvanti(state_.ColoreBottoni);
            if (!avanti())
                return;
            mark();
        } else if (unmarked_) {
            return; // nothing is marked yet: nothing to choose
        } else if (engine_.TastoCorrente == kTastoMenu) {
            chooseBackTarget();
        } else {
            if (!chooseLetter())
                return;
            if (!avantiEnabled())
                mark();
        }
    }
}

// Releasing Space chooses the key under the scan, or "avanti" once the word
// is complete. The mark stays on the chosen key until the letter is judged
// and any help is over, so the child never races the character; then the
// scan goes on, its pace counted from there.
void KeyboardInput::automaticRelease(int qtKey)
{
    if (tastoSensore(qtKey) == TastoSensore::Spazio) {
        engine_.clearHelp();
        if (timing_.paused()) {
            resumeFromPause();
            return;
        }
        if (avantiEnabled()) {
            view_.colourAvanti(state_.ColoreBottoni);
            if (!avanti())
                return;
        } else if (unmarked_) {
            resumeScan(); // nothing is marked yet: the press only resumes the scan
            return;
        } else if (engine_.TastoCorrente == kTastoMenu) {
            if (!chooseBackTarget())
                return;
        } else {
            ++judging_;
            const bool running = chooseLetter();
            --judging_;
            if (!running)
                return;
        }
    } else if (timing_.paused()) {
        return;
    }
    if (!avantiEnabled())
        mark();
    resumeScan();
}

// The pause ends on the first key, held as the first of a round.
void KeyboardInput::resumeFromPause()
{
    timing_.resume();
    scan_.showPaused(false);
    engine_.TastoCorrente = firstPosition();
    startOver_ = false;
    unmarked_ = false;
    mark();
    scan_.setTimer1Interval(timing_.holdMs(true));
    resumeScan();
}

// The first choice of the target asks; the same choice again in time leaves
// the exercise. Meanwhile the automatic scan waits on the target. False when
// the exercise is over.
bool KeyboardInput::chooseBackTarget()
{
    timing_.chose();
    if (timing_.confirm(kTastoMenu)) {
        stopAsking();
        scan_.runTimer1(false);
        view_.endExercise();
        return false;
    }
    askingShown_ = true;
    scan_.showAsking(true);
    if (mode() == kModoScansioneAutomatica)
        scan_.setTimer1Interval(timing_.askingLeftMs());
    return true;
}

void KeyboardInput::stopAsking()
{
    timing_.stopAsking();
    if (askingShown_) {
        askingShown_ = false;
        scan_.showAsking(false);
    }
}

// A right letter with RipartiDallInizio sends the scan back to the start of
// its round: manual scanning stands on the first key shown, automatic
// scanning keeps its mark on the chosen key and its next step reaches the
// first. Never a key the letters in play hide, never a mark that jumps to the
// end of the keyboard where the child's next press would choose it.
bool KeyboardInput::chooseLetter()
{
    const int chosen = engine_.TastoCorrente;
    const int rightBefore = state_.NumeroEsatti;
    // Counted from the choice, so that a bounce or a tremor during a wrong
    // letter's help chooses nothing, and again from the end of the help.
    timing_.chose();
    const bool running = controlla(chosen);
    timing_.chose();
    if (state_.RipartiDallInizio && state_.NumeroEsatti > rightBefore) {
        const bool manual = mode() == kModoScansioneManuale;
        engine_.TastoCorrente = manual ? firstPosition() : chosen;
        startOver_ = !manual;
    }
    return running;
}

void KeyboardInput::step()
{
    const int next = startOver_ ? firstPosition() : nextPosition(engine_.TastoCorrente);
    const bool first = next == firstPosition();
    const bool automatic = mode() == kModoScansioneAutomatica;
    stopAsking();
    view_.colourKey(engine_.TastoCorrente, state_.ColoreBottoni);
    if (automatic && timing_.pauseInsteadOfStep(first)) {
        scan_.runTimer1(false);
        scan_.showPaused(true);
        return;
    }
    startOver_ = false;
    unmarked_ = false;
    engine_.TastoCorrente = next;
    mark();
    if (automatic)
        scan_.setTimer1Interval(timing_.holdMs(first));
}

int KeyboardInput::firstPosition() const
{
    return order_.empty() ? prossimoTastoVisibile(kNumeroTasti - 1, visible_) : order_.front();
}

// The keys in the scan's order, then the "back to the menu" target when on. A
// position outside the round (the frame's start on a hidden key) only leads
// into it.
int KeyboardInput::nextPosition(int from) const
{
    if (from == kTastoMenu)
        return firstPosition();
    const int next = nextKey(from);
    const bool inRound =
        order_.empty() ? from >= 0 && from < kNumeroTasti && visible_[static_cast<size_t>(from)]
                       : std::find(order_.begin(), order_.end(), from) != order_.end();
    return backTarget_ && inRound && next == firstPosition() ? kTastoMenu : next;
}

// In an order of its own, the scan goes round it; a position outside it (the
// start, a key not in it) goes to its first key.
int KeyboardInput::nextKey(int key) const
{
    if (order_.empty())
        return prossimoTastoVisibile(key, visible_);
    const auto at = std::find(order_.begin(), order_.end(), key);
    return at == order_.end() || at + 1 == order_.end() ? order_.front() : *(at + 1);
}

void KeyboardInput::mark()
{
    if (state_.ConRiquadro)
        scan_.placeFrameOnKey(engine_.TastoCorrente);
    else
        view_.colourKey(engine_.TastoCorrente, state_.ColoreBottoneSelezionato);
}

// Another switch still held keeps the scan standing, and so does a letter
// still being judged (a choice made during a help resumes nothing).
void KeyboardInput::resumeScan()
{
    if (switchesDown_ == 0 && judging_ == 0)
        scan_.runTimer1(true);
}

bool KeyboardInput::controlla(int key)
{
    engine_.Controlla(letter(key));
    return engine_.running();
}

bool KeyboardInput::avanti()
{
    engine_.Avanti();
    timing_.chose();
    return engine_.running();
}

bool KeyboardInput::avantiEnabled() const
{
    return engine_.avantiEnabled();
}

QString KeyboardInput::letter(int key) const
{
    return state_.LettereTastiera[static_cast<size_t>(key + 1)];
}

} // namespace ortolino
