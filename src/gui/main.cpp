// The desktop program: the main window over the program's home (its data beside the
// executable or installed, the user's files beside it or in the user's folders).
#include "gui/Dialogs.h"
#include "gui/MainForm.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QtDialogs dialogs;
    MainForm form(lb::FindProgramHome(QCoreApplication::applicationDirPath().toStdString(),
                                      lb::UserEnvironment::FromProcess()),
                  dialogs, [] { QCoreApplication::quit(); });
    if (!form.Load()) return 0;
    form.show();
    return app.exec();
}
