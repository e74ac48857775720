// The desktop program: the main window over the program's home (its data beside the
// executable or installed, the user's files beside it or in the user's folders).
#include "gui/Dialogs.h"
#include "gui/MainForm.h"
#include "items/FileEndings.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QtDialogs dialogs;
    MainForm form(lb::FindProgramHome(QCoreApplication::applicationDirPath().toStdString(),
                                      lb::UserEnvironment::FromProcess()),
                  dialogs, [] { QCoreApplication::quit(); });
    if (!form.Load()) return 0;
    form.show();
    // Files given by the desktop (a menu list opened from a file manager): a menu list
    // becomes the menu, anything else is added to it.
    QStringList files = app.arguments().mid(1);
    files.removeAll("--exit-when-shown");
    for (const QString& file : files) {
        if (lb::EndsAs(file.toStdString(), lb::FileKind::MenuList))
            form.OpenMenuList(file);
        else
            form.AddPaths({file});
    }
    // For the start-up benchmark: the time until the window is shown, then nothing.
    if (app.arguments().contains("--exit-when-shown"))
        QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return app.exec();
}
