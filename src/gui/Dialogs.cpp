#include "gui/Dialogs.h"

#include <QDesktopServices>
#include <QMessageBox>

void QtDialogs::Message(QWidget* owner, const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, owner);
    box.exec();
}

void QtDialogs::OpenInBrowser(const QUrl& url) {
    // As the shell's "open" verb: a failure is not the program's concern.
    QDesktopServices::openUrl(url);
}
