// The configuration window's controls, placed in twips of its 13500 x 9900
// design area. The five tab panels lie at the same place below the tab strip;
// the list editor covers the whole area.
#include "core/config/ConfigSettings.h"
#include "gui/config/FormConfigura.h"
#include "gui/widgets/clsResize.h"
#include "gui/widgets/Controls.h"
#include "gui/widgets/ShapeControl.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabBar>

namespace ortolino {

namespace {

constexpr int kLarghezza = 13500;
constexpr int kAltezza = 9900;
constexpr int kPannelloX = 240;
constexpr int kPannelloY = 1170;
constexpr int kPannelloL = 13020;
constexpr int kPannelloA = 8490;

template <typename Control>
Control* captioned(QWidget* parent, const char* name, const char* text, int index = -1)
{
    Control* control = named(new Control(parent), name, index);
    setCaption(control, QString::fromUtf8(text));
    return control;
}

QScrollBar* horizontalBar(QWidget* parent, const char* name, const BarRange& range, int page)
{
    auto* bar = new QScrollBar(Qt::Horizontal, parent);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setRange(range.minimum, range.maximum);
    bar->setSingleStep(1);
    bar->setPageStep(page);
    return bar;
}

// The QWERTY rows of the letter boxes: first box of each row and where the
// row starts (each row set in like a keyboard's).
constexpr std::array<int, 3> kPrimaDellaRiga = {0, 10, 19};
constexpr std::array<int, 3> kRientroRiga = {360, 930, 1500};
constexpr int kPassoTasto = 1200;

} // namespace

FormConfigura::FormConfigura(Program& program, WindowManager& windows)
    : Form(QStringLiteral("FormConfigura"), program, windows, QSize(kLarghezza, kAltezza))
{
    setWindowTitle(QStringLiteral("Ortolino - Configurazioni"));
    area()->setFont(designFont(QStringLiteral("Arial"), 12));
    createTop();
    createUserTab();
    createChoicesTab();
    createFontsTab();
    createVoiceTab();
    createInputTab();
    createListEditor();
    createWaitingNotice();
    connectHandlers();
    NascondiFrame();
}

FormConfigura::~FormConfigura() = default;

void FormConfigura::createTop()
{
    mnuEsci = menuBar()->addAction(QStringLiteral("&Menu"));
    mnuEsci->setObjectName(QStringLiteral("mnuEsci"));

    Label4 = named(new QLabel(area()), "Label4");
    Label4->setFont(designFont(QStringLiteral("Arial"), 16, true));
    place(Label4, 240, 120, 13020, 540);

    TabStrip1 = named(new QTabBar(area()), "TabStrip1");
    TabStrip1->setFont(designFont(QStringLiteral("Arial"), 12, true));
    TabStrip1->setExpanding(true);
    for (const char* caption :
         {"Utente", "Scelte didattiche", "Fonts e Colori", "Voce e Suoni", "Modalità di input"})
        TabStrip1->addTab(QString::fromUtf8(caption));
    place(TabStrip1, kPannelloX, 720, kPannelloL, 450);

    for (auto [panel, name] : {std::pair{&FrameUtente, "FrameUtente"},
                               {&FrameLettere, "FrameLettere"},
                               {&FrameFonts, "FrameFonts"},
                               {&FrameVoce, "FrameVoce"},
                               {&FramePunt, "FramePunt"}}) {
        *panel = named(new QFrame(area()), name);
        (*panel)->setFrameStyle(QFrame::Box | QFrame::Plain);
        place(*panel, kPannelloX, kPannelloY, kPannelloL, kPannelloA);
    }
}

void FormConfigura::createUserTab()
{
    static constexpr std::array<const char*, 3> kCaptions = {"Utente predefinito",
                                                             "Modifica utente", "Nuovo utente"};
    gruppoUtente_ = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        auto* option = captioned<QRadioButton>(FrameUtente, "OptionUtente",
                                               kCaptions[static_cast<size_t>(i)], i);
        place(option, 480, 480 + i * 720, 4800, 540);
        gruppoUtente_->addButton(option, i);
        OptionUtente[static_cast<size_t>(i)] = option;
    }
    OptionUtente[0]->setChecked(true);

