// Resource scripts: one statement a line, words separated by blanks, '#' starts a comment, texts in
// double quotes with \" and \\ escapes. The statements are listed in platform/com/README.md.
#include <array>
#include <charconv>
#include <set>

#include "lvx/ModuleResources.h"
#include "lvx/Registry.h"

namespace lvx {

namespace {

struct Token {
    std::string text;
    bool quoted = false;
};

class ScriptLine {
  public:
    ScriptLine(std::string_view line, size_t number) : number_(number) { Split(line); }

    [[noreturn]] void Fail(const std::string& what) const {
        throw ResourceError("resource script line " + std::to_string(number_) + ": " + what);
    }

    bool empty() const { return tokens_.empty(); }
    size_t size() const { return tokens_.size(); }
    const std::string& word(size_t i) const {
        if (i >= tokens_.size()) Fail("missing word " + std::to_string(i + 1));
        if (tokens_[i].quoted) Fail("word " + std::to_string(i + 1) + " must not be quoted");
        return tokens_[i].text;
    }
    const std::string& text(size_t i) const {
        if (i >= tokens_.size() || !tokens_[i].quoted) Fail("expected a quoted text");
        return tokens_[i].text;
    }
    void expectSize(size_t n) const {
        if (tokens_.size() != n) Fail("expected " + std::to_string(n) + " words");
    }

    GUID guid(size_t i) const {
        std::optional<GUID> g = GuidFromString(word(i));
        if (!g) Fail("malformed identifier " + word(i));
        return *g;
    }

    uint32_t number(size_t i, uint32_t maximum) const {
        std::string_view s = word(i);
        int base = 10;
        if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
            s.remove_prefix(2);
            base = 16;
        }
        uint32_t value = 0;
        auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value, base);
        if (ec != std::errc() || end != s.data() + s.size() || value > maximum) Fail("bad number " + word(i));
        return value;
    }

    std::array<uint16_t, 4> version(size_t i) const {
        std::array<uint16_t, 4> parts{};
        std::string_view s = word(i);
        for (int k = 0; k < 4; ++k) {
            size_t dot = k < 3 ? s.find('.') : s.size();
            if (dot == std::string_view::npos) Fail("version must be a.b.c.d");
            std::string_view part = s.substr(0, dot);
            auto [end, ec] = std::from_chars(part.data(), part.data() + part.size(), parts[k]);
            if (part.empty() || ec != std::errc() || end != part.data() + part.size())
                Fail("bad version " + word(i));
            s.remove_prefix(k < 3 ? dot + 1 : dot);
        }
        return parts;
    }

  private:
    void Split(std::string_view line) {
        size_t i = 0;
        while (i < line.size()) {
            char c = line[i];
            if (c == ' ' || c == '\t' || c == '\r') {
                ++i;
            } else if (c == '#') {
                break;
            } else if (c == '"') {
                Token t{"", true};
                ++i;
                while (true) {
                    if (i >= line.size()) Fail("unterminated text");
                    char d = line[i++];
                    if (d == '"') break;
                    if (d == '\\') {
                        if (i >= line.size() || (line[i] != '"' && line[i] != '\\')) Fail("unknown escape");
                        d = line[i++];
                    }
                    t.text += d;
                }
                tokens_.push_back(std::move(t));
            } else {
                Token t;
                while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r' &&
                       line[i] != '"')
                    t.text += line[i++];
                tokens_.push_back(std::move(t));
            }
        }
    }

    size_t number_;
    std::vector<Token> tokens_;
};

VARTYPE ReturnType(const ScriptLine& line, const std::string& word) {
    if (word == "BSTR") return VT_BSTR;
    if (word == "BOOL") return VT_BOOL;
    if (word == "I2") return VT_I2;
    if (word == "I4") return VT_I4;
    if (word == "VOID") return VT_EMPTY;
    line.Fail("unknown return type " + word);
}

// name:I2, name:I4, with '&' for by reference: "hDc:I4&".
TypeLibArgument Argument(const ScriptLine& line, const std::string& word) {
    size_t colon = word.find(':');
    if (colon == std::string::npos || colon == 0) line.Fail("argument must be name:type");
    TypeLibArgument a;
    a.name = word.substr(0, colon);
    std::string type = word.substr(colon + 1);
    bool byRef = !type.empty() && type.back() == '&';
    if (byRef) type.pop_back();
    if (type == "I2")
        a.type = VT_I2;
    else if (type == "I4")
        a.type = VT_I4;
    else
        line.Fail("unknown argument type " + type);
    if (byRef) a.type |= VT_BYREF;
    return a;
}

uint32_t Flags(const ScriptLine& line, size_t from,
               const std::vector<std::pair<std::string, uint32_t>>& known) {
    uint32_t flags = 0;
    for (size_t i = from; i < line.size(); ++i) {
        const std::string& w = line.word(i);
        bool found = false;
        for (const auto& [name, flag] : known)
            if (w == name) flags |= flag, found = true;
        if (!found) line.Fail("unknown attribute " + w);
    }
    return flags;
}

}  // namespace

