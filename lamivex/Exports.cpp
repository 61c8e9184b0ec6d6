// The eight exports: each checks its preconditions, makes one call into the document and turns every
// exception into its result code. Nothing is thrown across this boundary.
#include <new>

#include "Cropping.h"
#include "Lamivex.h"
#include "ResultCodes.h"

static_assert(sizeof(LamivexRect) == sizeof(lvx::RECT) && alignof(LamivexRect) == alignof(lvx::RECT),
              "the public rectangle is the platform rectangle");

namespace {

constexpr int32_t kVersion = 103;

// The single open document; owned here from a successful open to Lamivex_Close.
CLamivex* document = nullptr;

lvx::RECT* AsRect(LamivexRect* r) {
    return reinterpret_cast<lvx::RECT*>(r);
}
const lvx::RECT* AsRect(const LamivexRect* r) {
    return reinterpret_cast<const lvx::RECT*>(r);
}

}  // namespace

int32_t Lamivex_GetVersion(void) {
    return kVersion;
}

int32_t Lamivex_Open(const char* path, int32_t maxDimension, int32_t /*reserved*/) {
    if (document != nullptr) return code::kAlreadyOpen;
    try {
        document = new CLamivex(path, maxDimension);
        return LAMIVEX_OK;
    } catch (const CZanFileException& e) {
        return e.code;
    } catch (const CLamivex::CException& e) {
        return e.code;
    } catch (...) {
        // Memory ran out for the document, its records or the scratch buffer.
        return code::kUnsupported;
    }
}

void Lamivex_Close(void) {
    delete document;
    document = nullptr;
}

int32_t Lamivex_GetLayerCount(void) {
    if (document == nullptr) return code::kNotOpen;
    return document->GetLayerCount();
}

int32_t Lamivex_GetImageInfo(ImageInfo* info) {
    if (document == nullptr) return code::kNotOpen;
    if (info == nullptr) return code::kUnsupported;
    return document->GetImageInfo(info);
}

int32_t Lamivex_GetImage(int32_t index, void* buffer, uint32_t bufferSize, LamivexRect* bufferRect) {
    if (document == nullptr) return code::kNotOpen;
    if (bufferRect == nullptr) return code::kUnsupported;
    try {
        document->GetImage(index, static_cast<uint8_t*>(buffer), bufferSize, AsRect(bufferRect));
        return LAMIVEX_OK;
    } catch (const CZanPsdDecomp::CZanPsdDecompException& e) {
        return e.code;
    } catch (const CLamivex::CException& e) {
        return e.code;
    } catch (...) {
        return code::kGeneric;
    }
}

LamivexRect* Lamivex_UnderScan(void* buffer, LamivexRect* bufferRect, const LamivexRect* clipRect) {
    if (buffer == nullptr || bufferRect == nullptr || clipRect == nullptr) return bufferRect;
    CropToRect(static_cast<uint8_t*>(buffer), AsRect(bufferRect), AsRect(clipRect));
    return bufferRect;
}

LamivexRect* Lamivex_Minimize(void* buffer, LamivexRect* bufferRect) {
    if (buffer == nullptr || bufferRect == nullptr) return bufferRect;
    TrimToOpaque(static_cast<uint8_t*>(buffer), AsRect(bufferRect));
    return bufferRect;
}
