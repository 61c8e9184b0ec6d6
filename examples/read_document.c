/* Opens a PSD document, describes it and decodes every layer, cropped to the canvas. */
#include <lamivex.h>
#include <stdio.h>
#include <stdlib.h>

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: %s FILE.psd\n", argv[0]);
        return 2;
    }
    int32_t code = Lamivex_Open(argv[1], 30001, 0);
    if (code != LAMIVEX_OK) {
        fprintf(stderr, "%s: cannot open (code %d)\n", argv[1], (int)code);
        return 1;
    }

    ImageInfo image = {.index = -1}; /* a negative index describes the whole image */
    Lamivex_GetImageInfo(&image);
    int32_t count = Lamivex_GetLayerCount();
    printf("%d x %d pixels, %d layers\n", (int)image.bounds.right, (int)image.bounds.bottom, (int)count);

    int status = 0;
    for (int32_t i = 0; i < count; ++i) {
        ImageInfo layer = {.index = i};
        Lamivex_GetImageInfo(&layer);
        int64_t width = (int64_t)layer.bounds.right - layer.bounds.left;
        int64_t height = (int64_t)layer.bounds.bottom - layer.bounds.top;
        if (width <= 0 || height <= 0) {
            printf("layer %d \"%s\": empty\n", (int)i, layer.name);
            continue;
        }
        /* A plane holds at most LAMIVEX_MAX_PLANE_AREA pixels, so the size fits in 32 bits. */
        uint32_t size = (uint32_t)(width * height * 4);
        unsigned char* pixels = malloc(size);
        if (pixels == NULL) {
            status = 1;
            break;
        }
        LamivexRect rect;
        code = Lamivex_GetImage(i, pixels, size, &rect);
        if (code == LAMIVEX_OK) {
            /* Keep the part on the canvas; the pixels move to the front of the buffer. */
            Lamivex_UnderScan(pixels, &rect, &image.bounds);
            printf("layer %d \"%s\": (%d, %d)-(%d, %d) on the canvas\n", (int)i, layer.name, (int)rect.left,
                   (int)rect.top, (int)rect.right, (int)rect.bottom);
        } else {
            printf("layer %d \"%s\": cannot decode (code %d)\n", (int)i, layer.name, (int)code);
            status = 1;
        }
        free(pixels);
    }
    Lamivex_Close();
    return status;
}
