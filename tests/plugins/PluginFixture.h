// The fixture of the host-side plug-in tests: a temporary registry with the five modules registered
// (Umbrino before Mollivo, so Mollivo.Data names Mollivo's class), a scripted user, and a log of the
// captions and message boxes the dialogs show.
#pragma once
#include <gtest/gtest.h>

#include <initializer_list>

#include "PluginHost.h"
#include "PluginIds.h"
#include "lvx/Dialogs.h"

namespace lvx::plugins::test {

class PluginFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* name : {"Colors", "Button", "Diffuse", "Umbrino", "Mollivo"})
            ASSERT_EQ(RegisterServerModule(ModulePath(name)), S_OK) << name;
    }
    void TearDown() override {
        EXPECT_FALSE(user.failure().has_value()) << *user.failure();
        CoFreeUnusedLibraries();
    }

    void script(std::initializer_list<const char*> lines) {
        for (const char* line : lines)
            user.add(line);
    }
    // The captions set after the dialog appeared, with `prefix` removed from each.
    std::vector<std::string> progress(const std::string& prefix) const {
        std::vector<std::string> out;
        for (const std::string& caption : log.captions())
            out.push_back(caption.rfind(prefix, 0) == 0 ? caption.substr(prefix.size()) : "?" + caption);
        return out;
    }

    TempRegistry registry;
    lvx::dialogs::ScriptedUser user;
    lvx::dialogs::ScopedUser scope{user};
    lvx::dialogs::EventLog log;
};

}  // namespace lvx::plugins::test
