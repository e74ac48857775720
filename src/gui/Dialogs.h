#pragma once

#include <QString>
#include <QUrl>

class QWidget;

// Every message box and every hand-over to the desktop goes through here, so that tests
// answer them from a script instead of waiting for a person.
class Dialogs {
  public:
    virtual ~Dialogs() = default;
    // A message with only an OK button and no icon.
    virtual void Message(QWidget* owner, const QString& title, const QString& text) = 0;
    virtual void OpenInBrowser(const QUrl& url) = 0;
};

// The real ones: Qt's message box and the desktop's browser.
class QtDialogs : public Dialogs {
  public:
    void Message(QWidget* owner, const QString& title, const QString& text) override;
    void OpenInBrowser(const QUrl& url) override;
};
