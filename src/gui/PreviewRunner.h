#pragma once

#include "preview/Handheld.h"

#include <QImage>
#include <QObject>
#include <atomic>
#include <memory>
#include <mutex>
#include <thread>

// Runs a loaded handheld on a thread of its own at the handheld's own rate (about 59.73
// frames a second), with the keys the window holds; the window takes each new frame.
class PreviewRunner : public QObject {
    Q_OBJECT
  public:
    explicit PreviewRunner(QObject* parent = nullptr) : QObject(parent) {}
    ~PreviewRunner() override { Stop(); }

    void Start(std::unique_ptr<Handheld> handheld);
    // Ends the thread and frees the core; nothing runs afterwards.
    void Stop();
    bool Running() const { return thread_.joinable(); }

    void SetKeys(uint32_t keys) { keys_ = keys; }
    void SetPaused(bool paused) { paused_ = paused; }
    bool Paused() const { return paused_; }
    // The last frame drawn, 240 x 160: as an image, and as the handheld keeps it.
    QImage Frame() const;
    std::vector<uint32_t> RawFrame() const;

  signals:
    void FrameReady(); // from the runner's thread, so connect it queued

  private:
    void Loop();

    std::unique_ptr<Handheld> handheld_;
    std::thread thread_;
    std::atomic<bool> stop_{false}, paused_{false};
    std::atomic<uint32_t> keys_{0};
    mutable std::mutex frameLock_;
    std::vector<uint32_t> frame_;
};
