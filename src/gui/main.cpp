// The desktop program: the main window over the program folder that holds the executable.
#include "gui/Dialogs.h"
#include "gui/MainForm.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QtDialogs dialogs;
    MainForm form(QCoreApplication::applicationDirPath().toStdString(), dialogs,
                  [] { QCoreApplication::quit(); });
    if (!form.Load()) return 0;
    form.show();
    return app.exec();
}
