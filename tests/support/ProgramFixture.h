// The whole program started in-process: its own per-user data and runtime
// folder (so its single-copy lock too), fatal
// errors without a message box, no splash screens; the game object and the
// single-copy lock are released afterwards.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "support/Headless.h"
#include "support/ScopedEnv.h"

class ProgramTest : public HeadlessTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    std::filesystem::path home_;
    std::unique_ptr<ScopedEnv> env_;
    std::unique_ptr<ScopedEnv> runtimeEnv_;
};
