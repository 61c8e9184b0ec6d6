/*
 * lamivex.h - read layered 8-bit RGB PSD documents into 32-bit BGRA buffers.
 *
 * One document is open at a time (a process-wide slot). The exports are not thread-safe: call the
 * document exports from one thread at a time. Lamivex_UnderScan and Lamivex_Minimize touch only the
 * memory they are given and may run anywhere.
 *
 * Every buffer, record and rectangle belongs to the caller; the library never allocates memory that
 * the caller must free, keeps no pointer to caller memory after a call, and lets no exception out.
 *
 * Pixels: each is four bytes blue, green, red, alpha (straight, 255 opaque); rows from the top down,
 * (right - left) * 4 bytes each, packed. Pixel (x, y) of a buffer covering rectangle R lies at byte
 * ((y - R.top) * (R.right - R.left) + (x - R.left)) * 4.
 */
#ifndef LAMIVEX_H
#define LAMIVEX_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(_WIN32) && defined(LAMIVEX_BUILDING)
#define LAMIVEX_API __declspec(dllexport)
#elif defined(_WIN32)
#define LAMIVEX_API __declspec(dllimport)
#elif defined(__GNUC__)
#define LAMIVEX_API __attribute__((visibility("default")))
#else
#define LAMIVEX_API
#endif

/* Result codes. 0 is success; no other values are ever returned as a result code. */
enum {
    LAMIVEX_OK = 0,
    /* Not supported: the buffer given to Lamivex_GetImage is too small; while opening, a layer channel
       is compressed other than raw (0) or run-length (1), a plane is larger than the library can hold
       (more than LAMIVEX_MAX_PLANE_AREA pixels), or memory ran out. */
    LAMIVEX_UNSUPPORTED = 1,
    LAMIVEX_FILE_ERROR = 100,          /* the file cannot be opened, mapped or viewed */
    LAMIVEX_GENERIC_ERROR = 301,       /* open: resource 1026 too short; GetImage: any other failure */
    LAMIVEX_OUT_OF_FILE = 303,         /* a position or field computed from the file lies outside it,
                                          or a layer record's blend signature is not "8BIM" */
    LAMIVEX_ALREADY_OPEN = 304,        /* Lamivex_Open while a document is open */
    LAMIVEX_BAD_HEADER = 305,          /* not "8BPS", version not 1, or 24 or more channels */
    LAMIVEX_TOO_LARGE = 306,           /* width or height above min(maxDimension, 30001) */
    LAMIVEX_NOT_RGB = 307,             /* colour mode is not RGB */
    LAMIVEX_NOT_8BIT = 308,            /* depth is not 8 bits per channel */
    LAMIVEX_NOT_OPEN = 309,            /* no document is open */
    LAMIVEX_CORRUPT_RLE = 310,         /* run-length data is corrupt */
    LAMIVEX_BAD_INDEX = 311            /* layer index not below the layer count */
};

/* The largest plane (width * height of a layer, of its mask or of the canvas) a document may have:
   the most pixels a 32-bit buffer size can hold. A document with a larger plane fails to open with 1. */
#define LAMIVEX_MAX_PLANE_AREA 0x3FFFFFFFu

/* Rectangle in document pixels; right and bottom are exclusive. */
typedef struct LamivexRect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
} LamivexRect;

/* Description of the whole image (index < 0) or of one layer, filled by Lamivex_GetImageInfo. */
typedef struct ImageInfo {
    int32_t index;        /* in: layer index, or any negative value for the whole image */
    int32_t groupId;      /* layer group id from resource 1026: 0 without it, -1 for id 0 or the image */
    LamivexRect bounds;   /* the rectangle Lamivex_GetImage delivers for this index */
    char name[68];        /* NUL-terminated layer name (Latin-1); empty for the whole image */
    int32_t visible;      /* 1 or 0 */
    char blendMode[8];    /* blend key, NUL, then clipping, layer flags, low byte of extra length */
    int32_t opacity;      /* 0..255 */
    int32_t maskEnabled;  /* 1 or 0 */
} ImageInfo;

