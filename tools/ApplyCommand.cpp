// lamivex apply: runs one effect plug-in on a PNG picture, the dialog driven by scripted actions or by
// the person at the terminal, and writes the picture back as PNG.
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "Commands.h"
#include "EffectObject.h"
#include "ExitStatus.h"
#include "HResultText.h"
#include "PngFile.h"
#include "lvx/ComHost.h"
#include "lvx/dialogs/Action.h"
#include "lvx/dialogs/DialogEvents.h"
#include "lvx/dialogs/ScriptedUser.h"
#include "lvx/dialogs/TerminalUser.h"
#include "lvx/dialogs/User.h"
#include "lvx/gdi.h"
#include "lvx/runtime.h"

namespace lvx::host {

namespace {

namespace dialogs = lvx::dialogs;

constexpr OptionDef kOptions[] = {
    {"clsid", 0, true},   {"do", 0, true},    {"interactive", 'i', false},
    {"seed", 0, true},    {"clock", 0, true}, {"show-captions", 0, false},
    {"help", 'h', false},
};

// Width and height reach the plug-in as 16-bit signed values.
constexpr int64_t kLargestSide = 32767;
constexpr uint32_t kLargestRndState = 0xFFFFFF;

constexpr const char* kHelp =
    "Usage: lamivex apply PROGID IN.png OUT.png [OPTIONS]\n"
    "       lamivex apply --clsid CLASS-ID IN.png OUT.png [OPTIONS]\n"
    "Loads IN.png into a device context of its size, creates the plug-in's object by programmatic\n"
    "identifier (or class id), calls its Text and then Run with the picture's width and height, drives\n"
    "the plug-in's dialog, writes the picture as it is afterwards to OUT.png (alpha kept) and prints\n"
    "what Run answered: 'true' (applied) or 'false'. OUT.png is written also for 'false'.\n"
    "Without --do or --interactive the dialog is closed at once, as with its close box.\n\n"
    "  --clsid CLASS-ID   create the class {xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx} instead of PROGID\n"
    "  --do ACTION        one dialog action, in order (repeat the option); all are checked first\n"
    "  -i, --interactive  the person at the terminal drives the dialog (stdin/stdout); not with --do\n"
    "  --seed S           set the random generator's state to S (0 to 16777215) before Run\n"
    "  --clock SECONDS    fix the clock at SECONDS after midnight (0 <= SECONDS < 86400), so effects\n"
    "                     that seed from the clock repeat exactly\n"
    "  --show-captions    print 'text: ...' first, then every caption change ('caption: ...') and\n"
    "                     message box ('message: TITLE: TEXT') in order\n"
    "  -h, --help         print this help\n\n"
    "%s\n"
    "Pictures wider or taller than 32767 pixels are refused (the plug-ins take 16-bit sizes).\n\n"
    "Exit status: 0 success, 1 IN.png cannot be read or is too large, 2 bad command line (also an\n"
    "action the dialog cannot take; OUT.png is then not written), 3 OUT.png cannot be written,\n"
    "5 the plug-in cannot be created or its Text or Run call fails.\n";

// The values of every --do, in order; the command-line parser keeps only the last of a repeated option.
std::vector<std::string> actionTexts(const std::vector<std::string>& args) {
    std::vector<std::string> texts;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--") break;
        if (arg == "--do") {
            if (i + 1 < args.size()) texts.push_back(args[++i]);
        } else if (arg.rfind("--do=", 0) == 0) {
            texts.push_back(arg.substr(5));
        } else if (arg == "--clsid" || arg == "--seed" || arg == "--clock") {
            ++i;  // its value, which may itself start with "--do"
        }
    }
    return texts;
}

std::optional<uint32_t> parseSeed(const std::string& text) {
    uint32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || value > kLargestRndState) return std::nullopt;
    return value;
}

std::optional<float> parseClock(const std::string& text) {
    if (text.empty() || text[0] == ' ') return std::nullopt;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size() || !std::isfinite(value) || value < 0 || value >= 86400)
        return std::nullopt;
    const float seconds = static_cast<float>(value);
    if (seconds >= 86400.0f) return std::nextafter(86400.0f, 0.0f);
    return seconds;
}

// Prints caption changes and message boxes as they happen, so they interleave with a terminal dialog.
class CaptionPrinter final : public dialogs::Observer {
  public:
    void notify(const dialogs::DialogEvent& event) override {
        if (event.kind == dialogs::DialogEvent::Kind::CaptionChanged)
            std::cout << "caption: " << event.text << '\n';
        else if (event.kind == dialogs::DialogEvent::Kind::MessageBox)
            std::cout << "message: " << event.title << ": " << event.text << '\n';
        std::cout.flush();
    }
};

// A device context over the picture's pixels for the life of the object.
class SurfaceContext {
  public:
    explicit SurfaceContext(Image& image)
        : dc_(LvxGdi_CreateSurfaceDC(image.pixels.data(), static_cast<int32_t>(image.width()),
                                     static_cast<int32_t>(image.height()),
                                     static_cast<int32_t>(image.width() * 4))) {}
    ~SurfaceContext() {
        if (dc_ != 0) LvxGdi_ReleaseSurfaceDC(dc_);
    }
    SurfaceContext(const SurfaceContext&) = delete;
    SurfaceContext& operator=(const SurfaceContext&) = delete;
    HDC handle() const { return dc_; }

  private:
    HDC dc_;
};

struct Options {
    std::vector<dialogs::Action> actions;
    std::vector<std::string> actionLines;
    std::optional<lvx::CLSID> clsid;
    std::string progId;
    std::string input;
    std::string output;
    std::optional<uint32_t> seed;
    std::optional<float> clock;
    bool interactive = false;
    bool showCaptions = false;
};

