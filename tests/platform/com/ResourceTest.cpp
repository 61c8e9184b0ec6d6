#include <gtest/gtest.h>

#include <filesystem>

#include "ProbeLibrary.h"
#include "TempFolder.h"
#include "lvx/ModuleResources.h"

namespace {

using lvx::ModuleResources;
using lvx::ResourceError;

ModuleResources FromScripts(std::initializer_list<const char*> files) {
    ModuleResources resources;
    for (const char* file : files)
        lvx::ParseResourceScript(ReadText(std::string(LVX_PROBE_SCRIPTS) + "/" + file), resources);
    return resources;
}

TEST(ResourceScriptTest, ProbeScriptsDeclareTheContract) {
    ModuleResources resources = FromScripts({"Probe.lvxrc", "ProbeVersion.lvxrc"});
    ASSERT_TRUE(resources.typeLibrary);
    ASSERT_TRUE(resources.versionInfo);
    EXPECT_TRUE(*resources.typeLibrary == ProbeLibrary());
    EXPECT_TRUE(*resources.versionInfo == ProbeVersion());
    EXPECT_EQ(resources.typeLibrary->progId(), "Probe.Data");
    EXPECT_EQ(resources.typeLibrary->versionText(), "1.0");
}

TEST(ResourceScriptTest, FaultsNameTheirLine) {
    struct Case {
        const char* script;
        const char* message;
    };
    const char* head =
        "typelib P {6C1B2A90-3E4D-4F5A-9B8C-7D6E5F4A3B21} 1.0 0x0409\n"
        "interface _D {6C1B2A91-3E4D-4F5A-9B8C-7D6E5F4A3B21} dual\n";
    const Case cases[] = {
        {"frobnicate\n", "line 1: unknown statement"},
        {"typelib P {nope} 1.0 0x409\n", "line 1: malformed identifier"},
        {"typelib P {6C1B2A90-3E4D-4F5A-9B8C-7D6E5F4A3B21} 1 0x409\n", "line 1: library version"},
        {"method Text 0x60030000 BSTR\n", "line 1: method before interface"},
        {"x\n", "line 1"},
        {"%method Text 0x60030000 BSTRING\n", "line 3: unknown return type"},
        {"%method Run 1 BOOL a:R8&\n", "line 3: unknown argument type"},
        {"%method Run 1 BOOL a\n", "line 3: argument must be name:type"},
        {"%method Run 1 BOOL a:I2 A:I4\n", "line 3: two arguments named"},
        {"%method Run 1 BOOL\nmethod RUN 2 BOOL\n", "line 4: a second member named"},
        {"%method Run 1 BOOL\nmethod Other 1 BOOL\n", "line 4: a second member with this dispatch id"},
        {"%method Run 0x1FFFFFFFF BOOL\n", "line 3: bad number"},
        {"%coclass Data {6C1B2A92-3E4D-4F5A-9B8C-7D6E5F4A3B21} visible\n", "line 3: unknown attribute"},
        {"%\n", "type library without coclass"},
        {"string Name \"unterminated\n", "line 1: unterminated text"},
        {"string Name unquoted\n", "line 1: expected a quoted text"},
        {"fileversion 1.0.0\n", "line 1: version must be a.b.c.d"},
        {"fileversion 1.0.0.70000\n", "line 1: bad version"},
        {"stringblock 0409\n", "line 1: string block must be 8 hexadecimal digits"},
        {"string A \"1\"\nstring A \"2\"\n", "line 2: a second string"},
    };
    for (const Case& c : cases) {
        std::string script = c.script;
        if (script[0] == '%') script = head + script.substr(1);
        ModuleResources resources;
        try {
            lvx::ParseResourceScript(script, resources);
            ADD_FAILURE() << "accepted: " << script;
        } catch (const ResourceError& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
        }
    }
}

TEST(ResourceCodecTest, EncodeDecodeRoundTrip) {
    ModuleResources full = FromScripts({"Probe.lvxrc", "ProbeVersion.lvxrc"});
    ModuleResources onlyLibrary = FromScripts({"Probe.lvxrc"});
    ModuleResources onlyVersion = FromScripts({"ProbeVersion.lvxrc"});
    ModuleResources unicode;
    lvx::ParseResourceScript("string Comments \"Размытие\"\nstringblock 040904B0\n", unicode);
    for (const ModuleResources* r : {&full, &onlyLibrary, &onlyVersion, &unicode}) {
        std::vector<uint8_t> block = lvx::EncodeResources(*r);
        EXPECT_TRUE(lvx::DecodeResources(block.data(), block.size()) == *r);
    }
}

// Every shorter prefix of a valid block and every single damaged byte must either decode to some
// checked result or be refused; none may read past the block (run under valgrind or ASan to see).
TEST(ResourceCodecTest, TruncatedOrDamagedBlocksAreRefusedSafely) {
    std::vector<uint8_t> block = lvx::EncodeResources(FromScripts({"Probe.lvxrc", "ProbeVersion.lvxrc"}));
    for (size_t size = 0; size < block.size(); ++size) {
        std::vector<uint8_t> prefix(block.begin(), block.begin() + static_cast<long>(size));
        EXPECT_THROW(lvx::DecodeResources(prefix.data(), prefix.size()), ResourceError) << size;
    }
    for (size_t i = 0; i < block.size(); ++i) {
        std::vector<uint8_t> damaged = block;
        damaged[i] ^= 0xFF;
        try {
            lvx::DecodeResources(damaged.data(), damaged.size());
        } catch (const ResourceError&) {
        }
    }
    std::vector<uint8_t> longer = block;
    longer.push_back(0);
    EXPECT_THROW(lvx::DecodeResources(longer.data(), longer.size()), ResourceError);
}

TEST(ModuleResourceTest, TypeLibraryAndVersionAreReadFromTheModuleFile) {
    lvx::TypeLibrary lib;
    ASSERT_EQ(lvx::LoadTypeLibrary(LVX_PROBE_MODULE, &lib), lvx::S_OK);
    EXPECT_TRUE(lib == ProbeLibrary());
    const lvx::TypeLibMember* run = lib.iface.findMember("RUN");
    ASSERT_NE(run, nullptr);
    EXPECT_EQ(run->dispid, 0x60030001);
    EXPECT_EQ(run->arguments[0].name, "hDc");

    lvx::VersionInfo info;
    ASSERT_EQ(lvx::ReadVersionInfo(LVX_PROBE_MODULE, &info), lvx::S_OK);
    EXPECT_TRUE(info == ProbeVersion());
    EXPECT_EQ(info.find("OLESelfRegister"), "");  // present, empty
    EXPECT_EQ(info.find("LegalCopyright"), std::nullopt);

    // The twin's version resource is generated from its names by the build.
    lvx::VersionInfo generated = ProbeVersion();
    generated.strings[3].second = "LvxProbeTwin";
    generated.strings[4].second = "LvxProbeTwin.pgs";
    ASSERT_EQ(lvx::ReadVersionInfo(LVX_TWIN_MODULE, &info), lvx::S_OK);
    EXPECT_TRUE(info == generated);
    // The mismatch module carries a library but no version resource.
    EXPECT_EQ(lvx::ReadVersionInfo(LVX_MISMATCH_MODULE, &info), lvx::TYPE_E_INVDATAREAD);
}

TEST(ModuleResourceTest, FilesWithoutResourcesAreReported) {
    TempFolder folder;
    WriteText(folder.file("text.pgs"), "not a module at all");
    lvx::TypeLibrary lib;
    lvx::VersionInfo info;
    EXPECT_EQ(lvx::LoadTypeLibrary(folder.file("missing.pgs"), &lib), lvx::TYPE_E_CANTLOADLIBRARY);
    EXPECT_EQ(lvx::LoadTypeLibrary(folder.file("text.pgs"), &lib), lvx::TYPE_E_INVDATAREAD);
    EXPECT_EQ(lvx::ReadVersionInfo(folder.file("missing.pgs"), &info), lvx::E_FAIL);
    // A module with no resource section: the component layer's own library.
    std::string ownLibrary = std::filesystem::path(LVX_PROBE_MODULE).parent_path() / "liblvx_com.so";
    EXPECT_TRUE(lvx::ReadElfSection(ownLibrary, ".text"));
    EXPECT_EQ(lvx::LoadTypeLibrary(ownLibrary, &lib), lvx::TYPE_E_INVDATAREAD);
    EXPECT_EQ(lvx::LoadTypeLibrary(LVX_PROBE_MODULE, nullptr), lvx::E_POINTER);
}

// The section reader on truncated copies of a real module: a cut through the section table or the
// section itself must give nothing, never bytes from past the end.
TEST(ElfSectionTest, TruncatedModulesGiveNoSection) {
    const std::string module = ReadText(LVX_PROBE_MODULE);
    std::optional<std::vector<uint8_t>> whole =
        lvx::ReadElfSection(LVX_PROBE_MODULE, lvx::kResourceSectionName);
    ASSERT_TRUE(whole);
    TempFolder folder;
    const std::string cut = folder.file("cut.pgs");
    for (size_t size : {size_t{0}, size_t{4}, size_t{63}, size_t{64}, module.size() / 2, module.size() - 1}) {
        WriteText(cut, module.substr(0, size));
        std::optional<std::vector<uint8_t>> section = lvx::ReadElfSection(cut, lvx::kResourceSectionName);
        if (section) {
            EXPECT_TRUE(*section == *whole) << size;  // only the complete section, if any
        }
        if (size < 64) {
            EXPECT_FALSE(section) << size;
        }
    }
    // A different class byte (32-bit) is refused.
    std::string other = module;
    other[4] = 1;
    WriteText(cut, other);
    EXPECT_FALSE(lvx::ReadElfSection(cut, lvx::kResourceSectionName));
    EXPECT_FALSE(lvx::ReadElfSection(LVX_PROBE_MODULE, ".no.such.section"));
}

// Damage to the ELF header or the section table (values set to all ones, the worst case for sizes
// and offsets) must never make the reader touch bytes outside the file; run under ASan or valgrind.
TEST(ElfSectionTest, DamagedHeadersAndSectionTablesAreReadSafely) {
    const std::string module = ReadText(LVX_PROBE_MODULE);
    ASSERT_GT(module.size(), 64u);
    uint64_t tableOffset = 0;
    for (int i = 7; i >= 0; --i)
        tableOffset = tableOffset << 8 | static_cast<unsigned char>(module[0x28 + i]);
    ASSERT_LT(tableOffset, module.size());
    TempFolder folder;
    const std::string damaged = folder.file("damaged.pgs");
    std::vector<size_t> positions;
    for (size_t i = 0; i < 64; ++i)
        positions.push_back(i);
    for (size_t i = tableOffset; i < module.size(); i += 3)
        positions.push_back(i);
    size_t found = 0;
    for (size_t i : positions) {
        std::string bytes = module;
        bytes[i] = '\xFF';
        WriteText(damaged, bytes);
        if (lvx::ReadElfSection(damaged, lvx::kResourceSectionName)) ++found;
    }
    EXPECT_GT(found, 0u);  // damage to unrelated fields leaves the section readable
    EXPECT_LT(found, positions.size());
}

}  // namespace
