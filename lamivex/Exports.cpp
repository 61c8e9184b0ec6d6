#include "lamivex.h"

// Placeholder exports; replaced by the document implementation.
int32_t Lamivex_GetVersion(void) { return 103; }
int32_t Lamivex_Open(const char*, int32_t, int32_t) { return LAMIVEX_FILE_ERROR; }
void Lamivex_Close(void) {}
int32_t Lamivex_GetLayerCount(void) { return LAMIVEX_NOT_OPEN; }
int32_t Lamivex_GetImageInfo(ImageInfo*) { return LAMIVEX_NOT_OPEN; }
int32_t Lamivex_GetImage(int32_t, void*, uint32_t, LamivexRect*) { return LAMIVEX_NOT_OPEN; }
LamivexRect* Lamivex_UnderScan(void*, LamivexRect* r, const LamivexRect*) { return r; }
LamivexRect* Lamivex_Minimize(void*, LamivexRect* r) { return r; }