    ListModificaUtente = named(new QListWidget(FrameUtente), "ListModificaUtente");
    place(ListModificaUtente, 5760, 480, 4560, 5400);
    ListModificaUtente->hide();

    TextNuovoUtente = named(new QLineEdit(FrameUtente), "TextNuovoUtente");
    place(TextNuovoUtente, 5760, 1920, 4560, 540);
    TextNuovoUtente->hide();

    CheckSalvaUtente = captioned<QCheckBox>(FrameUtente, "CheckSalvaUtente",
                                            "Tieni traccia dell'attività eseguita");
    place(CheckSalvaUtente, 480, 2880, 5040, 540);
}

void FormConfigura::createChoicesTab()
{
    Frame4 = captioned<QGroupBox>(FrameLettere, "Frame4", "File in uso");
    place(Frame4, 240, 120, 8160, 2640);
    Check2 = captioned<QCheckBox>(Frame4, "Check2", "Usa tutte le immagini disponibili");
    place(Check2, 240, 360, 3960, 480);
    LabelListaInUso = named(new QLabel(Frame4), "LabelListaInUso");
    LabelListaInUso->setWordWrap(true);
    LabelListaInUso->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    LabelListaInUso->setFont(designFont(QStringLiteral("Arial"), 9));
    place(LabelListaInUso, 240, 900, 3960, 1560);
    CommandCambiaListaInUso =
        captioned<QPushButton>(Frame4, "CommandCambiaListaInUso", "Lista in uso");
    place(CommandCambiaListaInUso, 4320, 360, 3600, 600);
    CommandModificaListaInUso =
        captioned<QPushButton>(Frame4, "CommandModificaListaInUso", "Modifica la lista in uso");
    place(CommandModificaListaInUso, 4320, 1080, 3600, 600);
    CommandCreaLista =
        captioned<QPushButton>(Frame4, "CommandCreaLista", "Crea altri files con liste parole");
    place(CommandCreaLista, 4320, 1800, 3600, 600);

    Frame1 = captioned<QGroupBox>(FrameLettere, "Frame1", "Tipo di carattere");
    place(Frame1, 8640, 120, 4140, 2640);
    minuscolo = captioned<QRadioButton>(Frame1, "minuscolo", "minuscolo");
    maiuscolo = captioned<QRadioButton>(Frame1, "maiuscolo", "MAIUSCOLO");
    corsivo = captioned<QRadioButton>(Frame1, "corsivo", "corsivo");
    int row = 0;
    for (QRadioButton* option : {minuscolo, maiuscolo, corsivo})
        place(option, 360, 420 + 660 * row++, 3420, 540);

    Frame2 = captioned<QGroupBox>(FrameLettere, "Frame2", "Parole con un massimo di");
    place(Frame2, 240, 2880, 12540, 960);
    // Option 4 ("3 lettere") stands first, then 4, 5, 6 and more letters.
    static constexpr std::array<const char*, kOpzioniQuanteLettere> kCaptions = {
        "4 lettere", "5 lettere", "6 lettere", "&più lettere", "3 lettere"};
    static constexpr std::array<int, kOpzioniQuanteLettere> kPosizione = {1, 2, 3, 4, 0};
    for (int i = 0; i < kOpzioniQuanteLettere; ++i) {
        const auto index = static_cast<size_t>(i);
        auto* option = captioned<QRadioButton>(Frame2, "OptionQuanteLettere", kCaptions[index], i);
        place(option, 360 + kPosizione[index] * 2400, 360, 2280, 480);
        OptionQuanteLettere[index] = option;
    }

    Frame3 = captioned<QGroupBox>(FrameLettere, "Frame3", "Lettere attivate");
    place(Frame3, 240, 3960, 12540, 4440);
    createLetterBoxes();
    CommandSelezionaTutte =
        captioned<QPushButton>(Frame3, "CommandSelezionaTutte", "seleziona tutte");
    place(CommandSelezionaTutte, 360, 3420, 3000, 660);
    CommandDeselezionaTutte =
        captioned<QPushButton>(Frame3, "CommandDeselezionaTutte", "deseleziona tutte");
    place(CommandDeselezionaTutte, 3600, 3420, 3000, 660);
}

