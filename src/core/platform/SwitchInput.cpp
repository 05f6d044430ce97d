#include "core/platform/SwitchInput.h"

#include "core/platform/Clock.h"

#include <algorithm>
#include <cmath>
#include <Qt>

namespace ortolino {

int intervalloScansioneMs(int velocitaScansione)
{
    return std::clamp(velocitaScansione, 4, 60) * 250;
}

TastoSensore tastoSensore(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Space:
        return TastoSensore::Spazio;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return TastoSensore::Invio;
    default:
        return TastoSensore::Altro;
    }
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
    pending_ = 0;
    return wasDown;
}

void SwitchTiming::setTiming(const ScanTiming& timing, const Clock* clock, double* lastChoice)
{
    timing_ = timing;
    clock_ = clock;
    lastChoice_ = lastChoice;
    presses_.clear();
    spokenMs_ = 0;
    rounds_ = 0;
    paused_ = false;
    asking_ = -1;
    choseAt_ = lastChoice ? *lastChoice : -1e9;
}

double SwitchTiming::now() const
{
    return clock_ ? clock_->seconds() : 0;
}

void SwitchTiming::down(int key)
{
    up(key); // a press never seen to end is replaced
    const double at = now();
    presses_.push_back({key, at, clock_ && (at - choseAt_) * 1000 < timing_.ignoreAfterChoiceMs});
}

bool SwitchTiming::up(int key)
{
    const auto found = std::find_if(presses_.begin(), presses_.end(),
                                    [key](const Press& press) { return press.key == key; });
    if (found == presses_.end())
        return false;
    const Press press = *found;
    presses_.erase(found);
    if (!clock_)
        return true;
    // A hair's tolerance: a press of exactly the acceptance time counts.
    return !press.ignored && (now() - press.at) * 1000 + 0.5 >= timing_.acceptanceMs;
}

void SwitchTiming::chose()
{
    choseAt_ = now();
    if (lastChoice_)
        *lastChoice_ = choseAt_;
    rounds_ = 0;
}

int SwitchTiming::holdMs(bool firstItem) const
{
    const double steps = firstItem ? std::max(timing_.firstItemSteps, 1.0) : 1.0;
    const int hold = static_cast<int>(std::lround(timing_.stepMs * steps));
    return spokenMs_ > 0 ? std::max(hold, spokenMs_ + kSpokenGapMs) : hold;
}

bool SwitchTiming::pauseInsteadOfStep(bool first)
{
    spokenMs_ = 0;
    if (!first)
        return false;
    ++rounds_;
    paused_ = timing_.loopsBeforePause > 0 && rounds_ > timing_.loopsBeforePause;
    return paused_;
}

void SwitchTiming::resume()
{
    paused_ = false;
    rounds_ = 1; // the scan stands on the first item: a round has begun
}

bool SwitchTiming::confirm(int item)
{
    if (asking() == item) {
        asking_ = -1;
        return true;
    }
    asking_ = item;
    askedAt_ = now();
    return false;
}

int SwitchTiming::asking() const
{
    return asking_ >= 0 && askingLeftMs() > 0 ? asking_ : -1;
}

int SwitchTiming::askingLeftMs() const
{
    if (asking_ < 0)
        return 0;
    if (!clock_)
        return kConfirmMs;
    return static_cast<int>(std::lround(kConfirmMs - (now() - askedAt_) * 1000));
}

} // namespace ortolino
