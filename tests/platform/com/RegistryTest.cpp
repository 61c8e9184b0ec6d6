#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "TempFolder.h"
#include "lvx/Registry.h"

namespace {

using lvx::Registry;
using lvx::RegistryError;
using lvx::RegistryKey;

TEST(RegistryKeyTest, NestedKeysAreCreatedAndFoundWithoutRegardToCase) {
    RegistryKey root;
    root.createKey("CLSID\\{A}\\InprocServer32").setValue("ThreadingModel", "Apartment");
    ASSERT_NE(root.findKey("CLSID"), nullptr);
    ASSERT_NE(root.findKey("clsid\\{a}\\inprocserver32"), nullptr);
    EXPECT_EQ(root.valueAt("CLSID\\{A}\\InprocServer32", "threadingmodel"), "Apartment");
    EXPECT_EQ(root.findKey("CLSID\\{B}"), nullptr);
    EXPECT_EQ(root.findKey(""), &root);

    // The first spelling is kept; a later one reaches the same key.
    root.createKey("clsid\\{a}").setValue("", "Probe.Data");
    EXPECT_EQ(root.subkeyNames(), std::vector<std::string>{"CLSID"});
    EXPECT_EQ(root.valueAt("CLSID\\{A}"), "Probe.Data");
}

TEST(RegistryKeyTest, EnumerationIsSortedWithoutRegardToCase) {
    RegistryKey root;
    for (const char* name : {"beta", "Alpha", "gamma", "Delta"})
        root.createKey(name);
    EXPECT_EQ(root.subkeyNames(), (std::vector<std::string>{"Alpha", "beta", "Delta", "gamma"}));
}

TEST(RegistryKeyTest, DeleteTreeRemovesTheKeyWithEverythingBelow) {
    RegistryKey root;
    root.createKey("A\\B\\C").setValue("x", "1");
    root.createKey("A\\B2");
    EXPECT_TRUE(root.deleteKeyTree("a\\b"));
    EXPECT_EQ(root.findKey("A\\B\\C"), nullptr);
    EXPECT_EQ(root.findKey("A\\B"), nullptr);
    EXPECT_NE(root.findKey("A\\B2"), nullptr);
    EXPECT_FALSE(root.deleteKeyTree("A\\B"));
    EXPECT_FALSE(root.deleteKeyTree(""));
}

TEST(RegistryKeyTest, BadNamesAreRefused) {
    RegistryKey root;
    for (const char* path : {"A\\\\B", "\\A", "A\\", "A\nB", "A\x7F"})
        EXPECT_THROW(root.createKey(path), RegistryError) << path;
    EXPECT_THROW(root.setValue("v", std::string("a\0b", 3)), RegistryError);
    EXPECT_FALSE(root.hasSubkeys());
}

TEST(RegistryTextTest, TextRoundTripKeepsNamesValuesAndEscapes) {
    RegistryKey root;
    root.createKey("CLSID\\{6C1B2A92-3E4D-4F5A-9B8C-7D6E5F4A3B21}\\InprocServer32")
        .setValue("", "/opt/Lamivex/lib/Probe.pgs");
    RegistryKey& odd = root.createKey("Odd [key] \"quoted\"");
    odd.setValue("back\\slash", "a\\b");
    odd.setValue("quote\"d", "say \"hi\"");
    odd.setValue("controls", "line1\nline2\r\t\x01 end");
    odd.setValue("@", "not the default");
    odd.setValue("", "default");
    odd.setValue("unicode", "Размытие");
    root.createKey("Empty\\Leaf");
    root.setValue("rootValue", "at the top");

    std::string text = lvx::FormatRegistry(root);
    EXPECT_EQ(text.rfind("Lamivex Registry 1\n", 0), 0u);
    RegistryKey back = lvx::ParseRegistry(text);
    EXPECT_TRUE(back == root);
    EXPECT_EQ(back.valueAt("Odd [key] \"quoted\"", "controls"), "line1\nline2\r\t\x01 end");
    EXPECT_EQ(back.valueAt("Odd [key] \"quoted\"", "@"), "not the default");
    EXPECT_NE(back.findKey("Empty\\Leaf"), nullptr);  // keys without values survive
}

TEST(RegistryTextTest, DamagedTextIsRefusedWithItsLine) {
    struct Case {
        const char* text;
        const char* line;
    };
    const Case cases[] = {
        {"not a registry\n", "line 1"},
        {"Lamivex Registry 1\n\"v\"=\"1\"\n", "line 2"},  // value outside a key
        {"Lamivex Registry 1\n[A]\n\"v\"=\"unterminated\n", "line 3"},
        {"Lamivex Registry 1\n[A]\n\"v\"\"1\"\n", "line 3"},  // no '='
        {"Lamivex Registry 1\n[A]\n@=\"1\" extra\n", "line 3"},
        {"Lamivex Registry 1\n[A]\n@=\"\\q\"\n", "line 3"},   // unknown escape
        {"Lamivex Registry 1\n[A]\n@=\"\\x4\"\n", "line 3"},  // short \x escape
        {"Lamivex Registry 1\n[A\\\\B]\n", "line 2"},         // empty key name
        {"Lamivex Registry 1\n[A\n", "line 2"},
    };
    for (const Case& c : cases) {
        try {
            lvx::ParseRegistry(c.text);
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const RegistryError& e) {
            EXPECT_NE(std::string(e.what()).find(c.line), std::string::npos) << e.what();
        }
    }
    EXPECT_FALSE(lvx::ParseRegistry("").hasSubkeys());
    EXPECT_NO_THROW(lvx::ParseRegistry("Lamivex Registry 1\r\n; a comment\r\n\r\n[A]\r\n@=\"1\"\r\n"));
}

TEST(RegistryFileTest, UpdatesPersistAndAMissingFileIsEmpty) {
    TempFolder folder;
    Registry registry(folder.file("sub/dir/registry"));  // folders are created on first write
    EXPECT_FALSE(registry.load().hasSubkeys());
    registry.update([](RegistryKey& root) { root.createKey("Probe.Data\\CLSID").setValue("", "{X}"); });
    registry.update([](RegistryKey& root) { root.createKey("Other").setValue("v", "2"); });
    RegistryKey root = registry.load();
    EXPECT_EQ(root.valueAt("Probe.Data\\CLSID"), "{X}");
    EXPECT_EQ(root.valueAt("Other", "v"), "2");
    EXPECT_EQ(ReadText(registry.path()), lvx::FormatRegistry(root));

    // No temporary file is left beside it.
    size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder.file("sub/dir"))) {
        std::string name = entry.path().filename().string();
        EXPECT_TRUE(name == "registry" || name == "registry.lock") << name;
        ++files;
    }
    EXPECT_EQ(files, 2u);
}