void FormConfigura::createLetterBoxes()
{
    for (int i = 0; i < kNumeroTasti; ++i) {
        int row = 2;
        while (i < kPrimaDellaRiga[static_cast<size_t>(row)])
            --row;
        const int column = i - kPrimaDellaRiga[static_cast<size_t>(row)];
        auto* box = named(new QCheckBox(Frame3), "Op_Lettere", i);
        box->setFont(designFont(QStringLiteral("Arial"), 18, true));
        place(box, kRientroRiga[static_cast<size_t>(row)] + column * kPassoTasto, 420 + row * 960,
              1140, 840);
        Op_Lettere[static_cast<size_t>(i)] = box;
    }
}

void FormConfigura::createFontsTab()
{
    Frame6 = captioned<QGroupBox>(FrameFonts, "Frame6", "Colore sfondo");
    place(Frame6, 240, 120, 6000, 2520);
    for (int i = 0; i < 2; ++i) {
        auto* option = captioned<QRadioButton>(Frame6, "OptionColoreCasualeFisso",
                                               i == 0 ? "Colore casuale" : "Colore fisso", i);
        place(option, 360, 420 + i * 660, 3360, 540);
        OptionColoreCasualeFisso[static_cast<size_t>(i)] = option;
    }
    CommandSceltaColori = captioned<QPushButton>(Frame6, "CommandSceltaColori", "Colori");
    place(CommandSceltaColori, 3840, 1020, 1920, 660);

    CheckImpostazioniSistema =
        captioned<QCheckBox>(FrameFonts, "CheckImpostazioniSistema", "Usa impostazioni di sistema");
    place(CheckImpostazioniSistema, 480, 2880, 5760, 540);

    Frame5 = named(new QGroupBox(FrameFonts), "Frame5");
    place(Frame5, 6480, 120, 6300, 3300);
    CommandSceltaFont = captioned<QPushButton>(Frame5, "CommandSceltaFont", "Font");
    place(CommandSceltaFont, 360, 420, 2700, 660);
    CommandSceltaColoreFont =
        captioned<QPushButton>(Frame5, "CommandSceltaColoreFont", "Colore font");
    place(CommandSceltaColoreFont, 3240, 420, 2700, 660);
    CommandSceltaSfondoTesto =
        captioned<QPushButton>(Frame5, "CommandSceltaSfondoTesto", "Sfondo testo");
    place(CommandSceltaSfondoTesto, 360, 1320, 2700, 660);
    CommandSceltaColoreBottoni =
        captioned<QPushButton>(Frame5, "CommandSceltaColoreBottoni", "Bottoni");
    place(CommandSceltaColoreBottoni, 3240, 1320, 2700, 660);
    LabelPerColore = named(new QLabel(Frame5), "LabelPerColore");
    place(LabelPerColore, 360, 2280, 600, 300);
    LabelPerColore->hide();

    LabelFontSelezionato =
        captioned<QLabel>(FrameFonts, "LabelFontSelezionato", "Esempio di font e colore del testo");
    LabelFontSelezionato->setAlignment(Qt::AlignCenter);
    LabelFontSelezionato->setWordWrap(true);
    LabelFontSelezionato->setFrameStyle(QFrame::Box | QFrame::Plain);
    place(LabelFontSelezionato, 240, 3660, 12540, 4560);
}

