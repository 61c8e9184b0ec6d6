// The class ids of the five plug-ins, as their type libraries declare them.
#pragma once
#include "lvx/Guid.h"

namespace lvx::plugins::test {

inline CLSID ClassId(const char* text) {
    return *GuidFromString(text);
}

inline const CLSID kColorsClass = ClassId("{386A0181-E8F3-4E47-B1DF-49670A3ECDC8}");
inline const CLSID kButtonClass = ClassId("{781C8F07-5375-4BE4-8564-AC55A8A44FFF}");
inline const CLSID kMollivoClass = ClassId("{C62781F6-61BC-4D85-823D-760C5B658AE9}");
inline const CLSID kDiffuseClass = ClassId("{0B6CE893-2F30-40E1-81A3-DC6E95F84F8D}");
inline const CLSID kUmbrinoClass = ClassId("{83BDBCA5-9CBB-43B5-9643-17875502ECDD}");

}  // namespace lvx::plugins::test
