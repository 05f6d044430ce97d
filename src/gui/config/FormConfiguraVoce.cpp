// The tabs, voice and sounds, the input mode, the longest word and the
// letters in play.
#include "core/app/Program.h"
#include "core/config/ConfigSettings.h"
#include "gui/config/FormConfigura.h"
#include "gui/widgets/ShapeControl.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTabBar>

namespace ortolino {

namespace {

// What the character says each time the tab "Voce e Suoni" is shown.
const QString kFraseDiProva =
    QStringLiteral("Questa è la mia voce. Puoi modificarla utilizzando le apposite barre.");

// Where the character stands, in pixels from the window's corner.
constexpr int kPersonaggioX = 200;
constexpr int kPersonaggioY = 150;

template <size_t N>
QButtonGroup* groupOf(QObject* owner, const std::array<QRadioButton*, N>& options)
{
    auto* group = new QButtonGroup(owner);
    for (size_t i = 0; i < N; ++i)
        group->addButton(options[i], static_cast<int>(i));
    return group;
}

} // namespace

// ---- connections ----

void FormConfigura::connectVoiceHandlers()
{
    connect(Check1, &QCheckBox::toggled, this, [this](bool checked) {
        state().ParlatoAttivo = checked;
        ImpostaConfigurazioni();
    });
    connect(HScroll1, &QScrollBar::valueChanged, this, &FormConfigura::HScroll1_Change);
    connect(HScroll2, &QScrollBar::valueChanged, this, &FormConfigura::HScroll2_Change);
    connect(CommandProvaVoce, &QPushButton::clicked, this, [this] {
        if (Personaggio_)
            Personaggio_->Speak(ParametriVoce + Text1->text());
    });
    connect(CheckSuoni, &QCheckBox::toggled, this,
            [this](bool checked) { state().SuoniAttivi = checked; });
    connect(List1, &QListWidget::currentRowChanged, this, &FormConfigura::List1_Click);
    connect(List2, &QListWidget::currentRowChanged, this, &FormConfigura::List2_Click);
}

void FormConfigura::connectInputHandlers()
{
    connect(groupOf(this, Option4), &QButtonGroup::idToggled, this,
            [this](int index, bool checked) {
                if (!checked)
                    return;
                state().ModalitaInput = index;
                ImpostaConfigurazioni();
            });
    connect(CheckRiparti, &QCheckBox::toggled, this,
            [this](bool checked) { state().RipartiDallInizio = checked; });
    connect(CheckRiquadro, &QCheckBox::toggled, this, &FormConfigura::CheckRiquadro_Click);
    connect(CheckDisabilitaMousePersonalizzato, &QCheckBox::toggled, this,
            [this](bool checked) { state().MouseDiSistema = checked; });
    connect(HScrollRiquadro, &QScrollBar::valueChanged, this, [this](int value) {
        state().SpessoreRiquadro = value;
        ImpostaConfigurazioni();
    });
    connect(HScroll3, &QScrollBar::valueChanged, this, [this](int value) {
        state().VelocitaScansione = value;
        Label7->setText(testoVelocitaScansione(value));
    });
}

void FormConfigura::connectChoiceHandlers()
{
    connect(groupOf(this, OptionQuanteLettere), &QButtonGroup::idToggled, this,
            [this](int index, bool checked) {
                if (checked)
                    state().MassimoLettere = massimoLetterePerOpzione(index);
            });
    connect(CommandSelezionaTutte, &QPushButton::clicked, this,
            [this] { impostaTutteLeLettere(true); });
    connect(CommandDeselezionaTutte, &QPushButton::clicked, this,
            [this] { impostaTutteLeLettere(false); });
}

// ---- tabs ----

void FormConfigura::TabStrip1_Click(int index)
{
    NascondiFrame();
    if (Personaggio_)
        Personaggio_->Hide();
    const std::array<QFrame*, 5> panels = {FrameUtente, FrameLettere, FrameFonts, FrameVoce,
                                           FramePunt};
    if (index < 0 || index >= static_cast<int>(panels.size()))
        return;
    QFrame* panel = panels[static_cast<size_t>(index)];
    panel->show();
    panel->raise();
    if (panel != FrameVoce)
        return;
    CaricaVociEPersonaggi();
    if (Personaggio_)
        Personaggio_->Show();
}

// ---- voice ----

void FormConfigura::HScroll1_Change(int value)
{
    ProgramState& s = state();
    s.VelocitaVoce = value;
    Label1->setText(testo("0025") + QString::number(value));
    ParametriVoce = parametriVoce(s.VelocitaVoce, s.TonoVoce);
}

void FormConfigura::HScroll2_Change(int value)
{
    ProgramState& s = state();
    s.TonoVoce = value;
    Label2->setText(testo("0026") + QString::number(value));
    ParametriVoce = parametriVoce(s.VelocitaVoce, s.TonoVoce);
}

void FormConfigura::List1_Click(int row)
{
    if (row < 0 || row >= voci_.size())
        return;
    state().ModoVoce = voci_[row].id;
    if (Personaggio_)
        Personaggio_->setTTSModeID(state().ModoVoce);
}

void FormConfigura::List2_Click(int row)
{
    if (row < 0)
        return;
    const QString nome = List2->item(row)->text();
    QString error;
    std::unique_ptr<Personaggio> nuovo = caricaPersonaggio(nome, &error);
    if (!nuovo) {
        // The character in use stays, and so does the list's choice.
        avvisa(testo("0207") + QLatin1Char('\n') + nome);
        selezionaPersonaggioInElenco();
        return;
    }
    if (Personaggio_)
        Personaggio_->StopAll();
    Personaggio_ = std::move(nuovo);
    state().NomeAgente = nome;
    preparaPersonaggio();
    ImpostaMerlino();
    Personaggio_->Show();
}

std::unique_ptr<Personaggio> FormConfigura::caricaPersonaggio(const QString& nome,
                                                              QString* error) const
{
    Agent* agent = program().services.agent;
    if (agent == nullptr)
        return nullptr;
    return agent->Load(nome, error);
}

void FormConfigura::preparaPersonaggio()
{
    const ProgramState& s = state();
    Personaggio_->setTTSModeID(s.ModoVoce);
    Personaggio_->setLanguageID(s.LinguaAgente.toInt());
    Personaggio_->setBalloonFont(s.NomeFont, s.DimensioneFont);
}

void FormConfigura::CaricaPersonaggio()
{
    QString error;
    Personaggio_ = caricaPersonaggio(state().NomeAgente, &error);
    if (Personaggio_)
        preparaPersonaggio(); // without a character the window goes on without one
}

void FormConfigura::ImpostaMerlino()
{
    const ProgramState& s = state();
    ParametriVoce = parametriVoce(s.VelocitaVoce, s.TonoVoce);
    if (!Personaggio_)
        return;
    Personaggio_->setBalloonStyle(Personaggio_->balloonStyle() & ~Personaggio::kBalloonOn);
    Personaggio_->setBalloonFont(s.NomeFont, s.DimensioneFont);
    Personaggio_->MoveTo(x() + kPersonaggioX, kPersonaggioY - y());
}

void FormConfigura::selezionaPersonaggioInElenco()
{
    const QSignalBlocker quiet(List2);
    List2->setCurrentRow(-1);
    for (int i = 0; i < List2->count(); ++i) {
        if (List2->item(i)->text().compare(state().NomeAgente, Qt::CaseInsensitive) == 0)
            List2->setCurrentRow(i);
    }
}

void FormConfigura::CaricaVociEPersonaggi()
{
    ProgramState& s = state();
    Agent* agent = program().services.agent;
    {
        const QSignalBlocker quietVoices(List1);
        const QSignalBlocker quietCharacters(List2);
        List1->clear();
        voci_ = agent ? agent->voices() : QList<Voce>();
        for (const Voce& voce : voci_) {
            List1->addItem(voce.name);
            if (voce.id == s.ModoVoce)
                List1->setCurrentRow(List1->count() - 1); // shows the voice in use
        }
        List2->clear();
        for (const QString& name : agent ? agent->characterNames() : QStringList())
            List2->addItem(nomePersonaggioMostrato(name));
    }
    selezionaPersonaggioInElenco();
    mostraSuBarra(HScroll2, s.TonoVoce, kBarraTonoVoce);
    mostraSuBarra(HScroll1, s.VelocitaVoce, kBarraVelocitaVoce);
    if (Personaggio_)
        Personaggio_->Speak(ParametriVoce + kFraseDiProva);
}

// ---- input mode ----

void FormConfigura::CheckRiquadro_Click(bool checked)
{
    state().ConRiquadro = checked;
    ShapeRiquadro->setVisible(checked);
    HScrollRiquadro->setVisible(checked);
}

// ---- letters ----

void FormConfigura::impostaTutteLeLettere(bool attive)
{
    for (QCheckBox* box : Op_Lettere)
        box->setChecked(attive);
}

} // namespace ortolino