void FormConfigura::createVoiceTab()
{
    // The left part of the panel is the character's place: it stands at
    // (200, 150) pixels of the screen while this tab is shown, its balloon
    // above it.
    constexpr int x = 5760;
    constexpr int width = 7020;
    constexpr int listWidth = 3360;
    Check1 = captioned<QCheckBox>(FrameVoce, "Check1", "Attiva parlato");
    place(Check1, x, 240, 3600, 540);
    Label1 = captioned<QLabel>(FrameVoce, "Label1", "Velocità");
    place(Label1, x, 960, 3600, 420);
    HScroll1 = horizontalBar(FrameVoce, "HScroll1", kBarraVelocitaVoce, 10);
    place(HScroll1, x, 1380, width, 360);
    Label2 = captioned<QLabel>(FrameVoce, "Label2", "Tono");
    place(Label2, x, 1920, 3600, 420);
    HScroll2 = horizontalBar(FrameVoce, "HScroll2", kBarraTonoVoce, 10);
    place(HScroll2, x, 2340, width, 360);
    Text1 = named(new QLineEdit(FrameVoce), "Text1");
    place(Text1, x, 2940, width, 480);
    CommandProvaVoce = captioned<QPushButton>(FrameVoce, "CommandProvaVoce", "Prova voce");
    place(CommandProvaVoce, x, 3540, 2640, 660);

    LabelVoci = captioned<QLabel>(FrameVoce, "LabelVoci", "Voci");
    place(LabelVoci, x, 4440, listWidth, 360);
    List1 = named(new QListWidget(FrameVoce), "List1");
    place(List1, x, 4800, listWidth, 2280);
    LabelPersonaggi = captioned<QLabel>(FrameVoce, "LabelPersonaggi", "Personaggi");
    place(LabelPersonaggi, x + width - listWidth, 4440, listWidth, 360);
    List2 = named(new QListWidget(FrameVoce), "List2");
    place(List2, x + width - listWidth, 4800, listWidth, 2280);

    Line1 = named(new LineControl(FrameVoce), "Line1");
    Line1->setEndPoints({twipsX(x), twipsY(7320)}, {twipsX(x + width), twipsY(7320)});
    CheckSuoni = captioned<QCheckBox>(FrameVoce, "CheckSuoni", "Attiva suoni");
    place(CheckSuoni, x, 7560, 3600, 540);
    Label3 = named(new QLabel(FrameVoce), "Label3");
    place(Label3, 240, 7560, 600, 300);
    Label3->hide();
}

void FormConfigura::createInputTab()
{
    static constexpr std::array<const char*, 3> kCaptions = {
        "Mouse o tastiera", "Scansione manuale - spazio e invio ", "Scansione automatica - spazio"};
    for (int i = 0; i < 3; ++i) {
        auto* option =
            captioned<QRadioButton>(FramePunt, "Option4", kCaptions[static_cast<size_t>(i)], i);
        place(option, 480, 360 + i * 720, 5760, 540);
        Option4[static_cast<size_t>(i)] = option;
    }
    CheckDisabilitaMousePersonalizzato = captioned<QCheckBox>(
        FramePunt, "CheckDisabilitaMousePersonalizzato", "Usa mouse di sistema");
    place(CheckDisabilitaMousePersonalizzato, 480, 2760, 5760, 540);

    constexpr int x = 6720;
    CheckRiparti =
        captioned<QCheckBox>(FramePunt, "CheckRiparti", "Riparti dall'inizio dopo la selezione");
    place(CheckRiparti, x, 360, 6060, 540);
    CheckRiquadro = captioned<QCheckBox>(FramePunt, "CheckRiquadro", "Con riquadro");
    place(CheckRiquadro, x, 1080, 2880, 540);
    HScrollRiquadro = horizontalBar(FramePunt, "HScrollRiquadro", kBarraRiquadro, 3);
    place(HScrollRiquadro, x, 1800, 3600, 360);
    ShapeRiquadro = named(new ShapeControl(FramePunt), "ShapeRiquadro");
    place(ShapeRiquadro, 10560, 1020, 2160, 1320);
    CommandSceltaColoreBottoniSelezionati = captioned<QPushButton>(
        FramePunt, "CommandSceltaColoreBottoniSelezionati", "Colore bottone selezionato");
    place(CommandSceltaColoreBottoniSelezionati, x, 2760, 3960, 660);
    Label7 = named(new QLabel(FramePunt), "Label7");
    place(Label7, x, 3780, 6060, 420);
    HScroll3 = horizontalBar(FramePunt, "HScroll3", kBarraScansione, 4);
    place(HScroll3, x, 4200, 6060, 360);
}

