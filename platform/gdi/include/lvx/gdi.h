/*
 * lvx/gdi.h - device contexts and bitmaps for the effect plug-ins.
 *
 * A small graphics service with the calls the plug-ins draw with (GetPixel, SetPixel,
 * CreateCompatibleDC, CreateCompatibleBitmap, SelectObject, BitBlt, AlphaBlend, DeleteObject,
 * DeleteDC) and a few host-side calls (prefix LvxGdi_) that put a device context over memory the
 * host owns. It is one shared library, so the host and every plug-in resolve handles through the
 * same process-wide table.
 *
 * Handles are 32-bit values (HDC, HBITMAP, HGDIOBJ); 0 is never a valid handle. A handle carries a
 * slot index and a generation, so a handle whose object was deleted is rejected even after its slot
 * was reused. Bit 31 is always clear: a handle read as a signed 32-bit integer is positive.
 *
 * Threads: the table is not guarded. All calls happen on one thread (the apartment model of the
 * plug-ins); calling from two threads at once is undefined.
 *
 * Pixels: every surface holds 32-bit pixels of four bytes, blue, green, red, alpha (straight alpha,
 * 255 opaque), rows from the top down, `stride` bytes from the start of one row to the next. This is
 * the byte order of the Lamivex image buffer, so a host can hand such a buffer over directly.
 * Colours (COLORREF) are 0x00BBGGRR: red in the low byte. A colour says nothing of alpha.
 */
#ifndef LVX_GDI_H
#define LVX_GDI_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(__GNUC__)
#define LVX_GDI_API __attribute__((visibility("default")))
#else
#define LVX_GDI_API
#endif

typedef uint32_t HGDIOBJ; /* any object: device context or bitmap */
typedef uint32_t HDC;
typedef uint32_t HBITMAP;
typedef uint32_t COLORREF; /* 0x00BBGGRR */
typedef int32_t BOOL;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

#define CLR_INVALID 0xFFFFFFFFu /* GetPixel outside the surface; SetPixel failure */
#define SRCCOPY 0x00CC0020u     /* the only raster operation BitBlt knows */
#define AC_SRC_OVER 0x00u       /* BlendOp */
#define AC_SRC_ALPHA 0x01u      /* AlphaFormat: the source carries premultiplied per-pixel alpha */

/* ---- Host-side calls ---------------------------------------------------------------------------- */

/* Where a device context draws, as the host reads it. */
typedef struct LvxSurface {
    uint8_t* pixels; /* first byte of the top row */
    int32_t width;
    int32_t height;
    int32_t stride; /* bytes from one row to the next */
} LvxSurface;

/* A device context over a surface the host owns: `width` x `height` pixels (each >= 0) at `pixels`,
   `stride` bytes per row (a multiple of 4, at least 4 * width). The memory must stay valid until
   LvxGdi_ReleaseSurfaceDC; the service never frees it. Answers 0 when the arguments are unusable
   (negative size, short or unaligned stride, null pixels for a non-empty surface) or the table is full.
   Drawing through the handle changes the host's memory in place: the host reads the result there. */
LVX_GDI_API HDC LvxGdi_CreateSurfaceDC(void* pixels, int32_t width, int32_t height, int32_t stride);

/* Frees a context made by LvxGdi_CreateSurfaceDC (not the host's memory). FALSE for any other handle:
   memory contexts are freed with DeleteDC, and DeleteDC refuses a host's context. */
LVX_GDI_API BOOL LvxGdi_ReleaseSurfaceDC(HDC dc);

/* Fills `out` with the surface that `object` draws on now: a host context's memory, the bitmap
   selected into a memory context, or a bitmap's own pixels. FALSE (and `out` untouched) for an
   invalid handle or a null `out`. */
LVX_GDI_API BOOL LvxGdi_GetSurface(HGDIOBJ object, LvxSurface* out);

/* The number of live device contexts and bitmaps (the stock default bitmap not counted). A host or a
   test compares it before and after a run to see that nothing was left behind. */
LVX_GDI_API uint32_t LvxGdi_ObjectCount(void);

/* ---- Drawing calls ------------------------------------------------------------------------------ */

/* The colour of pixel (x, y); CLR_INVALID for a point outside the surface or an invalid handle. */
LVX_GDI_API COLORREF GetPixel(HDC dc, int32_t x, int32_t y);

