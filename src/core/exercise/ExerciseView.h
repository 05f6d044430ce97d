#pragma once

#include "core/app/ProgramState.h"
#include "core/words/WaitingNotice.h"

#include <QString>

namespace ortolino {

// What the exercise engine asks of the exercise window. The window implements
// it over its controls; tests implement it as a recording fake. Every call
// only shows something, or says whether a picture can be shown: the decisions
// stay in the engine.
class ExerciseView : public WaitingNotice
{
public:
    // Label1: the masked word in its display format.
    virtual void setWordCaption(const QString& caption) = 0;
    // The whole word behind the caption, given as a turn starts: a window
    // that fits its text to its box sizes the caption for it, so that the
    // caption keeps its size and place while the blanks fill.
    virtual void setWholeWord(const QString& /*word*/) {}
    // Image1: the picture file of the word.
    virtual void showPicture(const QString& path) = 0;
    // Whether the picture file can be shown at all: a file that only has the
    // name of a picture (empty, another format) would leave the child a word
    // without its picture, so the engine draws another.
    virtual bool canShowPicture(const QString& /*path*/) const { return true; }
    // ComandoIconaSi visible (right) or ComandoIconaNo visible (wrong); never both.
    virtual void showOutcome(bool right) = 0;
    // EtichettaEsatti and EtichettaErrati, as decimal text.
    virtual void showCounters(int right, int wrong) = 0;
    // LabelMerlino, the text balloon of the helps when speech is off.
    virtual void setBalloonText(const QString& text) = 0;
    virtual void setBalloonVisible(bool visible) = 0;
    // The background of the window, picAgent and the two scanning focus boxes.
    virtual void setBackground(Colore colour) = 0;
    // Background of key tastiera(key).
    virtual void colourKey(int key, Colore colour) = 0;
    // The scan mark moves to BottoneAvanti: the frame ShapeRiquadro placed
    // around it, or (without the frame) the button's own colour.
    virtual void placeFrameOnAvanti() = 0;
    virtual void colourAvanti(Colore colour) = 0;
    virtual void setAvantiEnabled(bool enabled) = 0;
    virtual void focusAvanti() = 0;
    // No word can be shown: the window returns to the main menu. The engine
    // is still on the stack when this is called, so the window should close
    // once control is back in the event loop (a queued call), not at once.
    virtual void endExercise() = 0;
};

} // namespace ortolino
