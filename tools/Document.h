#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "lamivex.h"

namespace lvx::host {

// A decoded image: blue-green-red-alpha pixels packed from the first byte, covering rect.
struct Image {
    LamivexRect rect{};
    std::vector<uint8_t> pixels;

    int64_t width() const { return int64_t{rect.right} - rect.left; }
    int64_t height() const { return int64_t{rect.bottom} - rect.top; }
    // Zero-area (or inverted) rectangles hold no pixels.
    bool empty() const { return width() <= 0 || height() <= 0; }
};

// How much of a decoded image to keep.
enum class Crop {
    None,     // the rectangle the library reports (a layer may reach outside the canvas)
    Canvas,   // the part inside the document
    Visible,  // the part inside the document, trimmed to its pixels with alpha above 1
};

// The document in the library's single slot, for the lifetime of this object. The library allows one
// open document per process, so at most one Document is open at a time.
class Document {
  public:
    Document() = default;
    ~Document();
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    // Opens path; returns the library's result code (0 on success).
    int32_t open(const std::string& path);
    bool isOpen() const { return open_; }

    int32_t layerCount() const;
    // The whole image (negative index) or one layer; returns the library's result code.
    int32_t info(int32_t index, ImageInfo& out) const;
    // Decodes index into image and crops it; returns the library's result code. An empty rectangle is
    // not decoded: image.empty() is then true. canvas is the document's rectangle.
    int32_t decode(int32_t index, const LamivexRect& bounds, const LamivexRect& canvas, Crop crop,
                   Image& image) const;

  private:
    bool open_ = false;
};

// Why the file at path cannot be read, in words ("No such file or directory", "is a directory",
// "the file is empty"), or "" when it looks readable. Used to explain code 100.
std::string fileProblem(const std::string& path);

// The words and code for a failed open of path, e.g. "not an 8-bit document (code 308)" or
// "cannot open or map the file: No such file or directory (code 100)".
std::string openFailureMessage(const std::string& path, int32_t code);

}  // namespace lvx::host
