#include "gui/menu/FormAvvio.h"

#include "core/app/Program.h"
#include "gui/widgets/ClickLabel.h"
#include "gui/widgets/Colors.h"
#include "gui/widgets/Controls.h"
#include "gui/widgets/Pointer.h"
#include "gui/widgets/WindowManager.h"

#include <QLabel>
#include <QPushButton>

namespace ortolino {

FormAvvio::FormAvvio(Program& program, WindowManager& windows)
    : Form(QStringLiteral("FormAvvio"), program, windows, QSize(9600, 7200))
{
    setWindowTitle(QStringLiteral("Ortolino"));

    auto* title = named(new QLabel(QStringLiteral("ORTOLINO"), area()), "Label1");
    title->setFont(designFont(QStringLiteral("Comic Sans MS"), 48, true));
    title->setAlignment(Qt::AlignCenter);
    place(title, 600, 480, 8400, 1500);

    auto* date = named(new QLabel(QStringLiteral("18/12/2005"), area()), "Label2");
    date->setFont(designFont(QStringLiteral("Comic Sans MS"), 20));
    date->setAlignment(Qt::AlignCenter);
    place(date, 600, 2040, 8400, 600);

    auto* picture = named(new ClickLabel(area()), "Image1");
    picture->setPicture(QStringLiteral(":/menu/avvio.svg"));
    place(picture, 3300, 2820, 3000, 2700);

    start_ = named(new QPushButton(QStringLiteral("&Avvio"), area()), "Command1");
    start_->setFont(designFont(QStringLiteral("Comic Sans MS"), 20, true));
    start_->setCursor(pencilPointer());
    start_->setDefault(true);
    place(start_, 3450, 5880, 2700, 900);
    connect(start_, &QPushButton::clicked, this, &FormAvvio::Command1_Click);
}

void FormAvvio::Form_Load()
{
    Form::Form_Load();
    if (program().state.ColoreCasuale)
        setBackground(this, qtColor(ScegliColoreCasuale(*program().services.random)));
}

void FormAvvio::Form_Activate()
{
    coverScreen();
    if (program().state.MouseDiSistema)
        start_->setCursor(Qt::ArrowCursor);
    program().state.NumeroRigheRegistro = 0;
    start_->setFocus(); // Enter and Space start: a switch user needs no mouse here
}

void FormAvvio::Command1_Click()
{
    windows().show(QStringLiteral("FormMenu"));
    windows().unload(this);
}

} // namespace ortolino
