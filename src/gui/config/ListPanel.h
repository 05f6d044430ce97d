#pragma once

#include "core/words/WaitingNotice.h"
#include "gui/config/ConfigPanel.h"

#include <functional>
#include <QPointer>
#include <QSet>
#include <QStringList>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace ortolino {

struct ParoleEditor;
struct PictureFolders;

// The word-list editor, over the whole window: builds list files from the
// words that have a picture, with the waiting notice shown while the picture
// folder is read.
class ListEditor : public ConfigPanel, private WaitingNotice
{
public:
    // `saved` is told of each list written, which is then ListaInUso.
    ListEditor(FormConfigura& window, QWidget* area, std::function<void()> saved);

    // Opens the editor on an empty list or on the list in use.
    void openNew();
    void openOnListInUse();
    // Hides the editor; a list changed since it was opened or saved is
    // thrown away only when the teacher agrees. False when the editor stays.
    bool close();

private:
    void show();
    void coverWindow(bool covered);
    void TrovaImmagini();
    void riempiEditor(const ParoleEditor& parole);
    void segnalaImmaginiInAltroFormato();
    void segnaParole();
    void sposta(QListWidget* from, QListWidget* to);
    void CommandSalvaLista_Click();
    PictureFolders pictureFolders() const;
    void showWaitingNotice() override;
    void hideWaitingNotice() override;

    std::function<void()> saved_;
    QGroupBox* editor_ = nullptr;
    QListWidget* available_ = nullptr;
    QListWidget* inList_ = nullptr;
    QLabel* fitCount_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* remove_ = nullptr;
    QPushButton* empty_ = nullptr;
    QPushButton* save_ = nullptr;
    QPushButton* close_ = nullptr;
    QFrame* waitingNotice_ = nullptr;
    QPointer<QWidget> opener_; // the control that had the focus, which has it back
    QStringList keptWords_;    // the list as opened or last saved
    QSet<QString> noPicture_;  // words of the list in use without a picture here
};

// "File in uso" on the tab "Scelte didattiche": every picture or a word list,
// which list, the way into the editor and into the teacher's own pictures.
class ListPanel : public ConfigPanel
{
public:
    ListPanel(FormConfigura& window, QWidget* page, QWidget* area);

    void showState() override;
    QList<QWidget*> colouredControls() const override;
    // See ListEditor::close.
    bool closeEditor();

private:
    void Check2_Click(bool checked);
    void useList();
    void showList();
    void CommandCambiaListaInUso_Click();
    void openOwnPictures();

    QGroupBox* frame_ = nullptr;
    QCheckBox* everyPicture_ = nullptr;
    QLabel* listInUse_ = nullptr;
    QPushButton* chooseList_ = nullptr;
    QPushButton* editList_ = nullptr;
    QPushButton* newList_ = nullptr;
    QPushButton* ownPictures_ = nullptr;
    ListEditor* editor_ = nullptr;
};

} // namespace ortolino