/* Writes `colour` to pixel (x, y), keeping the pixel's alpha byte, and answers the colour written.
   Answers CLR_INVALID and writes nothing for a point outside the surface, an invalid handle, a context
   on the read-only default bitmap, or a value whose high byte is not 0 (such as CLR_INVALID itself:
   it is not a colour). */
LVX_GDI_API COLORREF SetPixel(HDC dc, int32_t x, int32_t y, COLORREF colour);

/* A new memory context, with the 1 x 1 default bitmap selected. `dc` may be 0 or any valid context
   (all surfaces have the one pixel format). Answers 0 for an invalid non-zero `dc` or a full table. */
LVX_GDI_API HDC CreateCompatibleDC(HDC dc);

/* A new `width` x `height` bitmap filled with opaque black (bytes 0, 0, 0, 255), so that blending onto
   it keeps an opaque picture opaque. A width or height of 0 gives a 1 x 1 bitmap. Answers 0 for an
   invalid `dc`, a negative size, more than 2^28 pixels, or memory or table exhausted. */
LVX_GDI_API HBITMAP CreateCompatibleBitmap(HDC dc, int32_t width, int32_t height);

/* Selects bitmap `object` into memory context `dc` and answers the bitmap selected before (the
   default bitmap for a new context). Answers 0 and changes nothing when `dc` is not a memory context,
   `object` is not a bitmap, or the bitmap is selected into another context (one context at a time;
   the default bitmap may be in any number). */
LVX_GDI_API HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);

/* Copies the `w` x `h` block at (xSrc, ySrc) of `src` to (x, y) of `dst`, all four bytes of each
   pixel. The block is clipped to both surfaces: only pixels whose source and target both lie inside
   are copied. Overlapping blocks of one surface are copied as if through a temporary copy. FALSE
   (nothing drawn) for an invalid handle, a negative w or h, a raster operation other than SRCCOPY, or
   a target on the default bitmap; TRUE otherwise, also when clipping leaves nothing. */
LVX_GDI_API BOOL BitBlt(HDC dst, int32_t x, int32_t y, int32_t w, int32_t h, HDC src, int32_t xSrc,
                        int32_t ySrc, uint32_t rop);

/* Blends the `wSrc` x `hSrc` block at (xSrc, ySrc) of `src` onto the block at (xDst, yDst) of `dst`,
   clipped to both surfaces, with overlapping blocks of one surface treated as by BitBlt. `blend` is
   a BLENDFUNCTION as one 32-bit value: byte 0 BlendOp (must be AC_SRC_OVER), byte 1 BlendFlags
   (must be 0), byte 2 SourceConstantAlpha (a), byte 3 AlphaFormat. For every byte of a pixel,
   blue, green, red and alpha alike:
     AlphaFormat 0:            dst = (src * a + dst * (255 - a) + 127) / 255   (integer division)
       which is src * a / 255 + dst * (1 - a / 255) rounded to nearest (a tie cannot occur);
       a = 255 copies the source, a = 0 keeps the target.
     AlphaFormat AC_SRC_ALPHA: the source is taken as premultiplied, as by the Windows call:
       s' = (src * a + 127) / 255 for every byte, sa' = that of the alpha byte, then
       dst = min(255, s' + (dst * (255 - sa') + 127) / 255).
   Any other AlphaFormat (0xFF, for instance), BlendOp or BlendFlags has no defined meaning: the call
   answers FALSE and draws nothing. Also FALSE for an invalid handle, a negative size, source and
   target sizes that differ (no stretching), or a target on the default bitmap. */
LVX_GDI_API BOOL AlphaBlend(HDC dst, int32_t xDst, int32_t yDst, int32_t wDst, int32_t hDst, HDC src,
                            int32_t xSrc, int32_t ySrc, int32_t wSrc, int32_t hSrc, uint32_t blend);

/* Frees a bitmap. FALSE (nothing freed) for a bitmap still selected into a context, a context handle
   or an invalid handle. The default bitmap is a stock object: deleting it does nothing and answers
   TRUE. */
LVX_GDI_API BOOL DeleteObject(HGDIOBJ object);

/* Frees a memory context. A bitmap still selected into it is deselected and stays alive (its owner
   deletes it). FALSE for a host's context (see LvxGdi_ReleaseSurfaceDC) or an invalid handle. */
LVX_GDI_API BOOL DeleteDC(HDC dc);

#ifdef __cplusplus
}
#endif

#endif /* LVX_GDI_H */
