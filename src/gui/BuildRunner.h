#pragma once

#include "assembly/Build.h"

#include <QObject>
#include <QString>

class QThread;

// Runs one build on a thread of its own, from a copy of everything it reads, and reports
// back on the thread that made the runner.
class BuildRunner : public QObject {
    Q_OBJECT
  public:
    explicit BuildRunner(QObject* parent = nullptr) : QObject(parent) {}
    ~BuildRunner() override; // waits for a build still running

    void Start(lb::BuildRequest request);
    bool Running() const { return thread_ != nullptr; }

  signals:
    void Shown(const QString& text); // the whole status text: log and counter
    void EntryStarted(int index, int count);
    void Warned(const QString& text);
    void Done(bool ok, const QString& error);

  private:
    QThread* thread_ = nullptr;
    bool ok_ = false; // written by the build's thread, read after it has finished
    QString error_;
};
