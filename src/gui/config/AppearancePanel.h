#pragma once

#include "gui/config/ConfigPanel.h"

#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace ortolino {

// Tab "Fonts e Colori": the background colour (random or fixed), system
// colours, the lettering's face and colours and the buttons' colour, with a
// sample of the lettering.
class AppearancePanel : public ConfigPanel
{
public:
    AppearancePanel(FormConfigura& window, QWidget* page);

    void showState() override;
    QList<QWidget*> colouredControls() const override;

private:
    void CommandSceltaFont_Click();
    void CommandSceltaColori_Click();
    void CommandSceltaColoreFont_Click();
    void CommandSceltaSfondoTesto_Click();
    void showReadability();
    void CommandSceltaColoreBottoni_Click();
    void CheckImpostazioniSistema_Click(bool checked);

    QGroupBox* backgroundFrame_ = nullptr;
    std::array<QRadioButton*, 2> randomOrFixed_{};
    QPushButton* chooseBackground_ = nullptr;
    QCheckBox* systemColours_ = nullptr;
    QGroupBox* letteringFrame_ = nullptr;
    QPushButton* chooseButtonColour_ = nullptr;
    QLabel* sample_ = nullptr;
    QLabel* readabilityWarning_ = nullptr; // the text hard to tell from its background
};

} // namespace ortolino
