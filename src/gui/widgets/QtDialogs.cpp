#include "gui/widgets/QtDialogs.h"

#include "gui/widgets/Colors.h"

#include <cmath>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QFontInfo>
#include <QMessageBox>
#include <QScopeGuard>
#include <QUrl>

namespace ortolino {

namespace {

QWidget* ownerWidget(QObject* owner)
{
    return qobject_cast<QWidget*>(owner);
}

QString filterText(const QList<FileFilter>& filters)
{
    QStringList parts;
    for (const FileFilter& f : filters)
        parts << (f.description.isEmpty() ? f.pattern
                                          : f.description + QLatin1String(" (") + f.pattern + ')');
    return parts.join(QLatin1String(";;"));
}

} // namespace

QString QtDialogs::ShowFileDialog(QObject* owner, short kind, const QString& title,
                                  const QString& initialName, const QList<FileFilter>& filters,
                                  const QString& initialFolder, const QString& defaultExtension,
                                  const QStringList& places)
{
    const FocusReturn focus(ownerWidget(owner));
    QFileDialog dialog(ownerWidget(owner), title, initialFolder, filterText(filters));
    dialog.setDefaultSuffix(defaultExtension);
    // The places are this dialog's only: Qt keeps the sidebar in its settings
    // when the dialog goes, and the word lists' folders would then stand in
    // the report's dialog as two places both called "liste".
    const QList<QUrl> ownSidebar = dialog.sidebarUrls();
    QList<QUrl> sidebar = ownSidebar;
    for (const QString& place : places)
        sidebar << QUrl::fromLocalFile(place);
    dialog.setSidebarUrls(sidebar);
    const auto restoreSidebar =
        qScopeGuard([&dialog, &ownSidebar] { dialog.setSidebarUrls(ownSidebar); });
    if (!initialName.isEmpty() && !initialName.contains(QLatin1Char('*')))
        dialog.selectFile(initialName);
    if (kind == Open) {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptSave); // asks before replacing a file
        dialog.setFileMode(QFileDialog::AnyFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QString chosen = dialog.selectedFiles().first();
    const QString path = withDefaultExtension(chosen, defaultExtension);
    // Qt's dialog asked before replacing the name as typed ("classe 2.b"),
    // not the file that is written ("classe 2.b.txt"): ask about that one,
    // in Qt's own words.
    if (kind != Open && path != chosen && QFileInfo::exists(path) &&
        QMessageBox::warning(ownerWidget(owner), title,
                             QFileDialog::tr("%1 already exists.\nDo you want to replace it?")
                                 .arg(QFileInfo(path).fileName()),
                             QMessageBox::Yes | QMessageBox::No,
                             QMessageBox::No) != QMessageBox::Yes)
        return {};
    return path;
}

std::optional<Colore> QtDialogs::ShowColorDialog(QObject* owner, Colore current)
{
    // Custom colours are not kept from one choice to the next.
    for (int i = 0; i < QColorDialog::customCount(); ++i)
        QColorDialog::setCustomColor(i, Qt::black);
    const FocusReturn focus(ownerWidget(owner));
    QColor color = QColorDialog::getColor(qtColor(current), ownerWidget(owner));
    if (!color.isValid())
        return std::nullopt;
    return storedColor(color);
}

std::optional<FontChoice> QtDialogs::ShowFontDialog(QObject* owner, const FontChoice& current)
{
    bool ok = false;
    QFont start(current.face);
    if (current.points > 0)
        start.setPointSize(current.points);
    start.setBold(current.bold);
    start.setItalic(current.italic);
    start.setUnderline(current.underline);
    // The dialog lists installed families and their styles by name: a face
    // met through a substitute (Arial as Liberation Sans) is shown as the one
    // drawn, in the style drawn ("Regular", which "Normal" would not find).
    const QFontInfo drawn(start);
    start.setFamily(drawn.family());
    start.setStyleName(drawn.styleName());
    const FocusReturn focus(ownerWidget(owner));
    QFont font = QFontDialog::getFont(&ok, start, ownerWidget(owner));
    if (!ok)
        return std::nullopt;
    FontChoice choice;
    choice.face = font.family();
    choice.points = static_cast<int>(std::nearbyint(font.pointSizeF())); // half to even
    choice.bold = font.weight() >= QFont::Bold;
    choice.italic = font.italic();
    choice.underline = font.underline();
    return choice;
}

void applyFontChoice(QWidget* control, const FontChoice& choice)
{
    QFont font = control->font();
    font.setFamily(choice.face);
    if (choice.points > 0)
        font.setPointSize(choice.points);
    font.setBold(choice.bold);
    font.setItalic(choice.italic);
    font.setUnderline(choice.underline);
    control->setFont(font);
}

} // namespace ortolino
