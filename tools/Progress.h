#pragma once

#include <chrono>
#include <cstdio>
#include <string>

namespace lvx::host {

// A one-line progress bar on a terminal. It stays silent unless enabled (stderr is a terminal and
// --quiet was not given) and the work has run for longer than a moment, so quick documents print
// nothing. Messages printed while the bar shows go through message() so they do not mix with it.
class Progress {
  public:
    Progress(FILE* out, bool enabled, std::string label, int total);
    ~Progress();
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    void advance();
    // Prints one line (a newline is added) above the bar.
    void message(const std::string& line);
    void finish();

  private:
    void draw();
    void clear();

    FILE* out_;
    bool enabled_;
    std::string label_;
    int total_;
    int done_ = 0;
    bool shown_ = false;
    std::chrono::steady_clock::time_point start_;
};

}  // namespace lvx::host
