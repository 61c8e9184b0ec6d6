// What a plug-in module implements to be a component server with one class, `Data`, whose default
// interface `_Data` has the methods Text and Run.
//
// A plug-in built with lvx_add_plugin gets the server frame compiled in: the four exports
// DllRegisterServer, DllUnregisterServer, DllGetClassObject and DllCanUnloadNow, the class factory,
// and a `Data` object whose IDispatch is driven by the module's own type library (read from its file
// once, on first use). The plug-in only defines the two functions below. The type library must
// declare Text (no arguments, returns BSTR) and Run (five arguments of types I4, I2, I2, I4, I4,
// returns BOOL); a module whose library does not fails to register and creates no objects.
//
// Run's arguments arrive by value: the frame reads them from the caller's by-reference VARIANTs and
// never writes them back. An exception leaving either function is caught by the frame and reported
// to the caller as DISP_E_EXCEPTION with its text in the EXCEPINFO description.
#ifndef LVX_PLUGINSERVER_H
#define LVX_PLUGINSERVER_H

#include <cstdint>
#include <string>

namespace lvx::plugin {

// The caption of the effect, UTF-8.
std::string DataText();
// Applies the effect to the picture in device context hDc of w x h pixels; the answer becomes the
// automation Boolean the caller gets (true = -1).
bool DataRun(int32_t hDc, int16_t w, int16_t h, int32_t clr1, int32_t clr2);

}  // namespace lvx::plugin

#endif
