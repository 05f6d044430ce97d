#include "app/PlaceholderForm.h"

#include "app/Windows.h"
#include "platform/WindowManager.h"

#include <QLabel>
#include <QPushButton>

namespace ortolino {

PlaceholderForm::PlaceholderForm(const QString& name, Program& program, WindowManager& windows)
    : Form(name, program, windows, QSize(7200, 4800))
{
    setWindowTitle(QStringLiteral("Ortolino"));

    auto* note =
        new QLabel(QStringLiteral("Questa parte di Ortolino non è ancora pronta."), area());
    note->setObjectName(QStringLiteral("LabelSegnaposto"));
    note->setAlignment(Qt::AlignCenter);
    note->setWordWrap(true);
    QFont font = note->font();
    font.setPointSize(16);
    note->setFont(font);
    place(note, 600, 900, 6000, 1500);

    auto* back = new QPushButton(QStringLiteral("Torna al menu"), area());
    back->setObjectName(QStringLiteral("CommandSegnaposto"));
    back->setFont(font);
    place(back, 2400, 3000, 2400, 900);
    connect(back, &QPushButton::clicked, this, [this] {
        tornaAlMenu(this->windows());
        this->windows().unload(this);
    });
}

void PlaceholderForm::Form_Unload()
{
    tornaAlMenu(windows());
}

} // namespace ortolino
