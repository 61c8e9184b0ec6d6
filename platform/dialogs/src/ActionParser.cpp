// The one-line text form of user actions.
#include <charconv>
#include <string>

#include "Utf8.h"
#include "lvx/dialogs/Action.h"

namespace lvx::dialogs {

namespace {

struct Verb {
    const char* word;
    ActionKind kind;
};

constexpr Verb kVerbs[] = {
    {"type", ActionKind::Type},     {"backspace", ActionKind::Backspace}, {"set", ActionKind::Set},
    {"drag", ActionKind::Drag},     {"arrow", ActionKind::Arrow},         {"track", ActionKind::Track},
    {"option", ActionKind::Option}, {"click", ActionKind::Click},         {"enter", ActionKind::Enter},
    {"esc", ActionKind::Escape},    {"close", ActionKind::Close},
};

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameWord(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

// Splits a line into words separated by blanks, keeping for each where it starts.
class Words {
  public:
    explicit Words(std::string_view line) : line_(line) {}

    // The next word, or an empty view at the end of the line.
    std::string_view next() {
        while (pos_ < line_.size() && isBlank(line_[pos_]))
            ++pos_;
        const std::size_t start = pos_;
        while (pos_ < line_.size() && !isBlank(line_[pos_]))
            ++pos_;
        return line_.substr(start, pos_ - start);
    }
    // What follows the current position after exactly one separating blank: the text of `type`.
    std::optional<std::string_view> restAfterOneBlank() const {
        if (pos_ >= line_.size()) return std::nullopt;
        return line_.substr(pos_ + 1);
    }

  private:
    std::string_view line_;
    std::size_t pos_ = 0;
};

[[noreturn]] void fail(const std::string& message) {
    throw ActionSyntaxError(message);
}

std::string quoted(std::string_view word) {
    return "'" + std::string(word) + "'";
}

std::optional<long long> toNumber(std::string_view word) {
    long long value = 0;
    const char* first = word.data();
    const char* last = word.data() + word.size();
    if (first != last && *first == '+') return std::nullopt;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last) return std::nullopt;
    return value;
}

int parseValue(std::string_view verb, std::string_view word) {
    if (word.empty()) fail(quoted(verb) + " needs a value after the control name");
    const auto value = toNumber(word);
    if (!value) fail(quoted(word) + " is not a whole number");
    if (*value < -32768 || *value > 32767) fail("value " + std::string(word) + " does not fit 16 bits");
    return static_cast<int>(*value);
}

int parseCount(std::string_view word) {
    if (word.empty()) return 1;
    const auto value = toNumber(word);
    if (!value || *value < 1 || *value > 32767)
        fail("count " + quoted(word) + " is not a number from 1 to 32767");
    return static_cast<int>(*value);
}

bool isLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// NAME or NAME(INDEX).
void parseTarget(std::string_view verb, std::string_view word, Action& action) {
    if (word.empty()) fail(quoted(verb) + " needs a control name");
    std::string_view name = word;
    const std::size_t open = word.find('(');
    if (open != std::string_view::npos) {
        if (word.back() != ')' || open + 2 > word.size() - 1)
            fail("bad control name " + quoted(word) + ": write an array element as NAME(INDEX)");
        const std::string_view digits = word.substr(open + 1, word.size() - open - 2);
        for (char c : digits)
            if (!isDigit(c)) fail("bad index in " + quoted(word) + ": expected a number from 0 to 32766");
        const auto index = toNumber(digits);
        if (!index || *index > 32766)
            fail("bad index in " + quoted(word) + ": expected a number from 0 to 32766");
        action.index = static_cast<int>(*index);
        name = word.substr(0, open);
    }
    bool good = !name.empty() && name.size() <= 40 && isLetter(name[0]);
    for (char c : name)
        good = good && (isLetter(c) || isDigit(c) || c == '_');
    if (!good)
        fail("bad control name " + quoted(word) + ": names are a letter followed by letters, digits or '_'");
    action.control = std::string(name);
}

Direction parseDirection(std::string_view verb, std::string_view word) {
    if (sameWord(word, "left")) return Direction::Left;
    if (sameWord(word, "right")) return Direction::Right;
    if (word.empty()) fail(quoted(verb) + " needs a direction, left or right");
    fail(quoted(verb) + " needs a direction, left or right, not " + quoted(word));
}

void expectEnd(std::string_view verb, Words& words) {
    const std::string_view extra = words.next();
    if (!extra.empty()) fail("unexpected " + quoted(extra) + " after " + quoted(verb));
}

std::string verbList() {
    std::string list;
    for (const Verb& verb : kVerbs) {
        if (!list.empty()) list += ", ";
        list += verb.word;
    }
    return list;
}

}  // namespace

Action parseAction(std::string_view line) {
    Words words(line);
    const std::string_view verb = words.next();
    if (verb.empty()) fail("empty action: expected one of " + verbList());
    const Verb* found = nullptr;
    for (const Verb& candidate : kVerbs)
        if (sameWord(verb, candidate.word) ||
            (candidate.kind == ActionKind::Escape && sameWord(verb, "escape")))
            found = &candidate;
    if (!found) fail("unknown action " + quoted(verb) + ": expected one of " + verbList());

    Action action;
    action.kind = found->kind;
    switch (action.kind) {
        case ActionKind::Type: {
            parseTarget(verb, words.next(), action);
            const auto text = words.restAfterOneBlank();
            if (!text || text->empty()) fail("'type' needs the text to type after the control name");
            if (!detail::decodeUtf8(*text)) fail("the text to type is not valid UTF-8");
            action.text = std::string(*text);
            return action;
        }
        case ActionKind::Backspace:
            parseTarget(verb, words.next(), action);
            action.count = parseCount(words.next());
            break;
        case ActionKind::Set:
        case ActionKind::Drag:
            parseTarget(verb, words.next(), action);
            action.value = parseValue(verb, words.next());
            break;
        case ActionKind::Arrow:
        case ActionKind::Track:
            parseTarget(verb, words.next(), action);
            action.direction = parseDirection(verb, words.next());
            action.count = parseCount(words.next());
            break;
        case ActionKind::Option:
        case ActionKind::Click:
            parseTarget(verb, words.next(), action);
            break;
        case ActionKind::Enter:
        case ActionKind::Escape:
        case ActionKind::Close:
            break;
    }
    expectEnd(verb, words);
    return action;
}

std::string formatAction(const Action& action) {
    std::string word;
    for (const Verb& verb : kVerbs)
        if (verb.kind == action.kind) word = verb.word;
    std::string target = action.control;
    if (action.index >= 0) target += "(" + std::to_string(action.index) + ")";
    const std::string count = action.count == 1 ? "" : " " + std::to_string(action.count);
    const char* direction = action.direction == Direction::Left ? "left" : "right";
    switch (action.kind) {
        case ActionKind::Type:
            return word + " " + target + " " + action.text;
        case ActionKind::Backspace:
            return word + " " + target + count;
        case ActionKind::Set:
        case ActionKind::Drag:
            return word + " " + target + " " + std::to_string(action.value);
        case ActionKind::Arrow:
        case ActionKind::Track:
            return word + " " + target + " " + direction + count;
        case ActionKind::Option:
        case ActionKind::Click:
            return word + " " + target;
        case ActionKind::Enter:
        case ActionKind::Escape:
        case ActionKind::Close:
            return word;
    }
    return word;
}

const char* actionSyntaxHelp() {
    return "actions:\n"
           "  type NAME TEXT             type TEXT into a text box, one key per character\n"
           "  backspace NAME [N]         press backspace N times in a text box\n"
           "  set NAME VALUE             move a scroll bar to VALUE\n"
           "  drag NAME VALUE            drag a scroll bar's thumb to VALUE\n"
           "  arrow NAME left|right [N]  click a scroll bar's arrow N times\n"
           "  track NAME left|right [N]  click a scroll bar's track N times\n"
           "  option NAME                select an option button\n"
           "  click NAME                 click a command button\n"
           "  enter | esc | close        press Enter, press Esc, close with the close box\n"
           "NAME is a control's name, NAME(INDEX) for an element of a control array.\n";
}

}  // namespace lvx::dialogs
