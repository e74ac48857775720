#pragma once

#include "app/DialogTexts.h"

#include <QString>
#include <QStringList>
#include <QUrl>
#include <optional>

class QWidget;

// What a file dialog asks: its title, its list of file types, the file name it starts with,
// and its options.
struct FileQuestion {
    QString title;
    std::vector<lb::FileFilter> filters;
    QString initial;
    bool several = false;          // open: more than one file may be chosen
    bool confirmOverwrite = false; // save: ask before choosing an existing file
    bool mustExist = false;        // open: only existing files
};

// The file types as Qt's name filters, "description (patterns)", each pattern matching its
// ending in any letter case ("*.BMP" gives "*.[Bb][Mm][Pp]").
QStringList NameFilters(const std::vector<lb::FileFilter>& filters);

// A question whether to save changes first, with its three buttons' captions.
struct SaveQuestion {
    QString title, text, detail;
    QString save, discard, cancel;
};
enum class SaveAnswer { Save, Discard, Cancel };

// Every message box, file dialog, input box and hand-over to the desktop goes through here,
// so that tests answer them from a script instead of waiting for a person.
class Dialogs {
  public:
    virtual ~Dialogs() = default;
    // A message with only an OK button and no icon.
    virtual void Message(QWidget* owner, const QString& title, const QString& text) = 0;
    // A question with Yes and No; true for Yes.
    virtual bool Ask(QWidget* owner, const QString& title, const QString& text) = 0;
    // Save, Discard or Cancel; closing the box is Cancel.
    virtual SaveAnswer AskToSave(QWidget* owner, const SaveQuestion& question) = 0;
    virtual void OpenInBrowser(const QUrl& url) = 0;
    // The chosen files in the dialog's order; empty when cancelled.
    virtual QStringList OpenFiles(QWidget* owner, const FileQuestion& question) = 0;
    // The chosen file; empty when cancelled.
    virtual QString SaveFile(QWidget* owner, const FileQuestion& question) = 0;
    // The text confirmed; nothing when cancelled.
    virtual std::optional<QString> InputText(QWidget* owner, const QString& title,
                                             const QString& prompt, const QString& text) = 0;
};

// The real ones: Qt's dialogs and the desktop's browser.
class QtDialogs : public Dialogs {
  public:
    void Message(QWidget* owner, const QString& title, const QString& text) override;
    bool Ask(QWidget* owner, const QString& title, const QString& text) override;
    SaveAnswer AskToSave(QWidget* owner, const SaveQuestion& question) override;
    void OpenInBrowser(const QUrl& url) override;
    QStringList OpenFiles(QWidget* owner, const FileQuestion& question) override;
    QString SaveFile(QWidget* owner, const FileQuestion& question) override;
    std::optional<QString> InputText(QWidget* owner, const QString& title, const QString& prompt,
                                     const QString& text) override;
};