TEST(RegistryFileTest, AFailingEditLeavesTheFileAsItWas) {
    TempFolder folder;
    Registry registry(folder.file("registry"));
    registry.update([](RegistryKey& root) { root.createKey("Keep").setValue("", "me"); });
    std::string before = ReadText(registry.path());
    EXPECT_THROW(registry.update([](RegistryKey& root) {
        root.deleteKeyTree("Keep");
        throw std::runtime_error("edit failed halfway");
    }),
                 std::runtime_error);
    EXPECT_EQ(ReadText(registry.path()), before);
}

TEST(RegistryFileTest, ADamagedFileIsReportedAndNotOverwritten) {
    TempFolder folder;
    Registry registry(folder.file("registry"));
    WriteText(registry.path(), "Lamivex Registry 1\n[A]\n@=\"broken\n");
    EXPECT_THROW(registry.load(), RegistryError);
    EXPECT_THROW(registry.update([](RegistryKey& root) { root.createKey("B"); }), RegistryError);
    EXPECT_EQ(ReadText(registry.path()), "Lamivex Registry 1\n[A]\n@=\"broken\n");
}

// A write that fails part way (here: the file size limit stops it) must leave the old file whole.
TEST(RegistryFileTest, AFailedWriteLeavesTheOldFileIntact) {
    TempFolder folder;
    Registry registry(folder.file("registry"));
    registry.update([](RegistryKey& root) { root.createKey("Old").setValue("", "contents"); });
    const std::string before = ReadText(registry.path());

    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);  // make write fail with EFBIG instead of killing the process
        rlimit limit{before.size() + 16, before.size() + 16};
        setrlimit(RLIMIT_FSIZE, &limit);
        try {
            registry.update(
                [](RegistryKey& root) { root.createKey("Big").setValue("", std::string(100000, 'x')); });
        } catch (const RegistryError&) {
            _exit(0);  // the failure was reported
        }
        _exit(1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the failed write was not reported";
    EXPECT_EQ(ReadText(registry.path()), before);
    size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 2u) << "a temporary file was left behind";
}

