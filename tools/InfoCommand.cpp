// lamivex info: the whole image and a table (or JSON) of the layers, as Lamivex_GetImageInfo reports them.
#include <cstdio>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "Commands.h"
#include "Document.h"
#include "ExitStatus.h"
#include "ImageInfoText.h"
#include "Json.h"
#include "ResultText.h"

namespace lvx::host {

namespace {

constexpr OptionDef kOptions[] = {{"json", 0, false}, {"help", 'h', false}};

constexpr const char* kHelp =
    "Usage: lamivex info FILE.psd [--json]\n"
    "Prints the size of the document and one row per layer: index, bounds (left, top, right, bottom;\n"
    "right and bottom exclusive, may reach outside the canvas), visible, opacity (0-255), blend key,\n"
    "clipping, layer flags, mask enabled, group id and name. Names are printed as UTF-8.\n"
    "A layer without mask data reports its mask as enabled, as the library does.\n\n"
    "  --json      print one JSON object instead of the table\n"
    "  -h, --help  print this help\n\n"
    "Exit status: 0 success, 1 the document cannot be opened, 2 bad command line.\n";

const char* yesNo(int32_t value) {
    return value ? "yes" : "no";
}

void printTable(const std::string& path, const ImageInfo& whole, const std::vector<ImageInfo>& layers) {
    std::printf("File:   %s\n", path.c_str());
    std::printf("Size:   %d x %d pixels\n", whole.bounds.right, whole.bounds.bottom);
    std::printf("Layers: %zu\n", layers.size());
    if (layers.empty()) return;
    std::printf("\n%5s %7s %7s %7s %7s  %-7s %7s  %-5s %4s %5s  %-4s %5s  %s\n", "Index", "Left", "Top",
                "Right", "Bottom", "Visible", "Opacity", "Blend", "Clip", "Flags", "Mask", "Group", "Name");
    for (const ImageInfo& info : layers) {
        std::printf("%5d %7d %7d %7d %7d  %-7s %7d  %-5s %4u  0x%02x  %-4s %5d  %s\n", info.index,
                    info.bounds.left, info.bounds.top, info.bounds.right, info.bounds.bottom,
                    yesNo(info.visible), info.opacity, blendKey(info).c_str(), clipping(info),
                    layerFlags(info), yesNo(info.maskEnabled), info.groupId, layerName(info).c_str());
    }
}

void printJson(const std::string& path, const ImageInfo& whole, const std::vector<ImageInfo>& layers) {
    std::printf(
        "{\n  \"file\": %s,\n  \"width\": %d,\n  \"height\": %d,\n  \"layerCount\": %zu,\n  \"layers\": [",
        jsonString(path).c_str(), whole.bounds.right, whole.bounds.bottom, layers.size());
    const char* separator = "\n";
    for (const ImageInfo& info : layers) {
        std::printf(
            "%s    {\"index\": %d, \"name\": %s, \"bounds\": {\"left\": %d, \"top\": %d, \"right\": %d, "
            "\"bottom\": %d}, \"visible\": %s, \"opacity\": %d, \"blendMode\": %s, \"clipping\": %u, "
            "\"flags\": %u, \"extraLengthLowByte\": %u, \"maskEnabled\": %s, \"groupId\": %d}",
            separator, info.index, jsonString(layerName(info)).c_str(), info.bounds.left, info.bounds.top,
            info.bounds.right, info.bounds.bottom, info.visible ? "true" : "false", info.opacity,
            jsonString(blendKey(info)).c_str(), clipping(info), layerFlags(info), extraLengthLowByte(info),
            info.maskEnabled ? "true" : "false", info.groupId);
        separator = ",\n";
    }
    std::printf("%s]\n}\n", layers.empty() ? "" : "\n  ");
}

}  // namespace

int runInfo(const std::vector<std::string>& args) {
    std::string error;
    const auto line = parseCommandLine(args, kOptions, error);
    if (!line) {
        reportUsageError("info", error);
        return kExitUsage;
    }
    if (line->has("help")) {
        std::fputs(kHelp, stdout);
        return kExitOk;
    }
    if (line->operands.size() != 1) {
        reportUsageError("info", line->operands.empty() ? "no document given" : "give exactly one document");
        return kExitUsage;
    }
    const std::string& path = line->operands[0];

    Document document;
    if (const int32_t code = document.open(path); code != LAMIVEX_OK) {
        reportFailure(path, openFailureMessage(path, code));
        return kExitDocument;
    }
    ImageInfo whole{};
    document.info(-1, whole);
    std::vector<ImageInfo> layers(static_cast<size_t>(document.layerCount()));
    for (size_t i = 0; i < layers.size(); ++i) {
        if (const int32_t code = document.info(static_cast<int32_t>(i), layers[i]); code != LAMIVEX_OK) {
            reportFailure(path, "layer " + std::to_string(i) + ": " + withCode(openFailureText(code), code));
            return kExitDocument;
        }
    }
    if (line->has("json")) {
        printJson(path, whole, layers);
    } else {
        printTable(path, whole, layers);
    }
    return kExitOk;
}

}  // namespace lvx::host