/* The record's layout is part of the interface. */
#if defined(__cplusplus)
#define LAMIVEX_STATIC_ASSERT(c, m) static_assert(c, m)
#elif defined(__STDC_VERSION__) && __STDC_VERSION__ >= 201112L
#define LAMIVEX_STATIC_ASSERT(c, m) _Static_assert(c, m)
#endif
#ifdef LAMIVEX_STATIC_ASSERT
LAMIVEX_STATIC_ASSERT(sizeof(ImageInfo) == 112, "ImageInfo is 112 bytes");
LAMIVEX_STATIC_ASSERT(offsetof(ImageInfo, groupId) == 4, "ImageInfo.groupId at 4");
LAMIVEX_STATIC_ASSERT(offsetof(ImageInfo, bounds) == 8, "ImageInfo.bounds at 8");
LAMIVEX_STATIC_ASSERT(offsetof(ImageInfo, name) == 24, "ImageInfo.name at 24");
LAMIVEX_STATIC_ASSERT(offsetof(ImageInfo, visible) == 92, "ImageInfo.visible at 92");
LAMIVEX_STATIC_ASSERT(offsetof(ImageInfo, blendMode) == 96, "ImageInfo.blendMode at 96");
LAMIVEX_STATIC_ASSERT(offsetof(ImageInfo, opacity) == 104, "ImageInfo.opacity at 104");
LAMIVEX_STATIC_ASSERT(offsetof(ImageInfo, maskEnabled) == 108, "ImageInfo.maskEnabled at 108");
LAMIVEX_STATIC_ASSERT(sizeof(LamivexRect) == 16, "LamivexRect is four int32");
#undef LAMIVEX_STATIC_ASSERT
#endif

/* Always 103. */
LAMIVEX_API int32_t Lamivex_GetVersion(void);

/* Opens and parses the PSD file at path (NUL-terminated) and keeps it as the open document.
   maxDimension limits width and height (compared as unsigned, never above 30001); reserved is ignored.
   Returns 0, 1, 100, 301, 303, 304, 305, 306, 307 or 308. On failure nothing stays open. */
LAMIVEX_API int32_t Lamivex_Open(const char* path, int32_t maxDimension, int32_t reserved);

/* Closes the open document, if any. */
LAMIVEX_API void Lamivex_Close(void);

/* The number of layers of the open document, or 309 when none is open. */
LAMIVEX_API int32_t Lamivex_GetLayerCount(void);

/* Fills *info (all but index) for info->index. Returns 0, 309 (record untouched) or 311 (index not below
   the layer count; every byte but index zeroed). */
LAMIVEX_API int32_t Lamivex_GetImageInfo(ImageInfo* info);

/* Decodes layer index (negative: the merged image) into buffer, which must hold bufferSize bytes and at
   least (right - left) * (bottom - top) * 4 of the rectangle Lamivex_GetImageInfo reports. The whole
   buffer is first filled with 0xFF; then each channel is written into its byte lane and an enabled user
   mask scales alpha. *bufferRect receives the rectangle on success only.
   Returns 0; 309; 311; 1 (buffer too small, nothing written); 303 (inverted rectangle, or the channel
   data runs past the end of the file); 310 (corrupt run-length data); 301 (any other failure). After a
   failure in the channel data the buffer holds the fill and the channels completed before it. */
LAMIVEX_API int32_t Lamivex_GetImage(int32_t index, void* buffer, uint32_t bufferSize, LamivexRect* bufferRect);

/* Crops buffer, which covers *bufferRect, in place to its intersection with *clipRect and rewrites
   *bufferRect ((0,0,0,0) when they do not overlap). Returns bufferRect. */
LAMIVEX_API LamivexRect* Lamivex_UnderScan(void* buffer, LamivexRect* bufferRect, const LamivexRect* clipRect);

/* Trims buffer, which covers *bufferRect, in place to the bounds of its pixels with alpha above 1, when
   those span at least two columns and two rows; otherwise leaves both as they are. Returns bufferRect. */
LAMIVEX_API LamivexRect* Lamivex_Minimize(void* buffer, LamivexRect* bufferRect);

#ifdef __cplusplus
}
#endif

#endif /* LAMIVEX_H */
