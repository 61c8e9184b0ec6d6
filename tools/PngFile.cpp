#include "PngFile.h"

#include <png.h>
#include <signal.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <new>
#include <vector>

namespace lvx::host {

namespace {

// The temporary file being written, for the signal handler: an interrupted extract must not leave it.
std::atomic<const char*> pendingTemporary{nullptr};

extern "C" void removePendingTemporary(int signalNumber) {
    if (const char* name = pendingTemporary.load()) ::unlink(name);
    ::signal(signalNumber, SIG_DFL);
    ::raise(signalNumber);
}

mode_t currentUmask() {
    static const mode_t mask = [] {
        const mode_t m = ::umask(0);
        ::umask(m);
        return m;
    }();
    return mask;
}

// Closes and removes the temporary file unless it was handed over with release().
class TemporaryFile {
  public:
    explicit TemporaryFile(const std::string& finalPath) : name_(finalPath + ".tmp-XXXXXX") {
        std::vector<char> pattern(name_.begin(), name_.end());
        pattern.push_back('\0');
        const int fd = ::mkstemp(pattern.data());
        if (fd < 0) return;
        name_.assign(pattern.data());
        pendingTemporary.store(name_.c_str());
        // mkstemp makes the file private; the PNG gets the mode any new file would get.
        ::fchmod(fd, 0666 & ~currentUmask());
        file_ = ::fdopen(fd, "wb");
        if (!file_) ::close(fd);
        created_ = true;
    }
    ~TemporaryFile() {
        if (file_) std::fclose(file_);
        if (created_) ::unlink(name_.c_str());
        pendingTemporary.store(nullptr);
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    FILE* file() const { return file_; }
    const std::string& name() const { return name_; }
    // Flushes and closes; false when the data did not reach the file.
    bool close() {
        const bool ok = std::fflush(file_) == 0 && !std::ferror(file_);
        const bool closed = std::fclose(file_) == 0;
        file_ = nullptr;
        return ok && closed;
    }
    void release() { created_ = false; }

  private:
    std::string name_;
    FILE* file_ = nullptr;
    bool created_ = false;
};

}  // namespace

std::string writePngFile(const std::string& path, const Image& image) {
    if (image.empty()) return "an empty image has no PNG form";
    if (image.width() > PNG_UINT_31_MAX || image.height() > PNG_UINT_31_MAX) return "image too large";

    TemporaryFile temp(path);
    if (!temp.file()) return std::strerror(errno);

    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(image.width());
    png.height = static_cast<png_uint_32>(image.height());
    // libpng's simplified writer takes the library's byte order as it is and stores RGBA; 8-bit
    // sRGB data is written unchanged, so straight alpha stays straight.
    png.format = PNG_FORMAT_BGRA;
    const auto stride = static_cast<png_int_32>(image.width() * 4);
    if (!png_image_write_to_stdio(&png, temp.file(), 0, image.pixels.data(), stride, nullptr)) {
        const std::string message = png.message;
        png_image_free(&png);
        return "PNG encoder failed: " + message;
    }
    if (!temp.close()) return std::strerror(errno);
    if (::rename(temp.name().c_str(), path.c_str()) != 0) return std::strerror(errno);
    temp.release();
    return {};
}

std::string readPngFile(const std::string& path, Image& image, int64_t maxSide, bool* tooLarge) {
    if (tooLarge != nullptr) *tooLarge = false;
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) return std::strerror(errno);
    if (S_ISDIR(status.st_mode)) return "is a directory, not a PNG file";
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return std::strerror(errno);

    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    std::string error;
    if (!png_image_begin_read_from_stdio(&png, file)) {
        error = std::string("not a readable PNG file: ") + png.message;
    } else if (int64_t{png.width} > maxSide || int64_t{png.height} > maxSide) {
        error = std::to_string(png.width) + " x " + std::to_string(png.height) +
                " pixels is too large: width and height must be at most " + std::to_string(maxSide);
        if (tooLarge != nullptr) *tooLarge = true;
        png_image_free(&png);
    } else {
        png.format = PNG_FORMAT_BGRA;
        try {
            image.pixels.assign(size_t{png.width} * png.height * 4, 0);
        } catch (const std::bad_alloc&) {
            error = "not enough memory for the picture";
            png_image_free(&png);
        }
        if (error.empty()) {
            if (!png_image_finish_read(&png, nullptr, image.pixels.data(), 0, nullptr)) {
                error = std::string("damaged PNG file: ") + png.message;
                png_image_free(&png);
            } else {
                image.rect = {0, 0, static_cast<int32_t>(png.width), static_cast<int32_t>(png.height)};
            }
        }
    }
    std::fclose(file);
    if (!error.empty()) image = Image{};
    return error;
}

void removeTemporaryFilesOnSignals() {
    static_assert(std::atomic<const char*>::is_always_lock_free, "read from a signal handler");
    for (int signalNumber : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction action {};
        action.sa_handler = removePendingTemporary;
        sigemptyset(&action.sa_mask);
        ::sigaction(signalNumber, &action, nullptr);
    }
}

}  // namespace lvx::host
