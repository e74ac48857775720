#include "gui/BuildRunner.h"

#include "common/Error.h"

#include <QThread>

namespace {

// Turns the build's reports into the runner's signals; they cross to its thread queued.
class SignalledProgress : public lb::BuildProgress {
  public:
    explicit SignalledProgress(BuildRunner& runner) : runner_(runner) {}
    void LogLine(const std::string&, const std::string& log) override {
        log_ = QString::fromStdString(log);
        emit runner_.Shown(log_);
    }
    void EntryStarted(int index, int count, const std::string& counter) override {
        emit runner_.EntryStarted(index, count);
        emit runner_.Shown(log_ + QString::fromStdString(counter));
    }
    void Warning(const std::string& text) override {
        emit runner_.Warned(QString::fromStdString(text));
    }
    void Finished(const std::string& caption) override {
        emit runner_.Shown(log_ + QString::fromStdString(caption));
    }

  private:
    BuildRunner& runner_;
    QString log_;
};

} // namespace

BuildRunner::~BuildRunner() {
    if (!thread_) return;
    thread_->wait();
    delete thread_;
}

void BuildRunner::Start(lb::BuildRequest request) {
    if (thread_) return;
    thread_ = QThread::create([this, request = std::move(request)] {
        SignalledProgress progress(*this);
        try {
            lb::Conver(request, progress);
            error_.clear();
            ok_ = true;
        } catch (const std::exception& e) {
            error_ = QString::fromUtf8(e.what());
            ok_ = false;
        }
    });
    // Done comes only once the thread is over, so a new build may start from its handler.
    connect(thread_, &QThread::finished, this, [this] {
        thread_->deleteLater();
        thread_ = nullptr;
        emit Done(ok_, error_);
    });
    thread_->start();
}
