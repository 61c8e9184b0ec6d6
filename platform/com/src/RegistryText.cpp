// The registry's text form:
//
//   Lamivex Registry 1
//   [CLSID]
//   [CLSID\{...}]
//   @="Colors.Data"
//   [CLSID\{...}\InprocServer32]
//   @="/usr/lib/lamivex/Colors.pgs"
//   "ThreadingModel"="Apartment"
//
// One section per key, parents before children, each headed by the key's full path; '@' is the default
// value. Quoted texts escape '\' and '"' with a backslash, and control bytes as \n, \r, \t or \xHH.
#include <string>

#include "lvx/Registry.h"

namespace lvx {

namespace {

constexpr std::string_view kHeader = "Lamivex Registry 1";

void AppendQuoted(std::string& out, std::string_view text) {
    static const char* digits = "0123456789ABCDEF";
    out += '"';
    for (char c : text) {
        auto b = static_cast<unsigned char>(c);
        if (c == '\\' || c == '"') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (b < 0x20 || b == 0x7F) {
            out += "\\x";
            out += digits[b >> 4];
            out += digits[b & 15];
        } else {
            out += c;
        }
    }
    out += '"';
}

void AppendKey(std::string& out, const RegistryKey& key, const std::string& path) {
    if (!path.empty() || !key.values().empty()) {
        out += '[';
        out += path;
        out += "]\n";
        for (const auto& [name, value] : key.values()) {
            if (name.empty())
                out += '@';
            else
                AppendQuoted(out, name);
            out += '=';
            AppendQuoted(out, value);
            out += '\n';
        }
    }
    for (const auto& [name, child] : key.subkeys())
        AppendKey(out, *child, path.empty() ? name : path + '\\' + name);
}

int Hex(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

class LineParser {
  public:
    LineParser(std::string_view line, size_t lineNumber) : line_(line), number_(lineNumber) {}

    [[noreturn]] void Fail(const char* what) const {
        throw RegistryError("registry line " + std::to_string(number_) + ": " + what);
    }

    bool AtEnd() const { return pos_ == line_.size(); }
    bool Take(char c) {
        if (pos_ < line_.size() && line_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }

    std::string Quoted() {
        if (!Take('"')) Fail("expected a quoted text");
        std::string out;
        while (true) {
            if (pos_ >= line_.size()) Fail("unterminated quoted text");
            char c = line_[pos_++];
            if (c == '"') return out;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (pos_ >= line_.size()) Fail("unterminated escape");
            char e = line_[pos_++];
            switch (e) {
                case '\\':
                case '"':
                    out += e;
                    break;
                case 'n':
                    out += '\n';
                    break;
                case 'r':
                    out += '\r';
                    break;
                case 't':
                    out += '\t';
                    break;
                case 'x': {
                    int hi = pos_ < line_.size() ? Hex(line_[pos_]) : -1;
                    int lo = pos_ + 1 < line_.size() ? Hex(line_[pos_ + 1]) : -1;
                    if (hi < 0 || lo < 0) Fail("bad \\x escape");
                    out += static_cast<char>(hi << 4 | lo);
                    pos_ += 2;
                    break;
                }
                default:
                    Fail("unknown escape");
            }
        }
    }

  private:
    std::string_view line_;
    size_t number_;
    size_t pos_ = 0;
};

}  // namespace

std::string FormatRegistry(const RegistryKey& root) {
    std::string out(kHeader);
    out += '\n';
    AppendKey(out, root, "");
    return out;
}

RegistryKey ParseRegistry(std::string_view text) {
    RegistryKey root;
    RegistryKey* current = nullptr;
    size_t number = 0;
    size_t pos = 0;
    bool sawHeader = false;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        std::string_view line = text.substr(pos, end == std::string_view::npos ? end : end - pos);
        pos = end == std::string_view::npos ? text.size() : end + 1;
        ++number;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        LineParser parser(line, number);
        if (!sawHeader) {
            if (line != kHeader) parser.Fail("not a Lamivex registry file");
            sawHeader = true;
            continue;
        }
        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[') {
            if (line.back() != ']' || line.size() < 2) parser.Fail("unterminated key path");
            std::string_view path = line.substr(1, line.size() - 2);
            try {
                current = &root.createKey(path);
            } catch (const RegistryError& e) {
                parser.Fail(e.what());
            }
            continue;
        }
        if (current == nullptr) parser.Fail("value outside a key");
        std::string name;
        if (!parser.Take('@')) name = parser.Quoted();
        if (!parser.Take('=')) parser.Fail("expected '='");
        std::string value = parser.Quoted();
        if (!parser.AtEnd()) parser.Fail("text after the value");
        try {
            current->setValue(name, value);
        } catch (const RegistryError& e) {
            parser.Fail(e.what());
        }
    }
    if (!sawHeader && !text.empty()) throw RegistryError("registry line 1: not a Lamivex registry file");
    return root;
}

}  // namespace lvx