void ParseResourceScript(std::string_view text, ModuleResources& into) {
    // A type library is declared whole in one script.
    bool declaredLibrary = false, haveInterface = false, haveClass = false;
    size_t number = 0;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        std::string_view raw = text.substr(pos, end == std::string_view::npos ? end : end - pos);
        pos = end == std::string_view::npos ? text.size() : end + 1;
        ScriptLine line(raw, ++number);
        if (line.empty()) continue;
        const std::string& keyword = line.word(0);

        if (keyword == "typelib") {
            // typelib <name> <{libid}> <major>.<minor> <lcid>
            line.expectSize(5);
            if (into.typeLibrary) line.Fail("a second type library");
            TypeLibrary lib;
            lib.name = line.word(1);
            lib.libid = line.guid(2);
            std::string_view v = line.word(3);
            size_t dot = v.find('.');
            if (dot == std::string_view::npos) line.Fail("library version must be major.minor");
            auto [e1, c1] = std::from_chars(v.data(), v.data() + dot, lib.majorVersion);
            auto [e2, c2] = std::from_chars(v.data() + dot + 1, v.data() + v.size(), lib.minorVersion);
            if (c1 != std::errc() || c2 != std::errc() || e1 != v.data() + dot || e2 != v.data() + v.size())
                line.Fail("bad library version");
            lib.lcid = line.number(4, UINT32_MAX);
            into.typeLibrary = std::move(lib);
            declaredLibrary = true;
        } else if (keyword == "interface") {
            // interface <name> <{iid}> [dual] [hidden] [nonextensible] [oleautomation]
            if (!declaredLibrary) line.Fail("interface before typelib");
            if (haveInterface) line.Fail("a second interface");
            TypeLibInterface& iface = into.typeLibrary->iface;
            iface.name = line.word(1);
            iface.iid = line.guid(2);
            iface.flags = Flags(line, 3,
                                {{"dual", TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION},
                                 {"hidden", TYPEFLAG_FHIDDEN},
                                 {"nonextensible", TYPEFLAG_FNONEXTENSIBLE},
                                 {"oleautomation", TYPEFLAG_FOLEAUTOMATION}});
            haveInterface = true;
        } else if (keyword == "method") {
            // method <name> <dispid> <return type> [<arg>:<type>[&] ...]
            if (!haveInterface) line.Fail("method before interface");
            TypeLibMember m;
            m.name = line.word(1);
            m.dispid = static_cast<DISPID>(line.number(2, UINT32_MAX));
            m.returnType = ReturnType(line, line.word(3));
            for (size_t i = 4; i < line.size(); ++i)
                m.arguments.push_back(Argument(line, line.word(i)));
            TypeLibInterface& iface = into.typeLibrary->iface;
            if (iface.findMember(m.name) != nullptr) line.Fail("a second member named " + m.name);
            if (iface.findMember(m.dispid) != nullptr) line.Fail("a second member with this dispatch id");
            std::set<std::string, NoCaseLess> names;
            for (const TypeLibArgument& a : m.arguments)
                if (!names.insert(a.name).second) line.Fail("two arguments named " + a.name);
            iface.members.push_back(std::move(m));
        } else if (keyword == "coclass") {
            // coclass <name> <{clsid}> [creatable]
            if (!declaredLibrary) line.Fail("coclass before typelib");
            if (haveClass) line.Fail("a second coclass");
            into.typeLibrary->coclass.name = line.word(1);
            into.typeLibrary->coclass.clsid = line.guid(2);
            into.typeLibrary->coclass.flags = Flags(line, 3, {{"creatable", TYPEFLAG_FCANCREATE}});
            haveClass = true;
        } else if (keyword == "fileversion" || keyword == "productversion") {
            line.expectSize(2);
            if (!into.versionInfo) into.versionInfo.emplace();
            (keyword == "fileversion" ? into.versionInfo->fileVersion : into.versionInfo->productVersion) =
                line.version(1);
        } else if (keyword == "stringblock") {
            line.expectSize(2);
            const std::string& block = line.word(1);
            if (block.size() != 8 || block.find_first_not_of("0123456789ABCDEFabcdef") != std::string::npos)
                line.Fail("string block must be 8 hexadecimal digits");
            if (!into.versionInfo) into.versionInfo.emplace();
            into.versionInfo->stringBlock = line.word(1);
        } else if (keyword == "string") {
            // string <key> "<value>"
            line.expectSize(3);
            if (!into.versionInfo) into.versionInfo.emplace();
            if (into.versionInfo->find(line.word(1))) line.Fail("a second string " + line.word(1));
            into.versionInfo->strings.emplace_back(line.word(1), line.text(2));
        } else {
            line.Fail("unknown statement " + keyword);
        }
    }
    if (declaredLibrary) {
        if (!haveInterface) throw ResourceError("resource script: type library without interface");
        if (!haveClass) throw ResourceError("resource script: type library without coclass");
    }
}

}  // namespace lvx
