#include "HResultText.h"

#include <cstdio>

namespace lvx::host {

namespace {

const char* meaning(lvx::HRESULT hr) {
    switch (hr) {
        case lvx::CO_E_CLASSSTRING:
            return "no plug-in is registered under this identifier";
        case lvx::REGDB_E_CLASSNOTREG:
            return "no plug-in is registered under this class id";
        case lvx::REGDB_E_READREGDB:
            return "the registry cannot be read";
        case lvx::REGDB_E_WRITEREGDB:
            return "the registry cannot be written";
        case lvx::CO_E_DLLNOTFOUND:
            return "the module cannot be loaded";
        case lvx::CO_E_ERRORINDLL:
            return "the module lacks the component entry points";
        case lvx::SELFREG_E_CLASS:
            return "the class could not be written to the registry";
        case lvx::SELFREG_E_TYPELIB:
            return "the module's type library is missing or unusable";
        case lvx::CLASS_E_CLASSNOTAVAILABLE:
            return "the module does not serve this class";
        case lvx::E_NOINTERFACE:
            return "the object has no automation interface";
        case lvx::DISP_E_UNKNOWNNAME:
            return "the object has no such method";
        case lvx::DISP_E_MEMBERNOTFOUND:
            return "the object has no such method";
        case lvx::DISP_E_TYPEMISMATCH:
            return "an argument or the answer has the wrong type";
        case lvx::DISP_E_BADPARAMCOUNT:
            return "the method takes other arguments";
        case lvx::DISP_E_EXCEPTION:
            return "the plug-in raised an error";
        case lvx::E_OUTOFMEMORY:
            return "out of memory";
        default:
            return "failed";
    }
}

}  // namespace

std::string hresultText(lvx::HRESULT hr) {
    char code[32];
    std::snprintf(code, sizeof code, " (HRESULT 0x%08X)", static_cast<unsigned>(hr));
    return meaning(hr) + std::string(code);
}

}  // namespace lvx::host
