// The configuration window as a whole: loading, activation, the tabs, the
// copy of the program state into the controls, and the way out.
#include "gui/config/FormConfigura.h"

#include "core/app/Profile.h"
#include "core/app/Program.h"
#include "core/config/ConfigSettings.h"
#include "gui/widgets/Colors.h"
#include "gui/widgets/ShapeControl.h"
#include "gui/widgets/WindowManager.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTimer>

namespace ortolino {

ProgramState& FormConfigura::state() const
{
    return program().state;
}

QString FormConfigura::testo(const char* key) const
{
    return program().text(QString::fromLatin1(key));
}

MessageBoxes::Answer FormConfigura::mostra(const Message& message) const
{
    MessageBoxes* boxes = program().services.messages;
    if (boxes == nullptr)
        return message.buttons == Message::Buttons::YesNo ? MessageBoxes::Answer::No
                                                          : MessageBoxes::Answer::Ok;
    return boxes->show(message);
}

void FormConfigura::avvisa(const QString& text) const
{
    Message message;
    message.text = text;
    message.icon = Message::Icon::Critical;
    mostra(message);
}

void FormConfigura::connectHandlers()
{
    connect(mnuEsci, &QAction::triggered, this, [this] { mnuEsci_Click(); });
    connect(TabStrip1, &QTabBar::currentChanged, this, &FormConfigura::TabStrip1_Click);
    connectUserHandlers();
    connectChoiceHandlers();
    connectFontHandlers();
    connectVoiceHandlers();
    connectInputHandlers();
    connectEditorHandlers();
}

// ---- life cycle ----

void FormConfigura::Form_Load()
{
    Form::Form_Load(); // translates, then sizes with the window's own resizer
    ProgramState& s = state();
    mostraSuBarra(HScroll1, s.VelocitaVoce, kBarraVelocitaVoce);
    Label1->setText(testo("0014") + QString::number(s.VelocitaVoce));
    mostraSuBarra(HScroll2, s.TonoVoce, kBarraTonoVoce);
    Label2->setText(testo("0015") + QString::number(s.TonoVoce));
    CaricaPersonaggio();
}

void FormConfigura::Form_Activate()
{
    coverScreen();
    const ProgramState& s = state();
    if (s.ModalitaInput >= 0 && s.ModalitaInput < static_cast<int>(Option4.size()))
        Option4[static_cast<size_t>(s.ModalitaInput)]->setChecked(true);
    Label4->setText(s.NomeUtente);
    ImpostaMerlino();
    Text1->setText(testo("0022"));
    NascondiFrame();
    ImpostaConfigurazioni(Lettere::DalloStato);
    FrameUtente->show();
    FrameUtente->raise();
    // The tab strip follows the panel shown.
    const QSignalBlocker quiet(TabStrip1);
    TabStrip1->setCurrentIndex(0);
}

void FormConfigura::Form_Unload()
{
    if (Personaggio_)
        Personaggio_->StopAll();
    Personaggio_.reset();
}

void FormConfigura::closeEvent(QCloseEvent* event)
{
    if (uscita_) {
        Form::closeEvent(event);
        return;
    }
    // The close box leaves as "&Menu" does, so that nothing set here is lost.
    event->ignore();
    QTimer::singleShot(0, this, [this] { mnuEsci_Click(); });
}

void FormConfigura::NascondiFrame()
{
    for (QFrame* panel : {FrameUtente, FrameVoce, FrameLettere, FrameFonts, FramePunt})
        panel->hide();
}

// ---- program state to controls ----

void FormConfigura::mostraSuBarra(QScrollBar* bar, int& setting, const BarRange& range)
{
    setting = range.clamp(setting);
    bar->setValue(setting);
}

void FormConfigura::ImpostaConfigurazioni(Lettere lettere)
{
    ProgramState& s = state();
    CheckSalvaUtente->setChecked(s.TieniTraccia);
    mostraLettere(lettere);
    mostraCarattere();
    mostraSuBarra(HScrollRiquadro, s.SpessoreRiquadro, kBarraRiquadro);
    for (int i = 0; i < kNumeroTasti; ++i) {
        const QString& lettera = s.LettereTastiera[static_cast<size_t>(i + 1)];
        Op_Lettere[static_cast<size_t>(i)]->setText(
            s.CarattereLettere == kMaiuscolo ? lettera.toUpper() : lettera.toLower());
    }
    if (const std::optional<int> option = opzionePerMassimoLettere(s.MassimoLettere))
        OptionQuanteLettere[static_cast<size_t>(*option)]->setChecked(true);
    LabelListaInUso->setText(s.ListaInUso);
    mostraEsempioFont();
    for (QWidget* control : controlliColorati())
        setBackground(control, qtColor(s.ColoreSfondo));
    OptionColoreCasualeFisso[s.ColoreCasuale ? 0 : 1]->setChecked(true);
    CheckImpostazioniSistema->setChecked(s.ColoriDiSistema);
    Frame6->setEnabled(!s.ColoriDiSistema);
    CommandSceltaColori->setEnabled(!s.ColoreCasuale);
    CheckRiparti->setChecked(s.RipartiDallInizio);
    CheckRiquadro->setChecked(s.ConRiquadro);
    ShapeRiquadro->setBorder(s.SpessoreRiquadro, qtColor(s.ColoreBottoneSelezionato));
    setBackground(CommandSceltaColoreBottoniSelezionati, qtColor(s.ColoreBottoneSelezionato));
    CheckDisabilitaMousePersonalizzato->setChecked(s.MouseDiSistema);
    Check1->setChecked(s.ParlatoAttivo);
    if (Personaggio_)
        Personaggio_->setBalloonStyle(Personaggio_->balloonStyle() | Personaggio::kBalloonOn);
    CheckSuoni->setChecked(s.SuoniAttivi);
    for (QWidget* control : std::initializer_list<QWidget*>{CommandProvaVoce, HScroll1, HScroll2})
        control->setEnabled(s.ParlatoAttivo);
    mostraModalita();
    if (s.ModalitaInput == kInputScansioneAutomatica) {
        mostraSuBarra(HScroll3, s.VelocitaScansione, kBarraScansione);
        Label7->setText(testoVelocitaScansione(s.VelocitaScansione));
    }
    Check2->setChecked(s.UsaTutteLeImmagini);
    LabelListaInUso->setText(s.UsaTutteLeImmagini ? QString() : s.ListaInUso);
}

void FormConfigura::mostraLettere(Lettere lettere)
{
    const ProgramState& s = state();
    for (int i = 0; i < kNumeroTasti; ++i) {
        QCheckBox* box = Op_Lettere[static_cast<size_t>(i)];
        QFont font = box->font();
        font.setFamily(s.NomeFont);
        box->setFont(font);
        if (lettere == Lettere::DalloStato)
            box->setChecked(s.LettereAttive[static_cast<size_t>(i)]);
    }
}

void FormConfigura::mostraCarattere()
{
    const QString& carattere = state().CarattereLettere;
    for (QRadioButton* option : {minuscolo, maiuscolo, corsivo}) {
        if (option->objectName() == carattere)
            option->setChecked(true);
    }
}

void FormConfigura::mostraEsempioFont()
{
    const ProgramState& s = state();
    QFont font = LabelFontSelezionato->font();
    font.setFamily(s.NomeFont);
    if (s.DimensioneFont > 0)
        font.setPointSize(s.DimensioneFont);
    LabelFontSelezionato->setFont(font);
    setForeground(LabelFontSelezionato, qtColor(s.ColoreFont));
    setBackground(LabelFontSelezionato, qtColor(s.ColoreSfondoTesto));
}

void FormConfigura::mostraModalita()
{
    const ProgramState& s = state();
    const VisibilitaInput v = visibilitaPerModalita(s.ModalitaInput, s.ConRiquadro);
    CheckRiparti->setVisible(v.riparti);
    CheckRiquadro->setVisible(v.riquadro);
    ShapeRiquadro->setVisible(v.campione);
    HScrollRiquadro->setVisible(v.campione);
    CheckDisabilitaMousePersonalizzato->setVisible(v.mouse);
    HScroll3->setVisible(v.velocita);
    Label7->setVisible(v.velocita);
}

QList<QWidget*> FormConfigura::controlliColorati() const
{
    QList<QWidget*> controls = {FrameUtente, FrameVoce, FrameLettere,
                                FrameFonts,  FramePunt, CheckSalvaUtente};
    for (QRadioButton* option : OptionUtente)
        controls << option;
    controls << Frame1 << Frame2 << Frame3 << Frame4 << Frame5 << Frame6 << Check2;
    for (QCheckBox* box : Op_Lettere)
        controls << box;
    for (QRadioButton* option : OptionQuanteLettere)
        controls << option;
    controls << maiuscolo << minuscolo << corsivo;
    for (QRadioButton* option : OptionColoreCasualeFisso)
        controls << option;
    controls << CheckImpostazioniSistema << Check1 << CheckSuoni;
    for (QRadioButton* option : Option4)
        controls << option;
    controls << CheckRiparti << CheckDisabilitaMousePersonalizzato << CheckRiquadro;
    return controls;
}

// ---- the way out ----

int FormConfigura::lettereSpuntate() const
{
    int count = 0;
    for (const QCheckBox* box : Op_Lettere)
        count += box->isChecked() ? 1 : 0;
    return count;
}

bool FormConfigura::mnuEsci_Click()
{
    if (nuovoUtenteSenzaNome()) {
        avvisa(testo("0204"));
        return false;
    }
    switch (giudicaLettere(lettereSpuntate())) {
    case GiudizioLettere::Nessuna:
        avvisa(testo("0016"));
        return false;
    case GiudizioLettere::Poche: {
        Message question;
        question.text = testo("0017");
        question.icon = Message::Icon::Critical;
        question.buttons = Message::Buttons::YesNo;
        if (mostra(question) != MessageBoxes::Answer::Yes)
            return false;
        break;
    }
    case GiudizioLettere::Abbastanza:
        break;
    }
    ProgramState& s = state();
    for (int i = 0; i < kNumeroTasti; ++i)
        s.LettereAttive[static_cast<size_t>(i)] = Op_Lettere[static_cast<size_t>(i)]->isChecked();
    if (!salvaProfiloConAvviso())
        return false;
    uscita_ = true;
    windows().show(QStringLiteral("FormMenu"));
    windows().unload(this);
    return true;
}

} // namespace ortolino
