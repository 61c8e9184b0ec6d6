#include "Progress.h"

namespace lvx::host {

namespace {
constexpr auto kQuietPeriod = std::chrono::milliseconds(400);
constexpr int kBarWidth = 30;
}  // namespace

Progress::Progress(FILE* out, bool enabled, std::string label, int total)
    : out_(out),
      enabled_(enabled),
      label_(std::move(label)),
      total_(total),
      start_(std::chrono::steady_clock::now()) {}

Progress::~Progress() {
    finish();
}

void Progress::advance() {
    ++done_;
    if (!enabled_ || total_ <= 0) return;
    if (!shown_ && std::chrono::steady_clock::now() - start_ < kQuietPeriod) return;
    draw();
}

void Progress::message(const std::string& line) {
    clear();
    std::fprintf(out_, "%s\n", line.c_str());
    if (shown_) draw();
}

void Progress::finish() {
    clear();
    shown_ = false;
    enabled_ = false;
}

void Progress::draw() {
    const int filled = total_ > 0 ? done_ * kBarWidth / total_ : kBarWidth;
    std::string bar(static_cast<size_t>(filled), '#');
    bar.append(static_cast<size_t>(kBarWidth - filled), '.');
    std::fprintf(out_, "\r%s [%s] %d/%d", label_.c_str(), bar.c_str(), done_, total_);
    std::fflush(out_);
    shown_ = true;
}

void Progress::clear() {
    if (!shown_) return;
    std::fprintf(out_, "\r\033[K");
    std::fflush(out_);
}

}  // namespace lvx::host
