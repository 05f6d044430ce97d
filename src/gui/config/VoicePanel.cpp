#include "gui/config/VoicePanel.h"

#include "core/app/Program.h"
#include "core/config/ConfigSettings.h"
#include "core/speech/VoiceMapping.h"
#include "gui/config/FormConfigura.h"
#include "gui/widgets/Accessibility.h"
#include "gui/widgets/clsResize.h"
#include "gui/widgets/Controls.h"
#include "gui/widgets/FittedText.h"

#include <algorithm>
#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>

namespace ortolino {

namespace {

// What the character says each time the tab is shown.

// Where the character stands, in pixels from the window's corner.
constexpr int kPersonaggioX = 200;
constexpr int kPersonaggioY = 150;

// The left part of the tab, up to 5760 twips, is the character's place.
constexpr ControlDesign kDesign[] = {
    {"Check1", -1, "Attiva parlato", 5760, 240, 3600, 540},
    {"Label1", -1, "Velocità", 5760, 960, 3600, 420},
    {"HScroll1", -1, nullptr, 5760, 1380, 7020, 360},
    {"Label2", -1, "Tono", 5760, 1920, 3600, 420},
    {"HScroll2", -1, nullptr, 5760, 2340, 7020, 360},
    {"Text1", -1, nullptr, 5760, 2940, 7020, 480},
    {"CommandProvaVoce", -1, "Prova voce", 5760, 3540, 2640, 660},
    {"LabelVoci", -1, "Voci", 5760, 4440, 3360, 360},
    {"List1", -1, nullptr, 5760, 4800, 3360, 2280},
    {"LabelPersonaggi", -1, "Personaggi", 9420, 4440, 3360, 360},
    {"List2", -1, nullptr, 9420, 4800, 3360, 2280},
    {"CheckSuoni", -1, "Attiva suoni", 5760, 7560, 2880, 540},
    {"CheckFesteggia", -1, "Festeggia le parole finite", 8760, 7560, 4020, 540},
};
// The line between speech and sounds.
constexpr int kLineaY = 7320;
constexpr int kLineaDa = 5760;
constexpr int kLineaA = 12780;

} // namespace

VoicePanel::VoicePanel(FormConfigura& window, QWidget* page) : ConfigPanel(window, kDesign)
{
    speech_ = make<QCheckBox>(page, "Check1");
    speedLabel_ = makeCaption(page, "Label1");
    speed_ = makeBar(page, "HScroll1", kBarraVelocitaVoce, 10);
    pitchLabel_ = makeCaption(page, "Label2");
    pitch_ = makeBar(page, "HScroll2", kBarraTonoVoce, 10);
    sentence_ = make<QLineEdit>(page, "Text1");
    tryVoice_ = make<QPushButton>(page, "CommandProvaVoce");
    auto* voicesLabel = makeCaption(page, "LabelVoci");
    voices_ = make<QListWidget>(page, "List1");
    auto* charactersLabel = makeCaption(page, "LabelPersonaggi");
    characters_ = make<QListWidget>(page, "List2");
    tieLabel(speedLabel_, speed_); // a screen reader reads each control with its label
    tieLabel(pitchLabel_, pitch_);
    tieLabel(voicesLabel, voices_);
    tieLabel(charactersLabel, characters_);
    auto* line = named(new LineControl(page), "Line1");
    line->setEndPoints({window.twipsX(kLineaDa), window.twipsY(kLineaY)},
                       {window.twipsX(kLineaA), window.twipsY(kLineaY)});
    sounds_ = make<QCheckBox>(page, "CheckSuoni");
    celebration_ = make<QCheckBox>(page, "CheckFesteggia");
    page->installEventFilter(this); // the stage follows the tab's size

    connect(speech_, &QCheckBox::toggled, this, [this](bool checked) {
        state().ParlatoAttivo = checked;
        showWholeState();
    });
    connect(speed_, &QScrollBar::valueChanged, this, &VoicePanel::HScroll1_Change);
    connect(pitch_, &QScrollBar::valueChanged, this, &VoicePanel::HScroll2_Change);
    // The teacher tries the voice to hear it: when it cannot be heard (no
    // sound output, as when the sound system went away or came up after the
    // program started, which only a new start picks up) that is said.
    connect(tryVoice_, &QPushButton::clicked, this, [this] {
        if (personaggio_ && !personaggio_->Speak(voiceTags_ + sentence_->text()))
            avvisa(testo("0214"));
    });
    connect(sounds_, &QCheckBox::toggled, this,
            [this](bool checked) { state().SuoniAttivi = checked; });
    connect(celebration_, &QCheckBox::toggled, this,
            [this](bool checked) { state().celebration = checked; });
    connect(voices_, &QListWidget::currentRowChanged, this, &VoicePanel::List1_Click);
    connect(characters_, &QListWidget::currentRowChanged, this, &VoicePanel::List2_Click);
}

VoicePanel::~VoicePanel() = default;

bool VoicePanel::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize && personaggio_)
        stage();
    return ConfigPanel::eventFilter(watched, event);
}

