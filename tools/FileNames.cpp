#include "FileNames.h"

#include <cstdio>

namespace lvx::host {

namespace {
constexpr size_t kMaxNameLength = 40;

bool keptAsIs(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_' || c == '.';
}
}  // namespace

std::string sanitizeLayerName(std::string_view latin1Name) {
    std::string out;
    for (char c : latin1Name) {
        if (keptAsIs(c)) {
            out.push_back(c);
        } else if (out.empty() || out.back() != '_') {
            out.push_back('_');
        }
    }
    const size_t first = out.find_first_not_of("_.");
    if (first == std::string::npos) return {};
    out.erase(0, first);
    if (out.size() > kMaxNameLength) out.resize(kMaxNameLength);
    out.erase(out.find_last_not_of("_.") + 1);
    return out;
}

std::string imageFileName(int32_t index, std::string_view latin1Name) {
    if (index < 0) return "merged.png";
    char prefix[32];
    std::snprintf(prefix, sizeof prefix, "layer-%03d", static_cast<int>(index));
    const std::string name = sanitizeLayerName(latin1Name);
    return name.empty() ? std::string(prefix) + ".png" : std::string(prefix) + "-" + name + ".png";
}

}  // namespace lvx::host
