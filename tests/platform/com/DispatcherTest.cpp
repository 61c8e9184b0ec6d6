#include <gtest/gtest.h>

#include "ProbeLibrary.h"
#include "lvx/ComHost.h"
#include "lvx/Dispatcher.h"

namespace {

using namespace lvx;

class DispatcherTest : public ::testing::Test {
  protected:
    TypeLibrary lib = ProbeLibrary();
    Dispatcher dispatcher{lib.iface};

    DISPID IdOf(std::u16string name) {
        OLECHAR* names[] = {name.data()};
        DISPID id = 0;
        last = dispatcher.GetIDsOfNames(names, 1, &id);
        return id;
    }
    HRESULT last = S_OK;
};

TEST_F(DispatcherTest, NamesResolveWithoutRegardToCase) {
    struct Case {
        std::u16string name;
        HRESULT hr;
        DISPID id;
    };
    const Case cases[] = {
        {u"Text", S_OK, 0x60030000},
        {u"TEXT", S_OK, 0x60030000},
        {u"text", S_OK, 0x60030000},
        {u"Run", S_OK, 0x60030001},
        {u"rUN", S_OK, 0x60030001},
        {u"Runs", DISP_E_UNKNOWNNAME, DISPID_UNKNOWN},
        {u"", DISP_E_UNKNOWNNAME, DISPID_UNKNOWN},
        {u"Техт", DISP_E_UNKNOWNNAME, DISPID_UNKNOWN},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IdOf(c.name), c.id);
        EXPECT_EQ(last, c.hr);
    }
}

