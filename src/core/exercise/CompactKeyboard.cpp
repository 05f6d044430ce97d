#include "core/exercise/CompactKeyboard.h"

#include <algorithm>

namespace ortolino {

std::vector<int> compactKeyOrder(const ProgramState& state, CompactOrder order,
                                 const QString& frequency)
{
    std::vector<int> keys;
    for (int key = 0; key < kNumeroTasti; ++key) {
        if (state.LettereAttive[static_cast<size_t>(key)])
            keys.push_back(key);
    }
    const auto letter = [&](int key) {
        return state.LettereTastiera[static_cast<size_t>(key + 1)].toLower();
    };
    const auto rank = [&](int key) {
        const qsizetype at =
            order == CompactOrder::Frequency ? frequency.toLower().indexOf(letter(key)) : -1;
        return at < 0 || letter(key).isEmpty() ? kNumeroTasti : int(at);
    };
    std::stable_sort(keys.begin(), keys.end(), [&](int a, int b) {
        return std::pair(rank(a), letter(a)) < std::pair(rank(b), letter(b));
    });
    return keys;
}

std::vector<QRect> compactKeyboardLayout(int count, const QRect& area, QSize keySize, int gap)
{
    if (count <= 0 || keySize.isEmpty() || area.isEmpty())
        return {};
    // The number of columns that gives the widest keys of the design's shape.
    int bestColumns = 1;
    int bestWidth = 0;
    for (int columns = 1; columns <= count; ++columns) {
        const int rows = (count + columns - 1) / columns;
        const int cellWidth = (area.width() - (columns - 1) * gap) / columns;
        const int cellHeight = (area.height() - (rows - 1) * gap) / rows;
        const int width = std::min(cellWidth, cellHeight * keySize.width() / keySize.height());
        if (width > bestWidth) {
            bestWidth = width;
            bestColumns = columns;
        }
    }
    const int columns = bestColumns;
    const int rows = (count + columns - 1) / columns;
    const QSize key(bestWidth, bestWidth * keySize.height() / keySize.width());
    const QSize grid(columns * key.width() + (columns - 1) * gap,
                     rows * key.height() + (rows - 1) * gap);
    const QPoint origin = area.topLeft() + QPoint((area.width() - grid.width()) / 2,
                                                  (area.height() - grid.height()) / 2);
    std::vector<QRect> keys;
    for (int i = 0; i < count; ++i) {
        const QPoint cell(i % columns, i / columns);
        keys.emplace_back(
            origin + QPoint(cell.x() * (key.width() + gap), cell.y() * (key.height() + gap)), key);
    }
    return keys;
}

} // namespace ortolino
