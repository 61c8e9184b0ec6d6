#include "PluginHost.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "lvx/BStr.h"
#include "lvx/Variant.h"

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

namespace {

IDispatch* Create(const CLSID& clsid) {
    IDispatch* object = nullptr;
    const HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                        reinterpret_cast<void**>(&object));
    EXPECT_EQ(hr, S_OK) << "creating " << GuidToString(clsid);
    return SUCCEEDED(hr) ? object : nullptr;
}

CLSID ClassOf(std::string_view progId) {
    CLSID clsid{};
    EXPECT_EQ(CLSIDFromProgID(progId, &clsid), S_OK) << "looking up " << progId;
    return clsid;
}

}  // namespace

DataObject::DataObject(std::string_view progId) : object_(Create(ClassOf(progId))) {}

DataObject::DataObject(const CLSID& clsid) : object_(Create(clsid)) {}

DataObject::~DataObject() {
    if (object_ != nullptr) object_->Release();
}

std::string DataObject::text() {
    VARIANT result;
    VariantInit(&result);
    EXPECT_EQ(CallByName(object_, "Text", {}, &result), S_OK);
    EXPECT_EQ(result.vt, VT_BSTR);
    std::string text = result.vt == VT_BSTR ? Utf8FromBstr(result.bstrVal) : std::string();
    VariantClear(&result);
    return text;
}

RunResult DataObject::run(HDC dc, int16_t w, int16_t h, int32_t clr1, int32_t clr2) {
    int32_t hDc = static_cast<int32_t>(dc);
    int16_t width = w;
    int16_t height = h;
    int32_t colour1 = clr1;
    int32_t colour2 = clr2;
    VARIANT result;
    VariantInit(&result);
    EXPECT_EQ(
        CallByName(object_, "Run",
                   {ByRef(&hDc), ByRef(&width), ByRef(&height), ByRef(&colour1), ByRef(&colour2)}, &result),
        S_OK);
    EXPECT_EQ(result.vt, VT_BOOL);
    RunResult out;
    out.value = result.vt == VT_BOOL ? result.boolVal : 0;
    out.argumentsUnchanged =
        hDc == static_cast<int32_t>(dc) && width == w && height == h && colour1 == clr1 && colour2 == clr2;
    VariantClear(&result);
    return out;
}

}  // namespace lvx::plugins::test
