#include "gui/menu/FormInfo.h"

#include "core/app/Informazioni.h"
#include "core/app/Program.h"
#include "core/platform/DocumentOpener.h"
#include "gui/widgets/ClickLabel.h"
#include "gui/widgets/Controls.h"
#include "gui/widgets/FittedText.h"
#include "gui/widgets/WindowManager.h"

#include <QPushButton>

namespace ortolino {

FormInfo::FormInfo(Program& program, WindowManager& windows)
    : Form(QStringLiteral("FormInfo"), program, windows, QSize(8535, 6420))
{
    setWindowTitle(QStringLiteral("Form1"));

    auto* close = named(new QPushButton(QStringLiteral("Chiudi"), area()), "Command1");
    close->setFont(designFont(QStringLiteral("Arial"), 14.25));
    place(close, 5640, 5280, 2655, 975);
    connect(close, &QPushButton::clicked, this, &FormInfo::Command1_Click);

    auto* document = named(new ClickLabel(area()), "Image1");
    document->setPicture(QStringLiteral(":/menu/documento.svg"));
    document->setCursor(Qt::PointingHandCursor);
    document->setFocusPolicy(Qt::TabFocus); // the credits, for a teacher without a mouse too
    place(document, 360, 120, 1575, 615);
    connect(document, &ClickLabel::clicked, this, &FormInfo::Image1_Click);

    credits_ = addLabel("Label1", "Label1", 240, 1080, 4455, 1575);
    notice_ = addLabel("Label3", "Label3", 240, 4800, 4335, 1335);
    languageLines_ = addLabel("Label4", "Label1", 5040, 1320, 3375, 2535);
}

QLabel* FormInfo::addLabel(const char* name, const char* caption, int left, int top, int width,
                           int height)
{
    // Fitted: on a small or scaled screen (a netbook at 150 %) the lines at
    // the design size ran past the label's foot and were cut.
    auto* label = named(new FittedLabel(QString::fromLatin1(caption), area()), name);
    label->setFont(designFont(QStringLiteral("Arial"), 14.25));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place(label, left, top, width, height);
    return label;
}

void FormInfo::Form_Activate()
{
    coverScreen();
    credits_->setText(testoRiconoscimenti(program().language));
    notice_->setText(testoCondizioniUso(program().language));
    languageLines_->setText(righeLingua(program().language));
}

void FormInfo::Form_Unload()
{
    windows().showHome(); // the close box leads back to the menu too
}

void FormInfo::Command1_Click()
{
    windows().show(QStringLiteral("FormMenu"));
    windows().unload(this);
}

void FormInfo::Image1_Click()
{
    ApriDocumento(program().services.documents, program().services.messages,
                  program().env.programFile(QStringLiteral("documento.pdf")),
                  program().text(QStringLiteral("0312")));
}

} // namespace ortolino
