#include "gui/PreviewRunner.h"

#include <chrono>

namespace {

// The handheld's frame rate: 2^24 cycles a second, 280,896 cycles a frame.
constexpr double kFramesPerSecond = 16777216.0 / 280896.0;

} // namespace

void PreviewRunner::Start(std::unique_ptr<Handheld> handheld) {
    Stop();
    handheld_ = std::move(handheld);
    frame_ = handheld_->Frame();
    stop_ = false;
    thread_ = std::thread([this] { Loop(); });
}

void PreviewRunner::Stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    handheld_.reset();
}

void PreviewRunner::Loop() {
    using Clock = std::chrono::steady_clock;
    const auto period = std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(1.0 / kFramesPerSecond));
    auto next = Clock::now();
    while (!stop_) {
        next += period;
        if (!paused_) {
            handheld_->SetKeys(keys_);
            handheld_->Run(1);
            {
                std::lock_guard<std::mutex> hold(frameLock_);
                frame_ = handheld_->Frame();
            }
            emit FrameReady();
        }
        auto now = Clock::now();
        if (next < now - period * 4) next = now; // fell behind (a busy machine): do not race to catch up
        std::this_thread::sleep_until(next);
    }
}

std::vector<uint32_t> PreviewRunner::RawFrame() const {
    std::lock_guard<std::mutex> hold(frameLock_);
    return frame_;
}

QImage PreviewRunner::Frame() const {
    QImage image(Handheld::kWidth, Handheld::kHeight, QImage::Format_RGB32);
    std::vector<uint32_t> raw = RawFrame();
    for (int y = 0; y < Handheld::kHeight; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < Handheld::kWidth; ++x) {
            uint32_t c = raw.empty() ? 0 : raw[static_cast<size_t>(y * Handheld::kWidth + x)];
            row[x] = qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
        }
    }
    return image;
}
