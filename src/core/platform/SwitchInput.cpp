#include "core/platform/SwitchInput.h"

#include <algorithm>
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

} // namespace ortolino
