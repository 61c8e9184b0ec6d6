// Prints the time of each of the five effects on a 4000 x 3000 picture, run as the host runs them
// (modules registered into a temporary registry, Data created by programmatic identifier, Run called
// by name with a scripted OK on the initial dialog values), against the same work written as plain
// loops over the pixel memory: read, scale and write every visited pixel for the per-pixel effects,
// the blend passes and copies for the blur effects. Where ImageMagick's `convert` is installed, its
// nearest equivalents are timed too.
//
//   effect_bench [plug-in folder]     (default: the build's library folder)
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <optional>

#include "EffectObject.h"
#include "lvx/ComHost.h"
#include "lvx/Dialogs.h"
#include "lvx/gdi.h"
#include "lvx/runtime.h"

namespace {

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

std::vector<uint8_t> MakePicture() {
    std::vector<uint8_t> bytes(size_t(kWidth) * kHeight * 4);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            uint8_t* p = &bytes[(size_t(y) * kWidth + x) * 4];
            p[0] = uint8_t(x * 7 + y);
            p[1] = uint8_t(x + y * 3);
            p[2] = uint8_t(x * y >> 4);
            p[3] = 255;
        }
    return bytes;
}

// Umbrino's class: once Mollivo is registered last, Mollivo.Data names Mollivo's class, so the host
// reaches Umbrino by class id.
const char kUmbrinoClass[] = "{83BDBCA5-9CBB-43B5-9643-17875502ECDD}";

// Runs one effect through the component layer (created by programmatic identifier, or by class id
// for a "{...}" argument); answers the seconds of Run.
double RunPlugin(const char* progId, std::vector<uint8_t>& bytes,
                 std::initializer_list<const char*> actions) {
    std::optional<lvx::plugins::EffectObject> object;
    if (progId[0] == '{')
        object.emplace(*lvx::GuidFromString(progId));
    else
        object.emplace(progId);
    if (!object->valid()) {
        std::fprintf(stderr, "cannot create %s\n", progId);
        std::exit(1);
    }
    lvx::dialogs::ScriptedUser user;
    for (const char* action : actions)
        user.add(action);
    lvx::dialogs::ScopedUser scope(user);
    const HDC dc = LvxGdi_CreateSurfaceDC(bytes.data(), kWidth, kHeight, kWidth * 4);
    const auto start = Clock::now();
    object->run(dc, kWidth, kHeight);
    const double seconds = Seconds(start);
    LvxGdi_ReleaseSurfaceDC(dc);
    return seconds;
}

// The direct limit of a per-pixel effect: every pixel of rows 0..h, columns 0..w that lies in the
// picture read, each component scaled by its factor (rounded to nearest even, clamped) and written.
double DirectScale(std::vector<uint8_t>& bytes, double factor, int bandWidth = -1) {
    const auto start = Clock::now();
    for (int y = 0; y < kHeight; ++y) {
        uint8_t* row = &bytes[size_t(y) * kWidth * 4];
        const bool wholeRow = bandWidth < 0 || y <= bandWidth || y >= kHeight - 1 - bandWidth;
        for (int x = 0; x < kWidth; ++x) {
            if (!wholeRow && x > bandWidth && x < kWidth - 1 - bandWidth) x = kWidth - 1 - bandWidth;
            uint8_t* p = row + x * 4;
            for (int i = 0; i < 3; ++i)
                p[i] = uint8_t(std::min(255.0, std::nearbyint(p[i] * factor)));
        }
    }
    return Seconds(start);
}

// Blends `src` at (dx, dy) onto `dst` with constant alpha a, every byte, as plain loops.
void DirectBlend(std::vector<uint8_t>& dst, const std::vector<uint8_t>& src, int dx, int dy, int a) {
    for (int y = std::max(0, -dy); y < std::min(kHeight, kHeight - dy); ++y) {
        const uint8_t* s = &src[(size_t(y) * kWidth + std::max(0, -dx)) * 4];
        uint8_t* d = &dst[(size_t(y + dy) * kWidth + std::max(0, -dx) + dx) * 4];
        const int n = (std::min(kWidth, kWidth - dx) - std::max(0, -dx)) * 4;
        for (int i = 0; i < n; ++i)
            d[i] = uint8_t((s[i] * a + d[i] * (255 - a) + 127) / 255);
    }
}

double DirectMollivo(std::vector<uint8_t>& picture) {
    const auto start = Clock::now();
    std::vector<uint8_t> memory = picture;
    for (int j = 0; j <= 5; ++j) {
        const int dx = lvx::CInt(2.0 * lvx::Rnd() - 1), dy = lvx::CInt(2.0 * lvx::Rnd() - 1);
        DirectBlend(memory, picture, dx, dy, 255 - 40 * j);
    }
    picture = memory;
    return Seconds(start);
}

double DirectUmbrino(std::vector<uint8_t>& picture) {
    const auto start = Clock::now();
    std::vector<uint8_t> memory(picture.size());
    for (size_t i = 3; i < memory.size(); i += 4)
        memory[i] = 255;
    for (int d = -2; d <= 3; ++d)
        DirectBlend(memory, picture, d, d, 128 - 40 * d);
    picture = memory;
    return Seconds(start);
}

