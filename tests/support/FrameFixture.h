// A fresh game object per test, with its shared data folder in a temporary
// folder, fatal errors turned into exceptions and the fake clock installed.
#pragma once

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include "frame/Game.h"
#include "support/Fatal.h"
#include "support/Headless.h"
#include "support/ScopedEnv.h"

class FrameTest : public HeadlessTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Runs whole logic steps (Delta 1) of the frame.
    void Steps(int count);
    // The message of the fatal error the call raised, "" when none.
    template <typename F>
    std::string FatalMessageOf(F&& call) {
        try {
            call();
        } catch (const FatalError& error) {
            return error.what();
        }
        return "";
    }

    ThrowingFatalErrors fatalErrors_;
    std::filesystem::path home_;
    std::unique_ptr<ScopedEnv> dataHome_;
};
