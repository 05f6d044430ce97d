#pragma once

#include "core/app/ProgramState.h"

#include <QRect>
#include <QString>
#include <vector>

namespace ortolino {

// The keyboard laid out for scanning: only the active letters, in
// alphabetical order or by how often the language uses them, in a grid as
// large as the keyboard's area allows, so the scan reaches each letter sooner
// and each key is a bigger target.

// The language key holding the letters a to z from the most used to the least
// ("eaionlrtscdpumvghfbqzjkwxy" in Italian).
inline const QString kLetterFrequencyKey = QStringLiteral("0452");

// The active keys (indices 0..25) in the compact keyboard's order. Letters
// missing from `frequency` follow the others alphabetically.
std::vector<int> compactKeyOrder(const ProgramState& state, CompactOrder order,
                                 const QString& frequency);

// Where `count` keys stand, in order, row by row: the grid (of keys shaped
// like `keySize`, `gap` apart) whose keys are the largest that fit in `area`,
// centred in it.
std::vector<QRect> compactKeyboardLayout(int count, const QRect& area, QSize keySize, int gap);

} // namespace ortolino
