#include "ResultText.h"

#include "lamivex.h"

namespace lvx::host {

std::string openFailureText(int32_t code) {
    switch (code) {
        case LAMIVEX_UNSUPPORTED:
            return "unsupported content: a layer channel is compressed other than raw or run-length "
                   "(for example ZIP), a plane is too large, or memory ran out";
        case LAMIVEX_FILE_ERROR:
            return "cannot open or map the file";
        case LAMIVEX_GENERIC_ERROR:
            return "damaged layer group data (image resource 1026 is too short)";
        case LAMIVEX_OUT_OF_FILE:
            return "damaged document: a length or position points outside the file, or a layer record "
                   "is malformed";
        case LAMIVEX_ALREADY_OPEN:
            return "another document is already open";
        case LAMIVEX_BAD_HEADER:
            return "not a PSD document (wrong signature or version, or 24 or more channels)";
        case LAMIVEX_TOO_LARGE:
            return "the image is too large (width or height above 30001 pixels)";
        case LAMIVEX_NOT_RGB:
            return "not an RGB document";
        case LAMIVEX_NOT_8BIT:
            return "not an 8-bit document";
        case LAMIVEX_NOT_OPEN:
            return "no document is open";
        case LAMIVEX_CORRUPT_RLE:
            return "corrupt run-length data";
        case LAMIVEX_BAD_INDEX:
            return "no such layer";
        default:
            return "unexpected result from the library";
    }
}

std::string decodeFailureText(int32_t code) {
    switch (code) {
        case LAMIVEX_UNSUPPORTED:
            return "the image is larger than the buffer given for it";
        case LAMIVEX_GENERIC_ERROR:
            return "the image could not be decoded";
        case LAMIVEX_OUT_OF_FILE:
            return "damaged channel data: it runs past the end of the file or its rectangle is inverted";
        case LAMIVEX_CORRUPT_RLE:
            return "corrupt run-length data";
        default:
            return openFailureText(code);
    }
}

std::string withCode(const std::string& what, int32_t code) {
    return what + " (code " + std::to_string(code) + ")";
}

}  // namespace lvx::host