// Seconds of a shell command, or a negative value when it failed.
double TimeCommand(const std::string& command) {
    const auto start = Clock::now();
    const int status = std::system((command + " >/dev/null 2>&1").c_str());
    return status == 0 ? Seconds(start) : -1;
}

void Row(const char* name, double effect, double limit, const char* limitName) {
    std::printf("%-28s %8.3f s   %-34s %8.3f s   ratio %6.2f\n", name, effect, limitName, limit,
                effect / limit);
}

}  // namespace

int main(int argc, char** argv) {
    const std::string dir = argc > 1 ? argv[1] : LVX_PLUGIN_DIR;
    std::string folder = (std::filesystem::temp_directory_path() / "lvx-effect-bench-XXXXXX").string();
    if (mkdtemp(folder.data()) == nullptr) return 1;
    setenv("LAMIVEX_REGISTRY", (folder + "/registry").c_str(), 1);
    for (const char* name : {"Colors", "Button", "Diffuse", "Umbrino", "Mollivo"}) {
        if (lvx::RegisterServerModule(dir + "/" + name + ".pgs") != lvx::S_OK) {
            std::fprintf(stderr, "cannot register %s/%s.pgs\n", dir.c_str(), name);
            return 1;
        }
    }
    const std::vector<uint8_t> original = MakePicture();
    std::printf("picture %d x %d\n", kWidth, kHeight);

    std::vector<uint8_t> a = original, b = original;
    const double directAll = DirectScale(b, 1.0);
    Row("Colors 100/100/100", RunPlugin("Colors.Data", a, {"enter"}), directAll, "direct scale, every pixel");
    // Button visits only its bands: against the whole picture (the limit) and against its own pixels.
    a = original;
    const double button = RunPlugin("Button.Data", a, {"enter"});
    Row("Button B = 10, 50", button, directAll, "direct scale, every pixel");
    b = original;
    Row("Button B = 10, 50", button, DirectScale(b, 0.5, 10), "direct scale, band pixels only");
    a = original, b = original;
    Row("Diffuse 10, Sluch", RunPlugin("Diffuse.Data", a, {"enter"}), DirectScale(b, 1.0),
        "direct scale, every pixel");
    a = original, b = original;
    Row("Mollivo 1 repetition", RunPlugin("Mollivo.Data", a, {"backspace povt 2", "type povt 1", "enter"}),
        DirectMollivo(b), "six direct blend passes");
    a = original, b = original;
    double direct10 = 0;
    for (int i = 0; i < 10; ++i)
        direct10 += DirectMollivo(b);
    Row("Mollivo 10 (initial)", RunPlugin("Mollivo.Data", a, {"enter"}), direct10, "60 direct blend passes");

    a = original, b = original;
    Row("Umbrino", RunPlugin(kUmbrinoClass, a, {}), DirectUmbrino(b), "seven passes (six drawn), direct");

    if (TimeCommand("command -v convert") >= 0) {
        const std::string in = folder + "/in.ppm", out = folder + "/out.ppm";
        {
            std::ofstream f(in, std::ios::binary);
            f << "P6\n" << kWidth << " " << kHeight << "\n255\n";
            for (size_t i = 0; i < original.size(); i += 4)
                f.put(char(original[i + 2])).put(char(original[i + 1])).put(char(original[i]));
        }
        const double load = TimeCommand("convert " + in + " " + out);
        std::printf("convert: read and write alone %.3f s (included below)\n", load);
        a = original;
        const double colors = TimeCommand("convert " + in + " -channel R -evaluate multiply 0.5 " + out);
        a = original;
        const double colorsOurs = RunPlugin("Colors.Data", a, {"set HRGB(0) 50", "enter"});
        Row("Colors red 50", colorsOurs, colors, "convert -evaluate multiply 0.5");
        const double spread = TimeCommand("convert " + in + " -spread 10 " + out);
        a = original;
        Row("Diffuse 10, Sluch", RunPlugin("Diffuse.Data", a, {"enter"}), spread, "convert -spread 10");
        std::string blend = "convert " + in;
        const int offsets[6][2] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}, {1, 1}, {-1, -1}};
        for (int j = 0; j <= 5; ++j)
            blend += " \\( " + in + " -geometry " + (offsets[j][0] >= 0 ? "+" : "") +
                     std::to_string(offsets[j][0]) + (offsets[j][1] >= 0 ? "+" : "") +
                     std::to_string(offsets[j][1]) + " \\) -compose blend -define compose:args=" +
                     std::to_string((255 - 40 * j) * 100 / 255) + " -composite";
        const double blends = TimeCommand(blend + " " + out);
        a = original;
        Row("Mollivo 1 repetition",
            RunPlugin("Mollivo.Data", a, {"backspace povt 2", "type povt 1", "enter"}), blends,
            "convert, six -compose blend");
    } else {
        std::printf("convert not found: ImageMagick figures skipped\n");
    }
    std::filesystem::remove_all(folder);
    return 0;
}