TEST_F(DispatcherTest, ArgumentNamesResolveToTheirPositions) {
    std::u16string run = u"run", w = u"W", hdc = u"HDC", nope = u"depth";
    OLECHAR* names[] = {run.data(), w.data(), hdc.data(), nope.data()};
    DISPID ids[4];
    EXPECT_EQ(dispatcher.GetIDsOfNames(names, 4, ids), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(ids[0], 0x60030001);
    EXPECT_EQ(ids[1], 1);
    EXPECT_EQ(ids[2], 0);
    EXPECT_EQ(ids[3], DISPID_UNKNOWN);
}

// Arguments of Run, first argument first (the table reverses them into rgvarg).
struct RunCall {
    const char* what;
    std::vector<VARIANT> args;
    HRESULT hr;
    uint32_t argError;  // index in rgvarg of the offending argument; untouched (99) otherwise
};

VARIANT Value(int16_t v) {
    VARIANT x{};
    x.vt = VT_I2;
    x.iVal = v;
    return x;
}
VARIANT Value(int32_t v) {
    VARIANT x{};
    x.vt = VT_I4;
    x.lVal = v;
    return x;
}
VARIANT Of(VARTYPE vt) {
    VARIANT x{};
    x.vt = vt;
    return x;
}

TEST_F(DispatcherTest, RunArgumentsAreCheckedByType) {
    int32_t hdc = 0x1234, clr1 = 0x00FF00, clr2 = -1;
    int16_t w = 320, h = -200;
    VARIANT hdcRef = ByRef(&hdc), wRef = ByRef(&w), hRef = ByRef(&h), c1 = ByRef(&clr1), c2 = ByRef(&clr2);
    VARIANT nullI4 = Of(VT_I4 | VT_BYREF);
    VARIANT inner = Value(int16_t{7});
    VARIANT viaVariant = Of(VT_VARIANT | VT_BYREF);
    viaVariant.pvarVal = &inner;
    VARIANT bstr = Of(VT_BSTR);
    bstr.bstrVal = nullptr;

    const RunCall cases[] = {
        {"all by reference", {hdcRef, wRef, hRef, c1, c2}, S_OK, 99},
        {"by value",
         {Value(int32_t{1}), Value(int16_t{2}), Value(int16_t{3}), Value(int32_t{4}), Value(int32_t{5})},
         S_OK,
         99},
        {"I2 value widened into I4", {Value(int16_t{1}), wRef, hRef, c1, c2}, S_OK, 99},
        {"through a VARIANT reference", {hdcRef, viaVariant, hRef, c1, c2}, S_OK, 99},
        {"I4 reference for an I2", {hdcRef, c1, hRef, c1, c2}, DISP_E_TYPEMISMATCH, 3},
        {"I2 reference for an I4", {wRef, wRef, hRef, c1, c2}, DISP_E_TYPEMISMATCH, 4},
        {"I4 value for an I2", {hdcRef, wRef, Value(int32_t{3}), c1, c2}, DISP_E_TYPEMISMATCH, 2},
        {"null reference", {hdcRef, wRef, hRef, c1, nullI4}, DISP_E_TYPEMISMATCH, 0},
        {"a string", {hdcRef, wRef, hRef, bstr, c2}, DISP_E_TYPEMISMATCH, 1},
        {"empty", {hdcRef, wRef, hRef, c1, Of(VT_EMPTY)}, DISP_E_TYPEMISMATCH, 0},
        {"too few", {hdcRef, wRef, hRef, c1}, DISP_E_BADPARAMCOUNT, 99},
        {"too many", {hdcRef, wRef, hRef, c1, c2, c2}, DISP_E_BADPARAMCOUNT, 99},
    };
    for (const RunCall& c : cases) {
        std::vector<VARIANT> reversed(c.args.rbegin(), c.args.rend());
        DISPPARAMS params{reversed.data(), nullptr, static_cast<uint32_t>(reversed.size()), 0};
        uint32_t argError = 99;
        const TypeLibMember* member = nullptr;
        std::vector<int32_t> values;
        EXPECT_EQ(dispatcher.Bind(0x60030001, DISPATCH_METHOD, &params, &argError, &member, values), c.hr)
            << c.what;
        EXPECT_EQ(argError, c.argError) << c.what;
        if (c.hr == S_OK) {
            EXPECT_EQ(member, lib.iface.findMember("Run")) << c.what;
        }
    }
    // The by-reference values arrive in declaration order and the variables are untouched.
    std::vector<VARIANT> reversed = {c2, c1, hRef, wRef, hdcRef};
    DISPPARAMS params{reversed.data(), nullptr, 5, 0};
    const TypeLibMember* member = nullptr;
    std::vector<int32_t> values;
    ASSERT_EQ(dispatcher.Bind(0x60030001, DISPATCH_METHOD, &params, nullptr, &member, values), S_OK);
    EXPECT_EQ(values, (std::vector<int32_t>{0x1234, 320, -200, 0x00FF00, -1}));
    EXPECT_EQ(hdc, 0x1234);
    EXPECT_EQ(w, 320);
}

TEST_F(DispatcherTest, MembersAreReachedOnlyAsMethods) {
    const TypeLibMember* member = nullptr;
    std::vector<int32_t> values;
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    EXPECT_EQ(dispatcher.Bind(0x60030000, DISPATCH_METHOD, &none, nullptr, &member, values), S_OK);
    EXPECT_EQ(dispatcher.Bind(0x60030000, DISPATCH_METHOD | DISPATCH_PROPERTYGET, nullptr, nullptr, &member,
                              values),
              S_OK);
    EXPECT_EQ(dispatcher.Bind(0x60030000, DISPATCH_PROPERTYPUT, &none, nullptr, &member, values),
              DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(dispatcher.Bind(0x60030000, DISPATCH_PROPERTYGET, &none, nullptr, &member, values),
              DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(dispatcher.Bind(0x60030002, DISPATCH_METHOD, &none, nullptr, &member, values),
              DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(dispatcher.Bind(0, DISPATCH_METHOD, &none, nullptr, &member, values), DISP_E_MEMBERNOTFOUND);
}

TEST_F(DispatcherTest, NamedArgumentsTakeTheirPositions) {
    int32_t hdc = 9, clr1 = 1, clr2 = 2;
    int16_t w = 3, h = 4;
    // hDc and w positional, then Clr2, h, Clr1 by name (named ones first in rgvarg).
    std::vector<VARIANT> args = {ByRef(&clr2), ByRef(&h), ByRef(&clr1), ByRef(&w), ByRef(&hdc)};
    DISPID named[] = {4, 2, 3};
    DISPPARAMS params{args.data(), named, 5, 3};
    const TypeLibMember* member = nullptr;
    std::vector<int32_t> values;
    ASSERT_EQ(dispatcher.Bind(0x60030001, DISPATCH_METHOD, &params, nullptr, &member, values), S_OK);
    EXPECT_EQ(values, (std::vector<int32_t>{9, 3, 4, 1, 2}));

    DISPID clash[] = {4, 1, 3};  // w is already given by position
    params.rgdispidNamedArgs = clash;
    uint32_t argError = 99;
    EXPECT_EQ(dispatcher.Bind(0x60030001, DISPATCH_METHOD, &params, &argError, &member, values),
              DISP_E_PARAMNOTFOUND);
    EXPECT_EQ(argError, 1u);
}

}  // namespace
