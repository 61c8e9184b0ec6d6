#include "lvx/dialogs/TerminalUser.h"

#include <string>

#include "lvx/dialogs/Form.h"

namespace lvx::dialogs {

namespace {

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

// A line without its end-of-line, also when the stream came from a system that ends lines with CR LF.
bool readLine(std::istream& in, std::string& line) {
    if (!std::getline(in, line)) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
}

}  // namespace

std::optional<Action> TerminalUser::nextAction(const Form& form) {
    out_ << describeForm(form);
    std::string line;
    for (;;) {
        out_ << "> " << std::flush;
        if (!readLine(in_, line)) {
            out_ << "\n(end of input: the form is closed)\n";
            return std::nullopt;
        }
        const std::string_view word = trimmed(line);
        if (word.empty()) continue;
        if (word == "help") {
            out_ << actionSyntaxHelp();
            continue;
        }
        if (word == "show") {
            out_ << describeForm(form);
            continue;
        }
        try {
            // The text of `type` is kept verbatim, so only the front of the line is trimmed here.
            std::string_view text = line;
            while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
                text.remove_prefix(1);
            return parseAction(text);
        } catch (const ActionSyntaxError& error) {
            out_ << "error: " << error.what() << " (type 'help' for the actions)\n";
        }
    }
}

void TerminalUser::actionFailed(const Form&, const Action& action, const std::string& message) {
    out_ << "error: " << formatAction(action) << ": " << message << '\n';
}

void TerminalUser::acknowledgeMessage(std::string_view text, std::string_view title) {
    out_ << "+-- " << title << " --\n| " << text << "\n+-- [OK] press Enter\n" << std::flush;
    std::string line;
    readLine(in_, line);
}

}  // namespace lvx::dialogs
