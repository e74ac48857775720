#pragma once
// A program folder for the window tests, and dialogs answered from a script.
#include "../TestFiles.h"
#include "common/Files.h"
#include "gui/Controls.h"
#include "gui/Dialogs.h"
#include "gui/MainForm.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QToolButton>
#include <deque>
#include <filesystem>
#include <memory>

namespace fs = std::filesystem;

// Records what the program shows and answers its questions in turn: "next file names",
// "next answer". A question with no answer left is cancelled and recorded, so no dialog
// ever waits.
class ScriptedDialogs : public Dialogs {
  public:
    QStringList messages; // "title|text"
    QList<QUrl> opened;
    QList<FileQuestion> asked;
    QStringList inputs; // "title|prompt|text"
    std::deque<QStringList> nextFiles;
    std::deque<std::optional<QString>> nextAnswers;
    QStringList questions; // "title|text"
    std::deque<bool> nextYes;
    std::deque<SaveAnswer> nextSaveAnswers;
    QStringList saveQuestions; // "title|text|detail|save|discard|cancel"
    int unanswered = 0;

    void Message(QWidget*, const QString& title, const QString& text) override {
        messages << title + "|" + text;
    }
    bool Ask(QWidget*, const QString& title, const QString& text) override {
        questions << title + "|" + text;
        return Next(nextYes, false);
    }
    SaveAnswer AskToSave(QWidget*, const SaveQuestion& q) override {
        saveQuestions << QStringList{q.title, q.text, q.detail, q.save, q.discard, q.cancel}.join(
            "|");
        return Next(nextSaveAnswers, SaveAnswer::Cancel);
    }
    void OpenInBrowser(const QUrl& url) override { opened << url; }
    QStringList OpenFiles(QWidget*, const FileQuestion& question) override {
        return NextFiles(question);
    }
    QString SaveFile(QWidget*, const FileQuestion& question) override {
        QStringList files = NextFiles(question);
        return files.isEmpty() ? QString() : files.front();
    }
    std::optional<QString> InputText(QWidget*, const QString& title, const QString& prompt,
                                     const QString& text) override {
        inputs << title + "|" + prompt + "|" + text;
        return Next(nextAnswers, std::optional<QString>());
    }

  private:
    QStringList NextFiles(const FileQuestion& question) {
        asked << question;
        return Next(nextFiles, QStringList());
    }
    // The scripted answer, or what closing the box gives when the script has none left.
    template <typename T> T Next(std::deque<T>& script, T closed) {
        if (script.empty()) {
            ++unanswered;
            return closed;
        }
        T answer = script.front();
        script.pop_front();
        return answer;
    }
};

inline std::string ReadText(const fs::path& path) {
    const std::vector<uint8_t> bytes = lb::ReadWholeFile(path);
    return {bytes.begin(), bytes.end()};
}

inline void WriteText(const fs::path& path, const std::string& text) { lb::ReplaceFileContents(path, text); }

// Points the user's configuration (QSettings) at a folder of the test's own, so no test
// reads or changes the person's.
inline void UseTemporaryUserSettings() {
    static lbtest::TempFolder folder;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, QString::fromStdString(folder.Path().string()));
}

// A program folder holding the bundled skins, back pictures and placeholder base images,
// a settings file, and a window over it.
struct Home {
    lbtest::TempFolder dir;
    fs::path path = dir.Path();
    ScriptedDialogs dialogs;
    int quits = 0;
    std::unique_ptr<MainForm> form;
    // A Chinese session, as the program's first language has always been Chinese.
    lb::UserEnvironment user{path.string(), "", "", "zh_TW.UTF-8"};

    explicit Home(const std::string& settings) {
        for (const char* part : {"Skins", "Back"})
            fs::copy(fs::path(LUMENBROOK_DATA_DIR) / part, path / part,
                     fs::copy_options::recursive);
        fs::copy(fs::path(LUMENBROOK_BUILD_DIR) / "Bin", path / "Bin", fs::copy_options::recursive);
        // Night gets numbers of its own, so a change of skin shows in the boxes.
        dir.Write("Skins/Night/Skin.ini", "10,20,3");
        if (!settings.empty()) dir.Write("Lumenbrook.ini", settings);
    }
    fs::path SettingsPath() const { return path / "Lumenbrook.ini"; }
    bool Load() {
        form = std::make_unique<MainForm>(lb::HomeAt(path, user), dialogs, [this] { ++quits; });
        return form->Load();
    }
};

// A window's controls by object name and kind.
inline QToolButton* Button(const QObject& w, const char* name) {
    return FindControl<QToolButton>(w, name);
}
inline QPushButton* PushButton(const QObject& w, const char* name) {
    return FindControl<QPushButton>(w, name);
}
inline QAction* Action(const QObject& w, const char* name) {
    return FindControl<QAction>(w, name);
}
inline QLineEdit* Edit(const QObject& w, const char* name) {
    return FindControl<QLineEdit>(w, name);
}
inline QComboBox* Combo(const QObject& w, const char* name) {
    return FindControl<QComboBox>(w, name);
}
inline QLabel* Label(const QObject& w, const char* name) {
    return FindControl<QLabel>(w, name);
}

inline void Pick(QComboBox* list, const QString& entry) {
    int at = list->findText(entry);
    QVERIFY2(at >= 0, qPrintable(entry));
    list->setCurrentIndex(at);
    emit list->activated(at);
}

inline const char* kChineseSettings =
    "Language= 0\r\nSkins=Default\r\nBack=Default.Bmp\r\nBin= 0\r\nFlash=0\r\n\r\n";
inline const char* kEnglishSettings =
    "Language= 1\r\nSkins=Default\r\nBack=Default.Bmp\r\nBin= 3\r\nFlash=0\r\n\r\n";
