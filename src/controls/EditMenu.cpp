#include "controls/EditMenu.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>

namespace controls {

QMenu* createEditMenu(QLineEdit* edit, std::function<void()> cut, std::function<void()> paste,
                      std::function<void()> clear) {
    auto* menu = new QMenu(edit);
    const bool writable = !edit->isReadOnly();
    const bool visibleText = edit->echoMode() == QLineEdit::Normal;
    const bool selection = edit->hasSelectedText();

    QAction* undo = menu->addAction(QStringLiteral("&Deshacer"), edit, &QLineEdit::undo);
    undo->setEnabled(writable && edit->isUndoAvailable());
    menu->addSeparator();
    QAction* cutAction = menu->addAction(QStringLiteral("Cor&tar"), edit, std::move(cut));
    cutAction->setEnabled(writable && selection && visibleText);
    QAction* copy = menu->addAction(QStringLiteral("&Copiar"), edit, &QLineEdit::copy);
    copy->setEnabled(selection && visibleText);
    QAction* pasteAction = menu->addAction(QStringLiteral("&Pegar"), edit, std::move(paste));
    pasteAction->setEnabled(writable && !QGuiApplication::clipboard()->text().isEmpty());
    QAction* del = menu->addAction(QStringLiteral("&Eliminar"), edit, std::move(clear));
    del->setEnabled(writable && selection);
    menu->addSeparator();
    QAction* all =
        menu->addAction(QStringLiteral("Seleccionar &todo"), edit, &QLineEdit::selectAll);
    all->setEnabled(!edit->text().isEmpty() && edit->selectedText() != edit->text());
    return menu;
}

} // namespace controls
