// The host side of the plug-in tests, as the real host calls the plug-ins: the five modules registered
// into a temporary registry (LAMIVEX_REGISTRY), Data objects created by programmatic identifier or
// class id, Text and Run called by name through IDispatch with by-reference arguments.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "EffectObject.h"
#include "lvx/ComHost.h"
#include "lvx/gdi.h"

namespace lvx::plugins::test {

// The module file of a plug-in in the build's library folder: "Colors" -> .../Colors.pgs.
std::string ModulePath(std::string_view name);

// A temporary folder holding the registry for the life of the object (LAMIVEX_REGISTRY points at
// it), removed afterwards with the previous LAMIVEX_REGISTRY restored.
class TempRegistry {
  public:
    TempRegistry();
    ~TempRegistry();
    TempRegistry(const TempRegistry&) = delete;
    TempRegistry& operator=(const TempRegistry&) = delete;

    const std::string& path() const { return file_; }
    std::string text() const;  // the registry file as written

  private:
    std::string folder_;
    std::string file_;
    std::string previous_;
    bool hadPrevious_ = false;
};

using RunResult = EffectRun;

// One Data object through the host helper, every call checked to succeed.
class DataObject {
  public:
    explicit DataObject(std::string_view progId);
    explicit DataObject(const CLSID& clsid);

    bool valid() const { return object_.valid(); }
    std::string text();
    RunResult run(HDC dc, int16_t w, int16_t h, int32_t clr1 = 0x12345678, int32_t clr2 = -7);

  private:
    EffectObject object_;
};

}  // namespace lvx::plugins::test
