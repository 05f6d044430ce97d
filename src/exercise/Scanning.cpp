#include "exercise/Scanning.h"

#include "exercise/ExerciseEngine.h"
#include "exercise/ExerciseView.h"

#include <algorithm>
#include <QtGlobal>

namespace ortolino {

namespace {

constexpr int kVelocitaMinima = 4;
constexpr int kVelocitaMassima = 60;
constexpr int kMsPerUnita = 250;

bool isEnter(int qtKey)
{
    return qtKey == Qt::Key_Return || qtKey == Qt::Key_Enter;
}

} // namespace

int modalitaInUso(const ProgramState& state)
{
    const int modalita = state.ModalitaInput;
    return modalita == Modalita::ScansioneManuale || modalita == Modalita::ScansioneAutomatica
               ? modalita
               : Modalita::Mouse;
}

int passoScansioneMs(int velocitaScansione)
{
    const long long velocita =
        std::clamp<long long>(velocitaScansione, kVelocitaMinima, kVelocitaMassima);
    return static_cast<int>(velocita * kMsPerUnita);
}

void ImpostaTastiera(ProgramState& state)
{
    const bool maiuscolo = state.CarattereLettere == kMaiuscolo;
    for (int k = 1; k <= kNumeroTasti; ++k) {
        QString& lettera = state.LettereTastiera[static_cast<size_t>(k)];
        lettera = maiuscolo ? lettera.toUpper() : lettera.toLower();
    }
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

double dimensioneFontAdatta(double start, int target, const std::function<int(double)>& widthAt)
{
    double size = start;
    while (widthAt(size) < target && size + 1 <= kMassimaDimensioneFont)
        size += 1;
    return size;
}

bool SwitchKeys::press(int key, bool autoRepeat)
{
    if (key == pending_) { // the release just before was the key repeating
        pending_ = 0;
        down_.push_back(key);
        return false;
    }
    if (autoRepeat || std::find(down_.begin(), down_.end(), key) != down_.end())
        return false;
    down_.push_back(key);
    return true;
}

bool SwitchKeys::release(int key, bool autoRepeat, int* earlier)
{
    *earlier = 0;
    const auto found = std::find(down_.begin(), down_.end(), key);
    if (autoRepeat || found == down_.end())
        return false;
    down_.erase(found);
    *earlier = takePendingRelease();
    pending_ = key;
    return true;
}

int SwitchKeys::takePendingRelease()
{
    const int key = pending_;
    pending_ = 0;
    return key;
}

bool SwitchKeys::forget()
{
    const bool wasDown = !down_.empty();
    down_.clear();
    return wasDown;
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
    if (mode() == Modalita::Mouse)
        return;
    if (state_.ConRiquadro) {
        engine_.TastoCorrente = 0;
        scan_.placeFrameOnKey(0);
    }
    scan_.runTimer1(true);
}

void KeyboardInput::keyClicked(int key)
{
    engine_.clearHelp();
    if (mode() == Modalita::Mouse)
        controlla(key);
}

void KeyboardInput::avantiClicked()
{
    if (mode() == Modalita::Mouse && avantiEnabled())
        engine_.Avanti();
}

void KeyboardInput::keyPressed(int qtKey, const QString& text, bool autoRepeat)
{
    if (!switches_.press(qtKey, autoRepeat))
        return;
    if (mode() == Modalita::Mouse)
        letterTyped(text);
    else if (mode() == Modalita::ScansioneAutomatica)
        scan_.runTimer1(false); // the scan stands still while the switch is held
}

void KeyboardInput::keyReleased(int qtKey, bool autoRepeat)
{
    int earlier = 0;
    const bool pending = switches_.release(qtKey, autoRepeat, &earlier);
    if (pending)
        scan_.startRepeatWindow();
    if (earlier != 0)
        keyUp(earlier);
}

void KeyboardInput::releaseWindowOver()
{
    if (const int key = switches_.takePendingRelease(); key != 0)
        keyUp(key);
}

void KeyboardInput::keysLost()
{
    const int pending = switches_.takePendingRelease();
    const bool held = switches_.forget();
    if (pending != 0)
        keyUp(pending); // it was released here: it counts
    else if (held && mode() == Modalita::ScansioneAutomatica)
        resumeScan(); // its release will not come: the scan must not stay stopped
}

void KeyboardInput::tick()
{
    switch (mode()) {
    case Modalita::ScansioneManuale:
        scan_.focusSwitchBox();
        break;
    case Modalita::ScansioneAutomatica:
        if (!avantiEnabled())
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
    if (text.size() != 1)
        return;
    for (int key = 0; key < kNumeroTasti; ++key) {
        if (letter(key).toUpper() == text.toUpper()) {
            keyClicked(key);
            return;
        }
    }
}

void KeyboardInput::keyUp(int qtKey)
{
    if (mode() == Modalita::ScansioneManuale)
        manualRelease(qtKey);
    else if (mode() == Modalita::ScansioneAutomatica)
        automaticRelease(qtKey);
}

// Space moves the scan (not while it rests on "avanti"), Enter chooses; any
// other key only clears the help.
void KeyboardInput::manualRelease(int qtKey)
{
    engine_.clearHelp();
    if (qtKey == Qt::Key_Space) {
        if (!avantiEnabled())
            step();
    } else if (isEnter(qtKey)) {
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
// is complete. The scan resumes from the release, before the letter is
// judged, so that it keeps moving while a help is spoken.
void KeyboardInput::automaticRelease(int qtKey)
{
    bool resumed = false;
    if (qtKey == Qt::Key_Space) {
        engine_.clearHelp();
        if (avantiEnabled()) {
            view_.colourAvanti(state_.ColoreBottoni);
            if (!avanti())
                return;
        } else {
            resumeScan();
            resumed = true;
            if (!controlla(engine_.TastoCorrente))
                return;
        }
    }
    if (!avantiEnabled())
        mark();
    if (!resumed)
        resumeScan();
}

void KeyboardInput::step()
{
    view_.colourKey(engine_.TastoCorrente, state_.ColoreBottoni);
    engine_.TastoCorrente = prossimoTastoVisibile(engine_.TastoCorrente, visible_);
    mark();
}

void KeyboardInput::mark()
{
    if (state_.ConRiquadro)
        scan_.placeFrameOnKey(engine_.TastoCorrente);
    else
        view_.colourKey(engine_.TastoCorrente, state_.ColoreBottoneSelezionato);
}

// Another switch still held keeps the scan standing.
void KeyboardInput::resumeScan()
{
    if (!switches_.anyDown())
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
