#pragma once

#include "core/app/Program.h"
#include "core/platform/Random.h"
#include "gui/exercise/lettere.h"
#include "gui/widgets/WindowManager.h"
#include "support/Doubles.h"
#include "support/TestEnvironment.h"
#include "support/WindowTesting.h"

#include <gtest/gtest.h>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

namespace ortolino::test {

// The exercise window driven through the window manager, on the shipped
// Italian language, with pictures of its own and every seam a double.
class LettereTest : public ::testing::Test
{
protected:
    LettereTest();
    ~LettereTest() override;

    // A small real picture (wide or tall) in the picture folder.
    void addPicture(const QString& fileName, QSize size = QSize(40, 20))
    {
        writePicture(env, QStringLiteral("immagini/") + fileName, size);
    }
    void activate(const QString& letters);
    // A stand-in for the main menu, so that "&Esci" has somewhere to go.
    void registerMenu();

    lettere* open()
    {
        window = qobject_cast<lettere*>(windows.show(QStringLiteral("lettere")));
        return window;
    }
    // Closes the window and lets Qt delete it.
    void close();
    static void settle(); // lets a switch's release become final

    QPushButton* key(int index) const
    {
        return test::control<QPushButton>(window, "tastiera", index);
    }
    QPushButton* avanti() const { return test::control<QPushButton>(window, "BottoneAvanti"); }
    QWidget* control(const char* name) const { return test::control(window, name); }
    QLabel* label(const char* name) const { return test::control<QLabel>(window, name); }
    QString caption() const { return label("Label1")->text(); }
    QString word() const
    {
        return state.ParoleDisponibili[static_cast<size_t>(state.IndiceParola)];
    }
    QColor keyColour(int index) const { return key(index)->palette().color(QPalette::Button); }
    // The letters still missing, in order.
    QStringList missingLetters() const;
    int keyOf(const QString& letter) const;

    // One letter chosen the way each mode chooses it.
    void chooseByKeyboard(const QString& letter);
    void chooseByManualScan(const QString& letter);
    void chooseByAutomaticScan(const QString& letter);
    void completeWord();
    void switchClick(QWidget* target, Qt::Key key);

    TestEnvironment env;
    TestServices seams;
    Program program;
    ProgramState& state;
    SystemRandom random; // seeded: every run draws the same words
    RecordingAgent& agent = seams.agent;
    WindowManager windows{program};
    QPointer<lettere> window;
};

} // namespace ortolino::test