void VoicePanel::stage()
{
    QWidget* page = speech_->parentWidget();
    constexpr int kGap = 6;
    personaggio_->setStage(page, QRect(0, 0, std::max(speech_->x() - kGap, 1), page->height()));
}

void VoicePanel::load()
{
    ProgramState& s = state();
    showOnBar(speed_, s.VelocitaVoce, kBarraVelocitaVoce);
    speedLabel_->setText(testo("0014") + QString::number(s.VelocitaVoce));
    showOnBar(pitch_, s.TonoVoce, kBarraTonoVoce);
    pitchLabel_->setText(testo("0015") + QString::number(s.TonoVoce));
    QString error;
    personaggio_ = caricaPersonaggio(s.NomeAgente, &error);
    if (personaggio_)
        preparaPersonaggio(); // without a character the window goes on without one
}

void VoicePanel::activate()
{
    ImpostaMerlino();
    sentence_->setText(testo("0022"));
}

void VoicePanel::unload()
{
    if (personaggio_)
        personaggio_->StopAll();
    personaggio_.reset();
}

void VoicePanel::showState()
{
    const ProgramState& s = state();
    speech_->setChecked(s.ParlatoAttivo);
    if (personaggio_)
        personaggio_->setBalloonStyle(personaggio_->balloonStyle() | Personaggio::kBalloonOn);
    sounds_->setChecked(s.SuoniAttivi);
    celebration_->setChecked(s.celebration);
    for (QWidget* control : std::initializer_list<QWidget*>{tryVoice_, speed_, pitch_})
        control->setEnabled(s.ParlatoAttivo);
}

QList<QWidget*> VoicePanel::colouredControls() const
{
    return {speech_, sounds_, celebration_};
}

void VoicePanel::enter()
{
    CaricaVociEPersonaggi();
    if (personaggio_)
        personaggio_->Show();
}

void VoicePanel::leave()
{
    if (personaggio_)
        personaggio_->Hide();
}

void VoicePanel::HScroll1_Change(int value)
{
    ProgramState& s = state();
    s.VelocitaVoce = value;
    speedLabel_->setText(testo("0025") + QString::number(value));
    voiceTags_ = parametriVoce(s.VelocitaVoce, s.TonoVoce);
}

void VoicePanel::HScroll2_Change(int value)
{
    ProgramState& s = state();
    s.TonoVoce = value;
    pitchLabel_->setText(testo("0026") + QString::number(value));
    voiceTags_ = parametriVoce(s.VelocitaVoce, s.TonoVoce);
}

void VoicePanel::List1_Click(int row)
{
    if (row < 0 || row >= voci_.size())
        return;
    state().ModoVoce = voci_[row].id;
    if (personaggio_)
        personaggio_->setTTSModeID(state().ModoVoce);
}

