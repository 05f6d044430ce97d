#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace ortolino {

class Language;

// The menu's example pictures show a word of the current language as tiles,
// with the letters each exercise would blank as '?': the first letter, one
// letter, two letters, or every occurrence of one letter. The words come
// from the language file: "0242" for the first three pictures ("MELA"),
// "0243" the word and letter of the fourth ("ANANAS|A").

// Which letters of `parola` the exercise `esercizio` (0 to 3) blanks; for
// exercise 3, every `lettera` (any letter case).
QList<bool> lettereNascosteEsempio(int esercizio, const QString& parola, QChar lettera);

// The picture `disegno` (an SVG 200 × 180 whose drawing leaves the bottom
// band free) with the tiles of `parola` drawn in that band.
QByteArray figuraConTessere(const QByteArray& disegno, const QString& parola,
                            const QList<bool>& nascoste);

// The example picture of exercise `esercizio` in the current language.
QByteArray figuraEsempio(Language& language, int esercizio, const QByteArray& disegno);

} // namespace ortolino
