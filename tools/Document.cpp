#include "Document.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <new>

#include "ResultText.h"

namespace lvx::host {

namespace {
// The library never accepts more than 30001 pixels a side, so this asks for its own limit.
constexpr int32_t kMaxDimension = 30001;
}  // namespace

Document::~Document() {
    if (open_) Lamivex_Close();
}

int32_t Document::open(const std::string& path) {
    if (open_) return LAMIVEX_ALREADY_OPEN;
    const int32_t code = Lamivex_Open(path.c_str(), kMaxDimension, 0);
    open_ = code == LAMIVEX_OK;
    return code;
}

int32_t Document::layerCount() const {
    return open_ ? Lamivex_GetLayerCount() : 0;
}

int32_t Document::info(int32_t index, ImageInfo& out) const {
    out = ImageInfo{};
    out.index = index;
    return Lamivex_GetImageInfo(&out);
}

int32_t Document::decode(int32_t index, const LamivexRect& bounds, const LamivexRect& canvas, Crop crop,
                         Image& image) const {
    image.rect = bounds;
    image.pixels.clear();
    if (image.empty()) return LAMIVEX_OK;

    const uint64_t bytes = static_cast<uint64_t>(image.width()) * static_cast<uint64_t>(image.height()) * 4;
    if (bytes > UINT32_MAX) return LAMIVEX_UNSUPPORTED;
    try {
        image.pixels.resize(bytes);
    } catch (const std::bad_alloc&) {
        return LAMIVEX_UNSUPPORTED;
    }
    LamivexRect delivered{};
    const int32_t code =
        Lamivex_GetImage(index, image.pixels.data(), static_cast<uint32_t>(bytes), &delivered);
    if (code != LAMIVEX_OK) {
        image.pixels.clear();
        return code;
    }
    image.rect = delivered;
    if (crop != Crop::None) Lamivex_UnderScan(image.pixels.data(), &image.rect, &canvas);
    if (crop == Crop::Visible && !image.empty()) Lamivex_Minimize(image.pixels.data(), &image.rect);
    // The crops move the kept pixels to the front; drop the rest.
    image.pixels.resize(image.empty() ? 0 : static_cast<size_t>(image.width() * image.height() * 4));
    return LAMIVEX_OK;
}

std::string fileProblem(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) return std::strerror(errno);
    struct stat st {};
    std::string problem;
    if (::fstat(fd, &st) != 0) {
        problem = std::strerror(errno);
    } else if (S_ISDIR(st.st_mode)) {
        problem = "is a directory";
    } else if (S_ISREG(st.st_mode) && st.st_size == 0) {
        problem = "the file is empty";
    }
    ::close(fd);
    return problem;
}

std::string openFailureMessage(const std::string& path, int32_t code) {
    std::string what = openFailureText(code);
    if (code == LAMIVEX_FILE_ERROR) {
        const std::string problem = fileProblem(path);
        if (!problem.empty()) what += ": " + problem;
    }
    return withCode(what, code);
}

}  // namespace lvx::host
