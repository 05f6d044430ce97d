#pragma once

#include "core/app/ProgramState.h"
#include "core/config/ConfigSettings.h"
#include "gui/config/ConfigPanel.h"
#include "gui/config/FormConfigura.h"

#include <array>

class QCheckBox;
class QGroupBox;
class QPushButton;
class QRadioButton;

namespace ortolino {

class FontFitter;

// The letters on the tab "Scelte didattiche": their case, the longest word
// and the letters in play. The ticked letters reach the state only when the
// window is left (confirm).
class LettersPanel : public ConfigPanel
{
public:
    LettersPanel(FormConfigura& window, QWidget* page);

    void showState() override { showLetters(FormConfigura::Lettere::Mantieni); }
    void showLetters(FormConfigura::Lettere lettere);
    QList<QWidget*> colouredControls() const override;

    int tickedCount() const;
    // Makes the ticked letters the ones in play.
    void confirm();

private:
    void createLetterBoxes(QWidget* frame);
    void carattere_Click(const QString& carattere);
    void impostaTutteLeLettere(bool attive);

    QGroupBox* caseFrame_ = nullptr;
    std::array<QRadioButton*, 3> cases_{}; // minuscolo, maiuscolo, corsivo
    QGroupBox* lengthFrame_ = nullptr;
    std::array<QRadioButton*, kOpzioniQuanteLettere> lengths_{};
    QGroupBox* lettersFrame_ = nullptr;
    std::array<QCheckBox*, kNumeroTasti> letters_{};
    FontFitter* lettersFit_ = nullptr; // every letter inside its box, in any face
};

} // namespace ortolino
