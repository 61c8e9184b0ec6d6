// Writes the fuzzer's seed documents, composed with the test builder, into a folder: every feature the
// reader knows (masks of every length, "luni" names, resource 1026, raw and run-length channels, merged
// images of 3 to 5 channels, real user masks, unknown channel ids, empty and off-canvas layers).
//
//   lamivex_fuzz_seeds DIR
#include <cstdio>
#include <string>

#include "PsdBuilder.h"

using namespace psdtest;

namespace {

void Write(const std::string& dir, const std::string& name, const Document& d) {
    const Bytes bytes = d.Build();
    FILE* f = std::fopen((dir + "/" + name + ".psd").c_str(), "wb");
    if (f == nullptr) {
        std::perror(name.c_str());
        std::exit(1);
    }
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

Layer Masked(uint16_t compression, uint32_t maskLength) {
    Layer l = LayerAt(Rect{-2, -1, 6, 5}, {}, "masked");
    for (int16_t id : {-1, 0, 1, 2, -2}) {
        const Rect r = id == -2 ? Rect{1, 1, 4, 3} : l.bounds;
        const Bytes plane = Ramp(r.Width(), r.Height(), static_cast<uint8_t>(id * 40), 3);
        l.channels.push_back(compression ? RleChannel(id, plane, r.Width(), r.Height())
                                         : RawChannel(id, plane));
    }
    l.maskData = MaskData(Rect{1, 1, 4, 3}, 0, 0, maskLength);
    return l;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: lamivex_fuzz_seeds DIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    for (uint16_t channels : {3, 4, 5}) {
        for (uint16_t compression : {0, 1}) {
            Document d = Canvas(5, 4, channels);
            d.mergedCompression = compression;
            Write(dir, "merged-" + std::to_string(channels) + "-" + std::to_string(compression), d);
        }
    }
    for (uint16_t compression : {0, 1}) {
        for (uint32_t maskLength : {20u, 36u}) {
            Document d = Canvas(6, 5);
            d.mergedCompression = compression;
            Layer m = Masked(compression, maskLength);
            m.additionalInfo = {InfoBlock("lyid", Bytes(4, 1)), LuniBlock(u"M\u00e4ske")};
            Layer hidden =
                LayerAt(Rect{2, 2, 4, 4},
                        {RleChannel(0, Flat(2, 2, 9), 2, 2), RawChannel(-1, Flat(2, 2, 200))}, "hidden");
            hidden.flags = 2;
            Layer real = LayerAt(Rect{0, 0, 3, 3},
                                 {RawChannel(0, Flat(3, 3, 1)), Channel{-3, 1, Bytes(10, 0x81), {}},
                                  RawChannel(5, Flat(3, 3, 2))},
                                 "real mask");
            d.layers = {m, hidden, real, LayerAt(Rect{4, 4, 4, 4}, {RleChannel(0, {}, 0, 0)}, "empty")};
            d.resources = {Resource{1005, "info", Bytes(16, 0)}, LayerGroups({1, 0, 2, 65535})};
            Write(dir, "layers-" + std::to_string(compression) + "-" + std::to_string(maskLength), d);
        }
    }
    Document cyrillic = Canvas(3, 3);
    Layer named = LayerAt(Rect{0, 0, 3, 3}, {RawChannel(0, Flat(3, 3, 50))}, "Sloy");
    named.additionalInfo = {LuniBlock(u"\u0421\u043b\u043e\u0439")};
    cyrillic.layers = {named};
    cyrillic.storedLayerCount = -1;
    Write(dir, "luni-cyrillic", cyrillic);
    Document none = Canvas(4, 4);
    none.forceLayerInfo = true;
    Write(dir, "no-layers", none);
    return 0;
}