// The command line checked whole before anything is loaded; "" or why it is wrong.
std::string readOptions(const CommandLine& line, const std::vector<std::string>& args, Options& options) {
    for (const std::string& text : actionTexts(args)) {
        try {
            options.actions.push_back(dialogs::parseAction(text));
            options.actionLines.push_back(text);
        } catch (const dialogs::ActionSyntaxError& error) {
            return "--do '" + text + "': " + error.what();
        }
    }
    options.interactive = line.has("interactive");
    options.showCaptions = line.has("show-captions");
    if (options.interactive && !options.actions.empty())
        return "--interactive and --do cannot be used together";
    if (line.has("clsid")) {
        options.clsid = lvx::GuidFromString(line.value("clsid"));
        if (!options.clsid)
            return "--clsid takes a class id {xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}, not '" +
                   line.value("clsid") + "'";
    }
    if (line.has("seed")) {
        options.seed = parseSeed(line.value("seed"));
        if (!options.seed)
            return "--seed takes a whole number from 0 to 16777215, not '" + line.value("seed") + "'";
    }
    if (line.has("clock")) {
        options.clock = parseClock(line.value("clock"));
        if (!options.clock)
            return "--clock takes seconds after midnight, 0 or more and below 86400, not '" +
                   line.value("clock") + "'";
    }
    const size_t wanted = options.clsid ? 2 : 3;
    if (line.operands.size() != wanted) {
        if (options.clsid) return "with --clsid give IN.png and OUT.png only";
        return line.operands.size() < wanted ? "give PROGID, IN.png and OUT.png"
                                             : "give exactly PROGID, IN.png and OUT.png";
    }
    size_t next = 0;
    if (!options.clsid) options.progId = line.operands[next++];
    options.input = line.operands[next++];
    options.output = line.operands[next];
    return {};
}

// Creates the object, calls Text and Run on the surface, then writes the picture.
int applyEffect(const Options& options, Image& picture) {
    SurfaceContext surface(picture);
    if (surface.handle() == 0) {
        reportFailure(options.input, "no device context could be made for the picture");
        return kExitPlugin;
    }
    const std::string name = options.clsid ? lvx::GuidToString(*options.clsid) : options.progId;
    auto object = options.clsid ? std::make_unique<lvx::plugins::EffectObject>(*options.clsid)
                                : std::make_unique<lvx::plugins::EffectObject>(options.progId);
    if (!object->valid()) {
        reportFailure(name, "cannot be created: " + hresultText(object->status()));
        return kExitPlugin;
    }
    lvx::HRESULT hr = lvx::S_OK;
    const std::string text = object->text(&hr);
    if (lvx::FAILED(hr)) {
        reportFailure(name, "Text failed: " + hresultText(hr));
        return kExitPlugin;
    }

    if (options.clock) lvx::SetFixedClock(*options.clock);
    if (options.seed) lvx::SetRndState(*options.seed);

    dialogs::ScriptedUser scripted(options.actions);
    dialogs::TerminalUser terminal(std::cin, std::cout);
    dialogs::ScopedUser user(options.interactive ? static_cast<dialogs::User&>(terminal) : scripted);
    CaptionPrinter printer;
    std::optional<dialogs::ScopedObserver> watching;
    if (options.showCaptions) {
        std::cout << "text: " << text << '\n';
        watching.emplace(printer);
    }
    const lvx::plugins::EffectRun run = object->run(surface.handle(), static_cast<int16_t>(picture.width()),
                                                    static_cast<int16_t>(picture.height()), 0, 0);
    watching.reset();
    std::cout.flush();
    if (lvx::FAILED(run.hr)) {
        reportFailure(name, "Run failed: " + hresultText(run.hr));
        return kExitPlugin;
    }
    if (scripted.failure()) {
        reportUsageError("apply", "--do " + *scripted.failure());
        return kExitUsage;
    }
    if (const std::string why = writePngFile(options.output, picture); !why.empty()) {
        reportFailure(options.output, why);
        return kExitOutput;
    }
    std::printf("%s\n", run.value != 0 ? "true" : "false");
    return kExitOk;
}

}  // namespace

int runApply(const std::vector<std::string>& args) {
    std::string error;
    const auto line = parseCommandLine(args, kOptions, error);
    if (!line) {
        reportUsageError("apply", error);
        return kExitUsage;
    }
    if (line->has("help")) {
        std::printf(kHelp, dialogs::actionSyntaxHelp());
        return kExitOk;
    }
    Options options;
    if (const std::string why = readOptions(*line, args, options); !why.empty()) {
        reportUsageError("apply", why);
        return kExitUsage;
    }

    Image picture;
    bool tooLarge = false;
    if (const std::string why = readPngFile(options.input, picture, kLargestSide, &tooLarge); !why.empty()) {
        reportFailure(options.input, tooLarge ? why + " (the plug-ins take 16-bit sizes)" : why);
        return kExitDocument;
    }
    removeTemporaryFilesOnSignals();
    int status = kExitOk;
    try {
        status = applyEffect(options, picture);
    } catch (const std::exception& failure) {
        reportFailure(options.clsid ? lvx::GuidToString(*options.clsid) : options.progId,
                      std::string("the plug-in failed: ") + failure.what());
        status = kExitPlugin;
    }
    // The object is released by now; modules without live objects are unloaded before the program ends.
    lvx::CoFreeUnusedLibraries();
    return status;
}

}  // namespace lvx::host
