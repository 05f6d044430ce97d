// Word lists: the list in use and the editor that builds list files from
// the words that have a picture.
#include "core/app/Program.h"
#include "core/config/WordListEditor.h"
#include "core/platform/Dialogs.h"
#include "core/words/WordCatalogue.h"
#include "gui/config/FormConfigura.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace ortolino {

namespace {

const QString kEstensioneLista = QStringLiteral("txt");
const FileFilter kFiltroListe{QString(), QStringLiteral("*.txt")};

QStringList paroleDi(const QListWidget* list)
{
    QStringList words;
    for (int i = 0; i < list->count(); ++i)
        words << list->item(i)->text();
    return words;
}

} // namespace

void FormConfigura::connectEditorHandlers()
{
    connect(Check2, &QCheckBox::toggled, this, &FormConfigura::Check2_Click);
    connect(CommandCambiaListaInUso, &QPushButton::clicked, this,
            &FormConfigura::CommandCambiaListaInUso_Click);
    connect(CommandModificaListaInUso, &QPushButton::clicked, this,
            &FormConfigura::CommandModificaListaInUso_Click);
    connect(CommandCreaLista, &QPushButton::clicked, this, &FormConfigura::CommandCreaLista_Click);
    connect(Command1, &QPushButton::clicked, this,
            [this] { sposta(ListImmaginiDisponibili, ListImmaginiDaUtilizzare); });
    connect(Command2, &QPushButton::clicked, this,
            [this] { sposta(ListImmaginiDaUtilizzare, ListImmaginiDisponibili); });
    connect(CommandSvuotaLista, &QPushButton::clicked, this, &FormConfigura::TrovaImmagini);
    connect(CommandSalvaLista, &QPushButton::clicked, this,
            &FormConfigura::CommandSalvaLista_Click);
    connect(Command7, &QPushButton::clicked, FrameCreaNuovaLista, &QWidget::hide);
}

void FormConfigura::Check2_Click(bool checked)
{
    ProgramState& s = state();
    s.UsaTutteLeImmagini = checked;
    LabelListaInUso->setText(checked ? QString() : s.ListaInUso);
}

void FormConfigura::CommandCambiaListaInUso_Click()
{
    QString chosen;
    if (Dialogs* dialogs = program().services.dialogs) {
        chosen = dialogs->ShowFileDialog(
            this, Dialogs::Open, QStringLiteral("Open"), QString(),
            {kFiltroListe, {QStringLiteral("Tutti i files"), QStringLiteral("*.*")}},
            cartellaListeDialoghi(program().env, state()), kEstensioneLista);
    }
    if (chosen.isEmpty()) {
        // Nothing chosen: the list in use stays as it was.
        avvisa(testo("0011"));
        return;
    }
    state().ListaInUso = chosen;
    LabelListaInUso->setText(chosen);
}

void FormConfigura::mostraEditor()
{
    FrameCreaNuovaLista->show();
    FrameCreaNuovaLista->raise();
}

void FormConfigura::CommandModificaListaInUso_Click()
{
    mostraEditor();
    CaricaListaInUso(program().env, state(), this);
    TrovaImmagini2();
}

void FormConfigura::CommandCreaLista_Click()
{
    mostraEditor();
    TrovaImmagini();
}

QString FormConfigura::cartellaImmagini() const
{
    return cartellaImmaginiPath(program().env, state());
}

void FormConfigura::TrovaImmagini()
{
    riempiEditor(editorVuoto(PictureFolder(cartellaImmagini())));
}

void FormConfigura::TrovaImmagini2()
{
    riempiEditor(editorSullaLista(PictureFolder(cartellaImmagini()), state()));
}

void FormConfigura::riempiEditor(const ParoleEditor& parole)
{
    ListImmaginiDisponibili->clear();
    ListImmaginiDaUtilizzare->clear();
    ListImmaginiDisponibili->addItems(parole.disponibili);
    ListImmaginiDaUtilizzare->addItems(parole.inLista);
}

void FormConfigura::sposta(QListWidget* from, QListWidget* to)
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
}

bool FormConfigura::SalvaFile(const QString& percorso)
{
    return scriviListaParole(percorso, paroleDi(ListImmaginiDaUtilizzare));
}

void FormConfigura::CommandSalvaLista_Click()
{
    if (ListImmaginiDaUtilizzare->count() == 0) {
        Message message;
        message.text = testo("0012");
        mostra(message);
        return;
    }
    Dialogs* dialogs = program().services.dialogs;
    const QString chosen =
        dialogs == nullptr ? QString()
                           : dialogs->ShowFileDialog(this, Dialogs::Save, QStringLiteral("Salva"),
                                                     QStringLiteral("*.txt"), {kFiltroListe},
                                                     cartellaListeDialoghi(program().env, state()),
                                                     kEstensioneLista);
    if (chosen.isEmpty())
        return; // the list in use stays
    const QString percorso = percorsoScritturaLista(program().env, chosen);
    if (!SalvaFile(percorso)) {
        avvisa(testo("0205") + QLatin1Char('\n') + percorso);
        return;
    }
    state().ListaInUso = percorso;
    LabelListaInUso->setText(percorso);
}

void FormConfigura::showWaitingNotice()
{
    Picture1->show();
    Picture1->raise();
    Picture1->repaint();
}

void FormConfigura::hideWaitingNotice()
{
    Picture1->hide();
}

} // namespace ortolino
