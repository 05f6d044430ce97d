#pragma once

#include "core/platform/Colore.h"
#include "core/platform/MessageBoxes.h"

#include <optional>
#include <QList>
#include <QObject>
#include <span>

class QScrollBar;
class QWidget;

namespace ortolino {

class Form;
class FittedLabel;
class FormConfigura;
class Program;
struct BarRange;
struct ProgramState;

// One row of a design table: a control's design name (and its index in a
// control array, -1 for a single control), its design caption (nullptr for
// none) and its rectangle in twips of its parent.
struct ControlDesign
{
    const char* name;
    int index;
    const char* caption;
    int left;
    int top;
    int width;
    int height;
};

// Gives a new control its design name, caption and place from its row of the
// table. A control without a row is a programming error and stops the program.
void applyDesign(const Form& window, std::span<const ControlDesign> design, QWidget* control,
                 const char* name, int index = -1);

// A part of the configuration window: it owns its controls, their placement
// and their handlers, and shows the program state in them. Every control
// writes the state at once; what affects other parts asks the window to show
// the whole state again.
class ConfigPanel : public QObject
{
public:
    ConfigPanel(FormConfigura& window, std::span<const ControlDesign> design);

    // Copies the program state into the panel's controls.
    virtual void showState() {}
    // The controls painted with the background colour.
    virtual QList<QWidget*> colouredControls() const { return {}; }

protected:
    // A new control of the panel, named, captioned and placed from the table.
    template <typename Control> Control* make(QWidget* parent, const char* name, int index = -1)
    {
        auto* control = new Control(parent);
        ortolino::applyDesign(windowForm(), design_, control, name, index);
        return control;
    }
    // A one-line caption beside the control it names, drawn smaller when the
    // window is too small for its font.
    FittedLabel* makeCaption(QWidget* parent, const char* name);
    // A horizontal scroll bar over a setting's range, moving `page` a click.
    QScrollBar* makeBar(QWidget* parent, const char* name, const BarRange& range, int page);
    // Shows a setting on its bar, brought into the bar's range first.
    static void showOnBar(QScrollBar* bar, int& setting, const BarRange& range);
    void place(QWidget* control, int left, int top, int width, int height) const;

    FormConfigura& window() const { return window_; }
    const Form& windowForm() const;
    Program& program() const;
    ProgramState& state() const;
    QString testo(const char* key) const;
    MessageBoxes::Answer mostra(const Message& message) const;
    void avvisa(const QString& text) const; // critical icon, OK
    // The colour dialog; nothing when it was cancelled or there is none.
    std::optional<Colore> chooseColour(Colore current) const;
    // Shows the whole state again, after a change that reaches other parts.
    void showWholeState() const;

private:
    FormConfigura& window_;
    std::span<const ControlDesign> design_;
};

} // namespace ortolino
