// The host's side of a plug-in: one Data object created through the component layer (by programmatic
// identifier such as "Colors.Data", or by class id), with Text and Run called by name through
// IDispatch as a host without the plug-in's interface id calls them. For hosts and tools (the
// command-line tool, tests, benchmarks); plug-ins do not use it.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "lvx/ComHost.h"
#include "lvx/gdi.h"

namespace lvx::plugins {

// What one Run answered.
struct EffectRun {
    HRESULT hr = E_FAIL;              // of the call by name
    int16_t value = 0;                // the automation Boolean: -1 applied (confirmed), 0 not
    bool argumentsUnchanged = false;  // the five by-reference arguments came back as passed
};

class EffectObject {
  public:
    // Creates the object; valid() tells whether it worked, status() why not.
    explicit EffectObject(std::string_view progId);
    explicit EffectObject(const CLSID& clsid);
    ~EffectObject();
    EffectObject(const EffectObject&) = delete;
    EffectObject& operator=(const EffectObject&) = delete;

    bool valid() const { return object_ != nullptr; }
    HRESULT status() const { return status_; }

    // The caption the host lists the effect under (UTF-8); empty when the call fails (see *hr).
    std::string text(HRESULT* hr = nullptr);
    // Applies the effect to the picture in dc of w x h pixels; Clr1 and Clr2 are passed along unused.
    EffectRun run(HDC dc, int16_t w, int16_t h, int32_t clr1 = 0, int32_t clr2 = 0);

  private:
    void create(const CLSID& clsid);

    IDispatch* object_ = nullptr;
    HRESULT status_ = E_FAIL;
};

}  // namespace lvx::plugins
