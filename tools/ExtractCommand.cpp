// lamivex extract: the merged image and each layer as RGBA PNG files.
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "Commands.h"
#include "Document.h"
#include "ExitStatus.h"
#include "FileNames.h"
#include "ImageInfoText.h"
#include "LayerSelection.h"
#include "OutputDirectory.h"
#include "PngFile.h"
#include "Progress.h"
#include "ResultText.h"

namespace lvx::host {

namespace {

constexpr OptionDef kOptions[] = {{"output", 'o', true},
                                  {"crop", 0, true},
                                  {"layers", 0, true},
                                  {"quiet", 'q', false},
                                  {"help", 'h', false}};

constexpr const char* kHelp =
    "Usage: lamivex extract FILE.psd [-o DIR] [--crop none|canvas|visible] [--layers LIST] [--quiet]\n"
    "Writes the merged image as merged.png and each layer as layer-NNN-NAME.png (NNN the layer index,\n"
    "NAME the layer name reduced to letters, digits, '-', '_' and '.'), as 8-bit RGBA PNG files with\n"
    "straight alpha. Layer opacity, visibility and blend mode are not applied; an enabled layer mask is.\n\n"
    "  -o, --output DIR  write into DIR, created if missing (default: the document's name without its\n"
    "                    extension, in the current directory)\n"
    "  --crop none       keep each image's own rectangle, also where a layer reaches outside the canvas\n"
    "                    (default)\n"
    "  --crop canvas     cut each image to the document's canvas\n"
    "  --crop visible    cut to the canvas, then trim to the pixels with alpha above 1 (kept as it is\n"
    "                    when those span fewer than two columns or rows)\n"
    "  --layers LIST     only these images: layer indexes and ranges, and 'merged' for the merged image,\n"
    "                    separated by commas, e.g. 'merged,0,3-5' (default: the merged image and every "
    "layer)\n"
    "  -q, --quiet       no progress bar (it is shown only on a terminal, for documents that take a while)\n"
    "  -h, --help        print this help\n\n"
    "An image with no pixels (a zero-area layer, or one cut away entirely by --crop) gets no file.\n"
    "Existing files of the same names are replaced; each file appears only once it is complete. When the\n"
    "document cannot be opened, nothing is created.\n\n"
    "Exit status: 0 success, 1 the document cannot be opened, 2 bad command line or no such layer,\n"
    "3 an output file cannot be written, 4 some images failed to decode (the others were written).\n";

std::optional<Crop> parseCrop(const std::string& text) {
    if (text == "none") return Crop::None;
    if (text == "canvas") return Crop::Canvas;
    if (text == "visible") return Crop::Visible;
    return std::nullopt;
}

std::string imageLabel(int32_t index, const ImageInfo& info) {
    if (index < 0) return "merged image";
    return "layer " + std::to_string(index) + " \"" + layerName(info) + "\"";
}

}  // namespace

int runExtract(const std::vector<std::string>& args) {
    std::string error;
    const auto line = parseCommandLine(args, kOptions, error);
    if (!line) {
        reportUsageError("extract", error);
        return kExitUsage;
    }
    if (line->has("help")) {
        std::fputs(kHelp, stdout);
        return kExitOk;
    }
    if (line->operands.size() != 1) {
        reportUsageError("extract",
                         line->operands.empty() ? "no document given" : "give exactly one document");
        return kExitUsage;
    }
    const auto crop = parseCrop(line->value("crop", "none"));
    if (!crop) {
        reportUsageError("extract",
                         "--crop takes none, canvas or visible, not '" + line->value("crop") + "'");
        return kExitUsage;
    }
    LayerSelection selection = LayerSelection::all();
    if (line->has("layers")) {
        auto parsed = LayerSelection::parse(line->value("layers"), error);
        if (!parsed) {
            reportUsageError("extract", "--layers: " + error);
            return kExitUsage;
        }
        selection = *parsed;
    }
    const std::string& path = line->operands[0];
    const std::string outputDir = line->value("output", defaultOutputDirectory(path));

    // Open before creating anything, so a document that cannot be read leaves no trace.
    Document document;
    if (const int32_t code = document.open(path); code != LAMIVEX_OK) {
        reportFailure(path, openFailureMessage(path, code));
        return kExitDocument;
    }
    const int32_t layerCount = document.layerCount();
    if (selection.highestIndex() >= layerCount) {
        reportFailure(path, "no layer " + std::to_string(selection.highestIndex()) + " (the document has " +
                                std::to_string(layerCount) + (layerCount == 1 ? " layer)" : " layers)"));
        return kExitUsage;
    }
    std::vector<int32_t> chosen;
    for (int32_t index = -1; index < layerCount; ++index) {
        if (selection.contains(index)) chosen.push_back(index);
    }
    if (const std::string problem = makeDirectories(outputDir); !problem.empty()) {
        reportFailure(outputDir, "cannot create the output directory: " + problem);
        return kExitOutput;
    }

    removeTemporaryFilesOnSignals();
    ImageInfo whole{};
    document.info(-1, whole);
    Progress progress(stderr, !line->has("quiet") && ::isatty(STDERR_FILENO), "extract " + path,
                      static_cast<int>(chosen.size()));
    bool decodeFailed = false;
    Image image;
    for (const int32_t index : chosen) {
        ImageInfo info{};
        int32_t code = document.info(index, info);
        if (code == LAMIVEX_OK) code = document.decode(index, info.bounds, whole.bounds, *crop, image);
        if (code != LAMIVEX_OK) {
            progress.message(path + ": " + imageLabel(index, info) + ": " +
                             withCode(decodeFailureText(code), code));
            decodeFailed = true;
        } else if (!image.empty()) {
            const std::string file = outputDir + "/" + imageFileName(index, info.name);
            if (const std::string problem = writePngFile(file, image); !problem.empty()) {
                progress.message(file + ": cannot write the PNG file: " + problem);
                return kExitOutput;
            }
        }
        progress.advance();
    }
    return decodeFailed ? kExitDecode : kExitOk;
}

}  // namespace lvx::host