void FormConfigura::createListEditor()
{
    FrameCreaNuovaLista = captioned<QGroupBox>(area(), "FrameCreaNuovaLista",
                                               "Creazione di nuovi files di liste parole");
    FrameCreaNuovaLista->setAutoFillBackground(true);
    place(FrameCreaNuovaLista, 0, 0, kLarghezza, kAltezza);

    auto wordList = [this](const char* name) {
        auto* list = named(new QListWidget(FrameCreaNuovaLista), name);
        list->setSelectionMode(QAbstractItemView::ExtendedSelection);
        list->setFont(designFont(QStringLiteral("Arial"), 13));
        return list;
    };
    Label10 = captioned<QLabel>(FrameCreaNuovaLista, "Label10",
                                "Parole utilizzabili (immagini a disposizione)");
    place(Label10, 360, 600, 5520, 420);
    ListImmaginiDisponibili = wordList("ListImmaginiDisponibili");
    place(ListImmaginiDisponibili, 360, 1020, 5520, 6240);
    Label9 = captioned<QLabel>(FrameCreaNuovaLista, "Label9", "Parole inserite nella lista");
    place(Label9, 7620, 600, 5520, 420);
    ListImmaginiDaUtilizzare = wordList("ListImmaginiDaUtilizzare");
    place(ListImmaginiDaUtilizzare, 7620, 1020, 5520, 6240);

    Command1 = captioned<QPushButton>(FrameCreaNuovaLista, "Command1", "→");
    place(Command1, 6120, 2760, 1260, 960);
    Command2 = captioned<QPushButton>(FrameCreaNuovaLista, "Command2", "←");
    place(Command2, 6120, 4080, 1260, 960);
    for (QPushButton* arrow : {Command1, Command2})
        arrow->setFont(designFont(QStringLiteral("Arial"), 26, true));

    Label8 = captioned<QLabel>(
        FrameCreaNuovaLista, "Label8",
        "Per spostare le parole da una lista all'altra selezionale e premi una delle due frecce.");
    Label8->setWordWrap(true);
    place(Label8, 360, 7440, 12780, 720);
    CommandSvuotaLista =
        captioned<QPushButton>(FrameCreaNuovaLista, "CommandSvuotaLista", "Svuota lista");
    place(CommandSvuotaLista, 360, 8580, 3000, 720);
    CommandSalvaLista =
        captioned<QPushButton>(FrameCreaNuovaLista, "CommandSalvaLista", "Salva lista");
    place(CommandSalvaLista, 3600, 8580, 3000, 720);
    Command7 = captioned<QPushButton>(FrameCreaNuovaLista, "Command7", "Chiudi");
    place(Command7, 10140, 8580, 3000, 720);
    FrameCreaNuovaLista->hide();
}

void FormConfigura::createWaitingNotice()
{
    Picture1 = named(new QFrame(area()), "Picture1");
    Picture1->setFrameStyle(QFrame::Box | QFrame::Plain);
    Picture1->setLineWidth(2);
    Picture1->setAutoFillBackground(true);
    place(Picture1, 3750, 4050, 6000, 1800);
    Label5 =
        captioned<QLabel>(Picture1, "Label5", "Attendere : sto caricando la lista delle immagini");
    Label5->setAlignment(Qt::AlignCenter);
    Label5->setWordWrap(true);
    Label5->setFont(designFont(QStringLiteral("Arial"), 14, true));
    place(Label5, 120, 120, 5760, 1560);
    Picture1->hide();
}

} // namespace ortolino
