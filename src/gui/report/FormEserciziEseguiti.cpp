#include "gui/report/FormEserciziEseguiti.h"

#include "core/app/Program.h"
#include "core/app/Users.h"
#include "core/platform/MessageBoxes.h"
#include "core/report/ReportSave.h"
#include "gui/report/ReportBox.h"
#include "gui/report/ReportPrinting.h"
#include "gui/widgets/Controls.h"
#include "gui/widgets/PrinterTarget.h"
#include "gui/widgets/WindowManager.h"
#include "gui/widgets/WordWrapButton.h"

#include <QCloseEvent>
#include <QDate>
#include <QMenuBar>
#include <QPrinter>
#include <QTextEdit>

namespace ortolino {

namespace {

const QString kProgressi = QStringLiteral("FormProgressi");
constexpr Margins kOneInchMargins{1440, 1440, 1440, 1440}; // twips from the paper's edge

} // namespace

FormEserciziEseguiti::FormEserciziEseguiti(Program& program, WindowManager& windows)
    : Form(QStringLiteral("FormEserciziEseguiti"), program, windows, QSize(7740, 5970))
{
    setWindowTitle(QStringLiteral("Form1"));

    report_ = named(new QTextEdit(area()), "RichTextBox1");
    report_->setFont(designFont(QStringLiteral("Arial"), 14.5));
    report_->setPlainText(QStringLiteral("RichTextBox1"));
    // Tab goes on to the buttons: it wrote a tab into the report, so that a
    // teacher without a mouse could neither print nor save, and her report changed.
    report_->setTabChangesFocus(true);
    place(report_, 240, 120, 5295, 5655);

    connect(addButton("Command1", QStringLiteral("Stampa"), 1200), &QPushButton::clicked, this,
            &FormEserciziEseguiti::Command1_Click);
    connect(addButton("Command2", QStringLiteral("Salva"), 2520), &QPushButton::clicked, this,
            &FormEserciziEseguiti::Command2_Click);
    connect(addButton("Command3", QStringLiteral("Inserisci informazioni configurazione"), 3840),
            &QPushButton::clicked, this, &FormEserciziEseguiti::Command3_Click);
    connect(addButton("Command4", QStringLiteral("&Progressi"), 4920), &QPushButton::clicked, this,
            &FormEserciziEseguiti::Command4_Click);
    connect(named(menuBar()->addAction(QStringLiteral("&Esci")), "mnuEsci"), &QAction::triggered,
            this, &FormEserciziEseguiti::mnuEsci_Click);
}

QPushButton* FormEserciziEseguiti::addButton(const char* name, const QString& caption, int top)
{
    auto* button = named(new WordWrapButton(caption, area()), name);
    button->setFont(designFont(QStringLiteral("Arial"), 14.25));
    place(button, 5640, top, 1815, 855);
    return button;
}

void FormEserciziEseguiti::Form_Activate()
{
    coverScreen();
    QFont font = report_->font();
    font.setFamily(program().state.NomeFont);
    report_->setFont(font);
    const QString date = program().language.shortDate(QDate::currentDate());
    ProgramState& state = program().state;
    state.belongTo(state.NomeUtente);
    applyBoxSteps(*report_, rebuildReport(nomeUtenteMostrato(program(), state.NomeUtente), state,
                                          ReportTexts::fromLanguage(program()), date));
    report_->document()->setModified(false);
}

bool FormEserciziEseguiti::mayLeave()
{
    if (!report_->document()->isModified())
        return true;
    if (program().services.messages->show(destructiveQuestion(
            program().text(QStringLiteral("0226")))) != MessageBoxes::Answer::Yes)
        return false;
    report_->document()->setModified(false); // asked once, whichever way it goes
    return true;
}

void FormEserciziEseguiti::closeEvent(QCloseEvent* event)
{
    if (!mayLeave()) {
        event->ignore();
        return;
    }
    Form::closeEvent(event);
}

void FormEserciziEseguiti::Form_Unload()
{
    // The close box leads back to the menu too, unless the progress view
    // has taken over.
    if (windows().find(kProgressi) == nullptr)
        windows().showHome();
}

void FormEserciziEseguiti::Command1_Click()
{
    PrinterTarget* target = program().services.printer;
    std::unique_ptr<QPrinter> printer = target ? target->open() : nullptr;
    if (printer && StampaTestoFormattato(*report_->document(), *printer, kOneInchMargins).started &&
        target->jobAccepted()) {
        report_->document()->setModified(false); // kept on paper
        return;
    }
    Message message;
    message.text = program().text(QStringLiteral("0202"));
    message.icon = Message::Icon::Critical;
    program().services.messages->show(message);
}

void FormEserciziEseguiti::Command2_Click()
{
    if (SalvaResoconto(program(), this, writeRtf(rtfDocumentOf(*report_->document()))))
        report_->document()->setModified(false);
}

void FormEserciziEseguiti::Command3_Click()
{
    // The summary can be added again at any time: only what was typed counts.
    const bool typed = report_->document()->isModified();
    applyBoxSteps(*report_,
                  configurationSummary(nomeUtenteMostrato(program(), program().state.NomeUtente),
                                       program().env, program().state,
                                       ReportTexts::fromLanguage(program())));
    report_->document()->setModified(typed);
}

void FormEserciziEseguiti::Command4_Click()
{
    if (!mayLeave())
        return;
    windows().show(kProgressi);
    windows().unload(this);
}

void FormEserciziEseguiti::mnuEsci_Click()
{
    if (!mayLeave())
        return;
    windows().show(QStringLiteral("FormMenu"));
    windows().unload(this);
}

} // namespace ortolino
