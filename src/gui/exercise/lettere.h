#pragma once

#include "core/exercise/ExerciseView.h"
#include "core/exercise/Scanning.h"
#include "gui/widgets/AuditoryScan.h"
#include "gui/widgets/Form.h"

#include <array>
#include <memory>
#include <optional>
#include <QFont>
#include <QPalette>
#include <QPointer>
#include <QRect>
#include <QVariantAnimation>
#include <vector>

class QAction;
class QFrame;
class QLabel;
class QPushButton;
class QTimer;

namespace ortolino {

class ExerciseEngine;
class FittedLabel;
class Personaggio;
class PictureBox;
class ShapeControl;
class SolidButton;
class SwitchBox;

// The exercise window: the picture, the masked word, the 26 letter keys with
// "avanti", the counters, the help balloon and the speaking character. It is
// a thin view over ExerciseEngine (turns and checking) and KeyboardInput (the
// three input modes), which decide everything; the window maps clicks, keys
// and timer ticks to them and shows what they ask.
//
// Loading prepares the keys and the character only; the exercise starts at
// activation.
class lettere : public Form, private ExerciseView, private ScanView
{
    Q_OBJECT
public:
    lettere(Program& program, WindowManager& windows);
    ~lettere() override;

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload() override;

    // One tick of Timer1 (tests call it rather than wait for it).
    void Timer1_Timer();
    int TastoCorrente() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    class Handling;

    void createPictureArea();
    void createCounters();
    void createKeyboard();
    void createScanning();
    void createMenus();

    void placeCompactKeyboard();
    void CaricaPersonaggio();
    void PresentaPersonaggio();
    void moveCharacter();
    void praise();
    void settlePraise();
    void endFlash();
    void fitTexts();
    void applyColours();
    void setPointers();
    void startScanning();
    void mnuEsci_Click();

    // Keys that reach the window itself: typed letters, or switches whose box
    // had lost the focus.
    bool forwardToSwitchBox(QKeyEvent* event);
    void forgetTypedKeys();
    SwitchBox* activeSwitchBox() const;
    void placeFrame(QWidget* target);
    // The scan's mark reached a key or "avanti": heard when auditory scanning is on.
    void markReached(QWidget* target);
    void enlarge(QWidget* target);
    void restoreEnlarged();

    // ExerciseView.
    void setWordCaption(const QString& caption) override;
    void setWholeWord(const QString& word) override;
    void showPicture(const QString& path) override;
    bool canShowPicture(const QString& path) const override;
    void showOutcome(bool right) override;
    void showCounters(int right, int wrong) override;
    void setBalloonText(const QString& text) override;
    void setBalloonVisible(bool visible) override;
    void setBackground(Colore colour) override;
    void colourKey(int key, Colore colour) override;
    void placeFrameOnAvanti() override;
    void colourAvanti(Colore colour) override;
    void setAvantiEnabled(bool enabled) override;
    void focusAvanti() override;
    void endExercise() override;
    void showWaitingNotice() override;
    void hideWaitingNotice() override;

    // ScanView.
    void placeFrameOnKey(int key) override;
    void focusSwitchBox() override;
    void runTimer1(bool running) override;
    void setTimer1Interval(int ms) override;
    void showPaused(bool paused) override;
    void showAsking(bool asking) override;
    // The scan position's widget: a key, or the "back to the menu" target.
    SolidButton* scanTarget(int position) const;

    PictureBox* picture_ = nullptr;
    QFrame* pictureFrame_ = nullptr;
    FittedLabel* word_ = nullptr;
    std::array<SolidButton*, kNumeroTasti> keys_{};
    SolidButton* avanti_ = nullptr;
    SolidButton* backToMenu_ = nullptr; // a scan target after the keys, when on
    QString menuCaption_;               // its caption as translated, while it asks
    QLabel* pauseSign_ = nullptr;       // the automatic scan is paused
    FittedLabel* rightCaption_ = nullptr;
    FittedLabel* rightCount_ = nullptr;
    FittedLabel* wrongCaption_ = nullptr;
    FittedLabel* wrongCount_ = nullptr;
    PictureBox* rightIcon_ = nullptr;
    QPointer<QVariantAnimation> praising_;    // the tick's growth, while it runs
    std::optional<QPalette> bandBeforeFlash_; // the word's band, while it flashes
    PictureBox* wrongIcon_ = nullptr;
    FittedLabel* balloon_ = nullptr;
    QWidget* characterPlace_ = nullptr;
    QFont keysFont_; // the keys' face, fitted to the keys at every size
    QFrame* waitingNotice_ = nullptr;
    QLabel* waitingText_ = nullptr;
    SwitchBox* manualSwitch_ = nullptr;
    SwitchBox* autoSwitch_ = nullptr;
    ShapeControl* scanFrame_ = nullptr;
    QLabel* fontGauge_ = nullptr;
    QTimer* scanTimer_ = nullptr;
    SwitchKeys typing_; // keys typed in mode 0, held keys counted once
    QTimer* typingRepeatWindow_ = nullptr;
    QAction* resetAction_ = nullptr;
    QAction* colourAction_ = nullptr;
    QAction* greyAction_ = nullptr;
    QAction* exitAction_ = nullptr;

    std::unique_ptr<ExerciseEngine> engine_;
    std::unique_ptr<KeyboardInput> input_;
    std::unique_ptr<Personaggio> personaggio_;
    QWidget* frameTarget_ = nullptr; // what the scan frame surrounds
    AuditoryScan auditory_;
    QPointer<QWidget> enlarged_;    // the marked control, grown
    QRect enlargedFrom_;            // its own place
    QFont enlargedFont_;            // and its own caption's size
    std::vector<int> compactOrder_; // the keys of the compact keyboard, in order; empty: design
    int handling_ = 0;              // handlers of this window on the stack
    bool deleteWhenIdle_ = false;
    bool activated_ = false;
    bool characterShown_ = false;
    bool unloaded_ = false;
};

} // namespace ortolino
