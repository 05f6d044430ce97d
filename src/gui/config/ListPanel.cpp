#include "gui/config/ListPanel.h"

#include "core/app/Profile.h"
#include "core/app/Program.h"
#include "core/config/WordListEditor.h"
#include "core/platform/Dialogs.h"
#include "core/platform/DocumentOpener.h"
#include "core/platform/TextFiles.h"
#include "core/words/WordCatalogue.h"
#include "gui/config/FormConfigura.h"
#include "gui/widgets/Accessibility.h"
#include "gui/widgets/Colors.h"
#include "gui/widgets/Controls.h"
#include "gui/widgets/FittedText.h"

#include <QCheckBox>
#include <QColor>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPalette>
#include <QPushButton>

namespace ortolino {

namespace {

const QString kEstensioneLista = QStringLiteral("txt");
const FileFilter kFiltroListe{QString(), QStringLiteral("*.txt")};
// A word that cannot serve this user (shown in italic): the list's text
// colour taken most of the way to its background, so that it stays readable
// on a dark desktop's lists too (a fixed grey read at 2.7:1 there).
QColor coloreParolaEsclusa(const QPalette& palette)
{
    return mixed(palette.color(QPalette::Text), palette.color(QPalette::Base), 45);
}

constexpr ControlDesign kPanelDesign[] = {
    {"Frame4", -1, "File in uso", 240, 120, 8160, 2640},
    {"Check2", -1, "Usa tutte le immagini disponibili", 240, 360, 3960, 480},
    {"LabelListaInUso", -1, nullptr, 240, 900, 3960, 840},
    {"CommandCambiaListaInUso", -1, "Lista in uso", 4320, 360, 3600, 600},
    {"CommandModificaListaInUso", -1, "Modifica la lista in uso", 4320, 1080, 3600, 600},
    {"CommandCreaLista", -1, "Crea altri files con liste parole", 4320, 1800, 3600, 600},
    {"CommandImmaginiProprie", -1, "Aggiungi le tue immagini", 240, 1800, 3960, 600},
};

constexpr ControlDesign kEditorDesign[] = {
    {"FrameCreaNuovaLista", -1, "Creazione di nuovi files di liste parole", 0, 0, 13500, 9900},
    {"Label10", -1, "Parole utilizzabili (immagini a disposizione)", 360, 600, 5520, 420},
    {"ListImmaginiDisponibili", -1, nullptr, 360, 1020, 5520, 5760},
    {"Label9", -1, "Parole inserite nella lista", 7620, 600, 5520, 420},
    {"ListImmaginiDaUtilizzare", -1, nullptr, 7620, 1020, 5520, 5760},
    {"LabelParoleAdatte", -1, nullptr, 7620, 6840, 5520, 480},
    {"Command1", -1, "→", 6120, 2760, 1260, 960},
    {"Command2", -1, "←", 6120, 4080, 1260, 960},
    {"Label8", -1,
     "Per spostare le parole da una lista all'altra selezionale e premi una delle due frecce.", 360,
     7440, 12780, 720},
    {"CommandSvuotaLista", -1, "Svuota lista", 360, 8580, 3000, 720},
    {"CommandSalvaLista", -1, "Salva lista", 3600, 8580, 3000, 720},
    {"Command7", -1, "Chiudi", 10140, 8580, 3000, 720},
    {"Picture1", -1, nullptr, 3750, 4050, 6000, 1800},
    {"Label5", -1, "Attendere : sto caricando la lista delle immagini", 120, 120, 5760, 1560},
};

QStringList paroleDi(const QListWidget* list)
{
    QStringList words;
    for (int i = 0; i < list->count(); ++i)
        words << list->item(i)->text();
    return words;
}

} // namespace

// ---- "File in uso" ----

ListPanel::ListPanel(FormConfigura& window, QWidget* page, QWidget* area)
    : ConfigPanel(window, kPanelDesign)
{
    frame_ = make<FittedGroupBox>(page, "Frame4");
    everyPicture_ = make<QCheckBox>(frame_, "Check2");
    listInUse_ = make<QLabel>(frame_, "LabelListaInUso");
    listInUse_->setWordWrap(true);
    listInUse_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    listInUse_->setFont(designFont(QStringLiteral("Arial"), 9));
    chooseList_ = make<QPushButton>(frame_, "CommandCambiaListaInUso");
    editList_ = make<QPushButton>(frame_, "CommandModificaListaInUso");
    newList_ = make<QPushButton>(frame_, "CommandCreaLista");
    ownPictures_ = make<QPushButton>(frame_, "CommandImmaginiProprie");
    editor_ = new ListEditor(window, area, [this] { useList(); });

    connect(everyPicture_, &QCheckBox::toggled, this, &ListPanel::Check2_Click);
    connect(chooseList_, &QPushButton::clicked, this, &ListPanel::CommandCambiaListaInUso_Click);
    connect(editList_, &QPushButton::clicked, editor_, &ListEditor::openOnListInUse);
    connect(newList_, &QPushButton::clicked, editor_, &ListEditor::openNew);
    connect(ownPictures_, &QPushButton::clicked, this, &ListPanel::openOwnPictures);
}

bool ListPanel::closeEditor()
{
    return editor_->close();
}

void ListPanel::showState()
{
    const ProgramState& s = state();
    everyPicture_->setChecked(s.UsaTutteLeImmagini);
    showList();
    // The teacher's own pictures folder follows the language, not the list.
    const QString own = cartelleImmagini(program().env, s).own;
    ownPictures_->setToolTip(own);
    ownPictures_->setEnabled(!own.isEmpty()); // a language without a pictures folder
}

// The list in use by its file name, its whole path (which the profile keeps)
// in the tooltip; nothing while every picture is chosen.
void ListPanel::showList()
{
    const ProgramState& s = state();
    const bool named = !s.UsaTutteLeImmagini && !s.ListaInUso.isEmpty();
    listInUse_->setText(named ? listaMostrata(program().env, s, testo("0247")) : QString());
    listInUse_->setToolTip(named ? listaPerLaLingua(program().env, s) : QString());
}

QList<QWidget*> ListPanel::colouredControls() const
{
    return {frame_, everyPicture_};
}

void ListPanel::Check2_Click(bool checked)
{
    ProgramState& s = state();
    s.UsaTutteLeImmagini = checked;
    showList();
}

void ListPanel::CommandCambiaListaInUso_Click()
{
    QString chosen;
    if (Dialogs* dialogs = program().services.dialogs) {
        chosen =
            dialogs->ShowFileDialog(&window(), Dialogs::Open, testo("0239"), QString(),
                                    {kFiltroListe, {testo("0240"), QStringLiteral("*.*")}},
                                    cartellaListeDialoghi(program().env, state(), Dialogs::Open),
                                    kEstensioneLista, cartelleListe(program().env, state()));
    }
    if (chosen.isEmpty()) {
        // Nothing chosen: the list in use stays as it was.
        avvisa(testo("0011"));
        return;
    }
    if (!percorsoListaSalvabile(chosen)) {
        avvisa(testo("0210") + QLatin1Char('\n') + chosen);
        return;
    }
    // A file she cannot read (no permission, too large for a list, not a
    // plain file) would leave every picture in use behind her back.
    if (!readFileBytes(chosen, kListaDimensioneMassima)) {
        avvisa(testo("0228") + QLatin1Char('\n') + chosen);
        return;
    }
    state().ListaInUso = chosen;
    useList();
}

// The teacher's own pictures join the program's (which an installed program
// cannot change): her folder, made when missing, opens in the file manager.
// Without one, the message says where the pictures go and how to name them.
void ListPanel::openOwnPictures()
{
    const QString folder = cartelleImmagini(program().env, state()).own;
    QDir().mkpath(folder);
    ApriDocumento(program().services.documents, program().services.messages, folder, testo("0248"));
}

// A list the teacher chose or saved is the list in use: "all pictures" is
// unticked (the teacher can tick it again).
void ListPanel::useList()
{
    state().UsaTutteLeImmagini = false;
    everyPicture_->setChecked(false);
    showList();
}

// ---- the editor ----

ListEditor::ListEditor(FormConfigura& window, QWidget* area, std::function<void()> saved)
    : ConfigPanel(window, kEditorDesign), saved_(std::move(saved))
{
    editor_ = make<FittedGroupBox>(area, "FrameCreaNuovaLista");
    editor_->setAutoFillBackground(true);
    auto wordList = [this](const char* name) {
        auto* list = make<QListWidget>(editor_, name);
        list->setSelectionMode(QAbstractItemView::ExtendedSelection);
        list->setFont(designFont(QStringLiteral("Arial"), 13));
        return list;
    };
    auto* availableLabel = makeCaption(editor_, "Label10");
    available_ = wordList("ListImmaginiDisponibili");
    auto* inListLabel = makeCaption(editor_, "Label9");
    inList_ = wordList("ListImmaginiDaUtilizzare");
    tieLabel(availableLabel, available_); // a screen reader reads each list with its label
    tieLabel(inListLabel, inList_);
    fitCount_ = make<FittedLabel>(editor_, "LabelParoleAdatte"); // one line, however long
    add_ = make<QPushButton>(editor_, "Command1");
    remove_ = make<QPushButton>(editor_, "Command2");
    for (QPushButton* arrow : {add_, remove_})
        arrow->setFont(designFont(QStringLiteral("Arial"), 26, true));
    make<QLabel>(editor_, "Label8")->setWordWrap(true);
    empty_ = make<QPushButton>(editor_, "CommandSvuotaLista");
    save_ = make<QPushButton>(editor_, "CommandSalvaLista");
    close_ = make<QPushButton>(editor_, "Command7");
    editor_->hide();

    waitingNotice_ = make<QFrame>(area, "Picture1");
    waitingNotice_->setFrameStyle(QFrame::Box | QFrame::Plain);
    waitingNotice_->setLineWidth(2);
    waitingNotice_->setAutoFillBackground(true);
    auto* waiting = make<QLabel>(waitingNotice_, "Label5");
    waiting->setAlignment(Qt::AlignCenter);
    waiting->setWordWrap(true);
    waiting->setFont(designFont(QStringLiteral("Arial"), 14, true));
    waitingNotice_->hide();

    connect(add_, &QPushButton::clicked, this, [this] { sposta(available_, inList_); });
    connect(remove_, &QPushButton::clicked, this, [this] { sposta(inList_, available_); });
    connect(empty_, &QPushButton::clicked, this, &ListEditor::TrovaImmagini);
    connect(save_, &QPushButton::clicked, this, &ListEditor::CommandSalvaLista_Click);
    connect(close_, &QPushButton::clicked, this, &ListEditor::close);
}

void ListEditor::show()
{
    opener_ = editor_->window()->focusWidget();
    coverWindow(true);
    editor_->show();
    editor_->raise();
    available_->setFocus(); // not left on the button now hidden
}

// Under the editor the window's other controls take no keys: Tab went on
// unseen through the tab strip and the page below it, where Space ticked
// and pressed what the teacher could not see.
void ListEditor::coverWindow(bool covered)
{
    for (QWidget* control :
         editor_->parentWidget()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (control != editor_ && control != waitingNotice_)
            control->setEnabled(!covered);
    }
}

void ListEditor::openOnListInUse()
{
    show();
    CaricaListaInUso(program().env, state(), this);
    riempiEditor(editorSullaLista(PictureFolder(pictureFolders()), program().env, state()));
    keptWords_ = paroleDi(inList_);
    segnalaImmaginiInAltroFormato();
}

void ListEditor::openNew()
{
    show();
    TrovaImmagini();
    keptWords_.clear();
    segnalaImmaginiInAltroFormato();
}

// Pictures she put in her folder as .png or .jpeg would otherwise be missing
// from the words on the left without a word why.
void ListEditor::segnalaImmaginiInAltroFormato()
{
    constexpr qsizetype kNomiMostrati = 8;
    QStringList names = immaginiInAltroFormato(pictureFolders().own);
    if (names.isEmpty())
        return;
    if (names.size() > kNomiMostrati)
        names = names.first(kNomiMostrati) << QStringLiteral("…");
    Message notice;
    notice.text = testo("0227").arg(names.join(QStringLiteral(", ")));
    notice.icon = Message::Icon::Information;
    mostra(notice);
}

// Closing throws the list away: a list the teacher built and did not save
// is closed only when the teacher says so.
bool ListEditor::close()
{
    if (!editor_->isVisible())
        return true;
    if (paroleDi(inList_) != keptWords_ &&
        mostra(destructiveQuestion(testo("0223"))) != MessageBoxes::Answer::Yes)
        return false;
    editor_->hide();
    coverWindow(false);
    if (opener_)
        opener_->setFocus();
    return true;
}

PictureFolders ListEditor::pictureFolders() const
{
    return cartelleImmagini(program().env, state());
}

void ListEditor::TrovaImmagini()
{
    riempiEditor(editorVuoto(PictureFolder(pictureFolders())));
}

void ListEditor::riempiEditor(const ParoleEditor& parole)
{
    available_->clear();
    inList_->clear();
    available_->addItems(parole.disponibili);
    inList_->addItems(parole.inLista);
    noPicture_ = parole.senzaImmagine;
    segnaParole();
}

// Marks the words the current user will never be given (too long, no letter
// of the keyboard, or no picture here) and counts those of the list that fit.
void ListEditor::segnaParole()
{
    for (QListWidget* side : {available_, inList_}) {
        for (int i = 0; i < side->count(); ++i) {
            QListWidgetItem* item = side->item(i);
            const bool pictured = !noPicture_.contains(item->text());
            const bool fits = pictured && parolaPerUtente(state(), item->text());
            const QString why = fits ? QString() : testo(pictured ? "0222" : "0225");
            QFont font = item->font();
            font.setItalic(!fits);
            item->setFont(font);
            item->setForeground(fits ? side->palette().text()
                                     : QBrush(coloreParolaEsclusa(side->palette())));
            item->setToolTip(why);
            item->setData(Qt::AccessibleDescriptionRole, why);
        }
    }
    const QStringList words = paroleDi(inList_);
    QStringList pictured = words;
    pictured.removeIf([this](const QString& word) { return noPicture_.contains(word); });
    // One word that fits is said in the singular ("1 parola ... va bene").
    const int fit = contaParolePerUtente(state(), pictured);
    fitCount_->setText(testo(fit == 1 ? "0215" : "0221").arg(fit).arg(words.size()));
}

void ListEditor::sposta(QListWidget* from, QListWidget* to)
{
    QList<int> selected;
    for (int i = 0; i < from->count(); ++i) {
        if (from->item(i)->isSelected())
            selected << i;
    }
    QStringList fromWords = paroleDi(from);
    QStringList toWords = paroleDi(to);
    spostaParole(fromWords, toWords, selected);
    from->clear();
    from->addItems(fromWords);
    to->clear();
    to->addItems(toWords);
    segnaParole();
}

void ListEditor::CommandSalvaLista_Click()
{
    if (inList_->count() == 0) {
        Message message;
        message.text = testo("0012");
        mostra(message);
        return;
    }
    Dialogs* dialogs = program().services.dialogs;
    const QString chosen =
        dialogs == nullptr
            ? QString()
            : dialogs->ShowFileDialog(&window(), Dialogs::Save, testo("0238"),
                                      QStringLiteral("*.txt"), {kFiltroListe},
                                      cartellaListeDialoghi(program().env, state(), Dialogs::Save),
                                      kEstensioneLista, cartelleListe(program().env, state()));
    if (chosen.isEmpty())
        return; // the list in use stays
    const QString percorso = percorsoScritturaLista(program().env, chosen);
    if (!percorsoListaSalvabile(percorso)) {
        avvisa(testo("0210") + QLatin1Char('\n') + percorso);
        return;
    }
    if (!scriviListaParole(percorso, paroleDi(inList_))) {
        avvisa(testo("0205") + QLatin1Char('\n') + percorso);
        return;
    }
    state().ListaInUso = percorso;
    keptWords_ = paroleDi(inList_);
    saved_();
}

void ListEditor::showWaitingNotice()
{
    waitingNotice_->show();
    waitingNotice_->raise();
    waitingNotice_->repaint();
}

void ListEditor::hideWaitingNotice()
{
    waitingNotice_->hide();
}

} // namespace ortolino
