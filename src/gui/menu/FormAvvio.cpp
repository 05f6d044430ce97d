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

    Label1 = new QLabel(QStringLiteral("ORTOLINO"), area());
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(designFont(QStringLiteral("Comic Sans MS"), 48, true));
    Label1->setAlignment(Qt::AlignCenter);
    place(Label1, 600, 480, 8400, 1500);

    Label2 = new QLabel(QStringLiteral("18/12/2005"), area());
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setFont(designFont(QStringLiteral("Comic Sans MS"), 20));
    Label2->setAlignment(Qt::AlignCenter);
    place(Label2, 600, 2040, 8400, 600);

    Image1 = new ClickLabel(area());
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPicture(QStringLiteral(":/menu/avvio.svg"));
    place(Image1, 3300, 2820, 3000, 2700);

    Command1 = new QPushButton(QStringLiteral("&Avvio"), area());
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setFont(designFont(QStringLiteral("Comic Sans MS"), 20, true));
    Command1->setCursor(pencilPointer());
    Command1->setDefault(true);
    place(Command1, 3450, 5880, 2700, 900);
    connect(Command1, &QPushButton::clicked, this, &FormAvvio::Command1_Click);
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
        Command1->setCursor(Qt::ArrowCursor);
    program().state.NumeroRigheRegistro = 0;
    Command1->setFocus(); // Enter and Space start: a switch user needs no mouse here
}

void FormAvvio::Command1_Click()
{
    windows().show(QStringLiteral("FormMenu"));
    windows().unload(this);
}

} // namespace ortolino