void VoicePanel::List2_Click(int row)
{
    if (row < 0)
        return;
    const QString nome = characters_->item(row)->text();
    QString error;
    std::unique_ptr<Personaggio> nuovo = caricaPersonaggio(nome, &error);
    if (!nuovo) {
        // The character in use stays, and so does the list's choice.
        avvisa(testo("0207") + QLatin1Char('\n') + nome);
        selezionaPersonaggioInElenco();
        return;
    }
    if (personaggio_)
        personaggio_->StopAll();
    personaggio_ = std::move(nuovo);
    state().NomeAgente = nome;
    preparaPersonaggio();
    ImpostaMerlino();
    personaggio_->Show();
}

std::unique_ptr<Personaggio> VoicePanel::caricaPersonaggio(const QString& nome,
                                                           QString* error) const
{
    Agent* agent = program().services.agent;
    if (agent == nullptr)
        return nullptr;
    return agent->Load(nome, error);
}

void VoicePanel::preparaPersonaggio()
{
    const ProgramState& s = state();
    stage();
    personaggio_->setTTSModeID(s.ModoVoce);
    personaggio_->setLanguageID(s.LinguaAgente.toInt());
    personaggio_->setBalloonFont(s.NomeFont, s.DimensioneFont);
}

void VoicePanel::ImpostaMerlino()
{
    const ProgramState& s = state();
    voiceTags_ = parametriVoce(s.VelocitaVoce, s.TonoVoce);
    if (!personaggio_)
        return;
    personaggio_->setBalloonStyle(personaggio_->balloonStyle() & ~Personaggio::kBalloonOn);
    personaggio_->setBalloonFont(s.NomeFont, s.DimensioneFont);
    personaggio_->MoveTo(window().x() + kPersonaggioX, kPersonaggioY - window().y());
}

void VoicePanel::selezionaPersonaggioInElenco()
{
    const QSignalBlocker quiet(characters_);
    characters_->setCurrentRow(-1);
    for (int i = 0; i < characters_->count(); ++i) {
        if (characters_->item(i)->text().compare(state().NomeAgente, Qt::CaseInsensitive) == 0)
            characters_->setCurrentRow(i);
    }
}

void VoicePanel::CaricaVociEPersonaggi()
{
    ProgramState& s = state();
    Agent* agent = program().services.agent;
    {
        const QSignalBlocker quietVoices(voices_);
        const QSignalBlocker quietCharacters(characters_);
        voices_->clear();
        voci_ = agent ? agent->voices() : QList<Voce>();
        // By name: espeak-ng lists its hundred voices by language code, where
        // "German" comes before "English" and "Armenian" among the "I"s.
        std::stable_sort(voci_.begin(), voci_.end(), [](const Voce& a, const Voce& b) {
            return QString::localeAwareCompare(a.name, b.name) < 0;
        });
        // The list shows the voice that speaks: the profile's when it is
        // installed, else the language's (a profile from Windows names a voice
        // this system has not). Showing it changes no setting.
        const QString language = espeakLanguageForId(s.LinguaAgente.toInt());
        int inUse = -1;
        for (const Voce& voce : voci_) {
            voices_->addItem(voce.name);
            if (voce.id == s.ModoVoce ||
                (inUse < 0 && voce.language.compare(language, Qt::CaseInsensitive) == 0))
                inUse = voices_->count() - 1;
        }
        voices_->setCurrentRow(inUse);
        characters_->clear();
        for (const QString& name : agent ? agent->characterNames() : QStringList())
            characters_->addItem(nomePersonaggioMostrato(name));
    }
    selezionaPersonaggioInElenco();
    showOnBar(pitch_, s.TonoVoce, kBarraTonoVoce);
    showOnBar(speed_, s.VelocitaVoce, kBarraVelocitaVoce);
    if (personaggio_)
        personaggio_->Speak(voiceTags_ + testo("0233"));
}

} // namespace ortolino
