// Draws the main window and the skin chooser in both interface languages and saves them as
// PNG pictures: screenshots <program folder> <output folder> [menu list]. With a menu list
// the main window is shown after building it. Settings are read from and written to a copy
// of the program folder, so the real one is untouched.
#include "gui/BuildRunner.h"
#include "gui/Controls.h"
#include "gui/Dialogs.h"
#include "gui/MainForm.h"
#include "gui/PreviewForm.h"
#include "gui/SetForm.h"

#include <QApplication>
#include <QEventLoop>
#include <QLineEdit>
#include <QToolButton>
#include <QDir>
#include <QPixmap>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

class NoDialogs : public Dialogs {
    void Message(QWidget*, const QString& title, const QString& text) override {
        std::fprintf(stderr, "message %s: %s\n", qPrintable(title), qPrintable(text));
    }
    bool Ask(QWidget*, const QString&, const QString&) override { return false; }
    SaveAnswer AskToSave(QWidget*, const SaveQuestion&) override { return SaveAnswer::Discard; }
    void OpenInBrowser(const QUrl&) override {}
    QStringList OpenFiles(QWidget*, const FileQuestion&) override { return {}; }
    QString SaveFile(QWidget*, const FileQuestion&) override { return {}; }
    std::optional<QString> InputText(QWidget*, const QString&, const QString&,
                                     const QString&) override {
        return std::nullopt;
    }
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: screenshots <program folder> <output folder> [menu list]\n");
        return 2;
    }
    QTemporaryDir temp, userSettings;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, userSettings.path());
    fs::path home = temp.path().toStdString();
    for (const char* part : {"Skins", "Back", "Bin"})
        fs::copy(fs::path(argv[1]) / part, home / part, fs::copy_options::recursive);
    NoDialogs dialogs;
    for (int language : {0, 1}) {
        std::ofstream(home / lb::kSettingsFileName, std::ios::binary)
            << "Language= " << language
            << "\r\nSkins=Default\r\nBack=Default.Bmp\r\nBin= " << (language == 0 ? 0 : 3)
            << "\r\nFlash=1\r\n/usr/local/bin/flash-tool\r\n";
        MainForm form(lb::HomeAt(home, lb::UserEnvironment::FromProcess()), dialogs, [] {});
        if (!form.Load()) return 1;
        form.show();
        if (argc == 4) {
            form.AddPaths({QString::fromLocal8Bit(argv[3])});
            QEventLoop wait;
            QObject::connect(FindControl<BuildRunner>(form, "runner"), &BuildRunner::Done, &wait,
                             &QEventLoop::quit);
            FindControl<QToolButton>(form, "Command5")->click();
            wait.exec();
        }
        const char* suffix = language == 0 ? "zh" : "en";
        QString out = QString::fromLocal8Bit(argv[2]);
        if (argc == 4) { // the built ROM in the preview, at its menu
            FindControl<QAction>(form, "preview")->trigger();
            if (PreviewForm* preview = form.findChild<PreviewForm*>()) {
                QTest::qWait(2000);
                QTest::keyPress(preview, Qt::Key_Return);
                QTest::qWait(200);
                QTest::keyRelease(preview, Qt::Key_Return);
                QTest::qWait(1000);
                preview->grab().save(QString("%1/PreviewForm-%2.png").arg(out, suffix));
                preview->close();
            }
        }
        form.Chooser().show();
        app.processEvents();
        form.grab().save(QString("%1/MainForm-%2.png").arg(out, suffix));
        form.Chooser().grab().save(QString("%1/SetForm-%2.png").arg(out, suffix));
        form.Chooser().hide();
    }
    return 0;
}