TEST(RegistryFileTest, TemporariesOfADeadWriterAreRemovedByTheNextChange) {
    TempFolder folder;
    Registry registry(folder.file("registry"));
    WriteText(folder.file("registry.a1B2c3"), "half written");   // as a writer killed before rename
    WriteText(folder.file("registry.notes"), "someone else's");  // not one of ours: kept
    registry.update([](RegistryKey& root) { root.createKey("A"); });
    EXPECT_FALSE(std::filesystem::exists(folder.file("registry.a1B2c3")));
    EXPECT_TRUE(std::filesystem::exists(folder.file("registry.notes")));
    EXPECT_NE(registry.load().findKey("A"), nullptr);
}

TEST(RegistryFileTest, ConcurrentUpdatesFromSeveralProcessesAllLand) {
    TempFolder folder;
    Registry registry(folder.file("registry"));
    constexpr int kProcesses = 6;
    constexpr int kUpdatesEach = 20;
    std::vector<pid_t> children;
    for (int p = 0; p < kProcesses; ++p) {
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            int failures = 0;
            for (int i = 0; i < kUpdatesEach; ++i) {
                try {
                    registry.update([&](RegistryKey& root) {
                        std::string name = "P" + std::to_string(p) + "\\K" + std::to_string(i);
                        root.createKey(name).setValue("", std::to_string(p * 1000 + i));
                    });
                } catch (...) {
                    ++failures;
                }
            }
            _exit(failures == 0 ? 0 : 1);
        }
        children.push_back(child);
    }
    for (pid_t child : children) {
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    RegistryKey root = registry.load();
    for (int p = 0; p < kProcesses; ++p)
        for (int i = 0; i < kUpdatesEach; ++i)
            EXPECT_EQ(root.valueAt("P" + std::to_string(p) + "\\K" + std::to_string(i)),
                      std::to_string(p * 1000 + i));
    EXPECT_EQ(root.subkeyNames().size(), static_cast<size_t>(kProcesses));
}

TEST(RegistryFileTest, CurrentFollowsTheEnvironment) {
    struct Saved {
        const char* name;
        std::optional<std::string> value;
    };
    std::vector<Saved> saved;
    for (const char* name : {"LAMIVEX_REGISTRY", "XDG_CONFIG_HOME", "HOME"}) {
        const char* v = getenv(name);
        saved.push_back({name, v ? std::optional<std::string>(v) : std::nullopt});
    }
    setenv("HOME", "/home/someone", 1);
    unsetenv("XDG_CONFIG_HOME");
    unsetenv("LAMIVEX_REGISTRY");
    EXPECT_EQ(Registry::Current().path(), "/home/someone/.config/lamivex/registry");
    setenv("XDG_CONFIG_HOME", "relative/ignored", 1);
    EXPECT_EQ(Registry::Current().path(), "/home/someone/.config/lamivex/registry");
    setenv("XDG_CONFIG_HOME", "/cfg", 1);
    EXPECT_EQ(Registry::Current().path(), "/cfg/lamivex/registry");
    setenv("LAMIVEX_REGISTRY", "", 1);
    EXPECT_EQ(Registry::Current().path(), "/cfg/lamivex/registry");
    setenv("LAMIVEX_REGISTRY", "/tmp/reg", 1);
    EXPECT_EQ(Registry::Current().path(), "/tmp/reg");
    for (const Saved& s : saved) {
        if (s.value)
            setenv(s.name, s.value->c_str(), 1);
        else
            unsetenv(s.name);
    }
}

}  // namespace
