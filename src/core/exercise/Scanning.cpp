#include "core/exercise/Scanning.h"

#include "core/exercise/ExerciseEngine.h"
#include "core/exercise/ExerciseView.h"
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

KeyboardInput::KeyboardInput(ProgramState& state, ExerciseEngine& engine, ExerciseView& view,
                             ScanView& scan)
    : state_(state), engine_(engine), view_(view), scan_(scan)
{
    for (size_t i = 0; i < visible_.size(); ++i)
        visible_[i] = state.LettereAttive[i];
}

void KeyboardInput::avvia()
{
    if (mode() == kModoMouse)
        return;
    if (state_.ConRiquadro) {
        engine_.TastoCorrente = order_.empty() ? 0 : order_.front();
        scan_.placeFrameOnKey(engine_.TastoCorrente);
    }
    scan_.runTimer1(true);
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

void KeyboardInput::switchDown(int)
{
    ++switchesDown_;
    if (mode() == kModoScansioneAutomatica)
        scan_.runTimer1(false); // the scan stands still while the switch is held
}

void KeyboardInput::switchUp(int qtKey)
{
    switchesDown_ = std::max(switchesDown_ - 1, 0);
    if (mode() == kModoScansioneManuale)
        manualRelease(qtKey);
    else if (mode() == kModoScansioneAutomatica)
        automaticRelease(qtKey);
}

void KeyboardInput::keysLost()
{
    const bool held = switchesDown_ > 0;
    switchesDown_ = 0;
    if (held && mode() == kModoScansioneAutomatica)
        resumeScan(); // its release will not come: the scan must not stay stopped
}

void KeyboardInput::tick()
{
    switch (mode()) {
    case kModoScansioneManuale:
        scan_.focusSwitchBox();
        break;
    case kModoScansioneAutomatica:
        // A held switch holds the scan, and so does a help being given.
        if (!avantiEnabled() && switchesDown_ == 0 && judging_ == 0)
            step();
        scan_.focusSwitchBox();
        break;
    default:
        break;
    }
}

// A typed character counts as a click on the key with that letter in either
// case, hidden keys included: a letter not offered is judged (and wrong).
void KeyboardInput::letterTyped(const QString& text)
{
    if (mode() != kModoMouse || text.size() != 1)
        return;
    for (int key = 0; key < kNumeroTasti; ++key) {
        if (letter(key).toUpper() == text.toUpper()) {
            keyClicked(key);
            return;
        }
    }
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
        } else {
            if (!controlla(engine_.TastoCorrente))
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
        if (avantiEnabled()) {
            view_.colourAvanti(state_.ColoreBottoni);
            if (!avanti())
                return;
        } else {
            ++judging_;
            const bool running = controlla(engine_.TastoCorrente);
            --judging_;
            if (!running)
                return;
        }
    }
    if (!avantiEnabled())
        mark();
    resumeScan();
}

void KeyboardInput::step()
{
    view_.colourKey(engine_.TastoCorrente, state_.ColoreBottoni);
    engine_.TastoCorrente = nextKey(engine_.TastoCorrente);
    mark();
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
