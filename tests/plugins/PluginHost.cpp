#include "PluginHost.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace lvx::plugins::test {

std::string ModulePath(std::string_view name) {
    return std::string(LVX_PLUGIN_DIR) + "/" + std::string(name) + ".pgs";
}

TempRegistry::TempRegistry() {
    std::string pattern = (std::filesystem::temp_directory_path() / "lvx-plugins-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a temporary folder");
    folder_ = pattern;
    file_ = folder_ + "/registry";
    if (const char* old = getenv("LAMIVEX_REGISTRY")) {
        hadPrevious_ = true;
        previous_ = old;
    }
    setenv("LAMIVEX_REGISTRY", file_.c_str(), 1);
}

TempRegistry::~TempRegistry() {
    if (hadPrevious_)
        setenv("LAMIVEX_REGISTRY", previous_.c_str(), 1);
    else
        unsetenv("LAMIVEX_REGISTRY");
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

std::string TempRegistry::text() const {
    std::ifstream in(file_);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

DataObject::DataObject(std::string_view progId) : object_(progId) {
    EXPECT_EQ(object_.status(), S_OK) << "creating " << progId;
}

DataObject::DataObject(const CLSID& clsid) : object_(clsid) {
    EXPECT_EQ(object_.status(), S_OK) << "creating " << GuidToString(clsid);
}

std::string DataObject::text() {
    HRESULT hr = E_FAIL;
    std::string text = object_.text(&hr);
    EXPECT_EQ(hr, S_OK);
    return text;
}

RunResult DataObject::run(HDC dc, int16_t w, int16_t h, int32_t clr1, int32_t clr2) {
    const RunResult result = object_.run(dc, w, h, clr1, clr2);
    EXPECT_EQ(result.hr, S_OK);
    return result;
}

}  // namespace lvx::plugins::test
