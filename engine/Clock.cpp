#include "engine/Clock.h"

#include <atomic>
#include <chrono>
#include <ctime>
#include <thread>

namespace {

class SystemClock : public IClock {
  public:
    uint32_t Millis() override {
        auto elapsed = std::chrono::steady_clock::now() - start_;
        auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
        return static_cast<uint32_t>(ms);  // wraps after 49.7 days, like the game expects
    }

    void Sleep(int ms) override {
        if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    }

    DateTime Now() override {
        std::time_t now = std::time(nullptr);
        std::tm local{};
        if (!localtime_r(&now, &local)) return DateTime{};
        return DateTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                        local.tm_hour,        local.tm_min,     local.tm_sec};
    }

  private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

SystemClock& TheSystemClock() {
    static SystemClock clock;
    return clock;
}

// Starts the system clock's count when the program starts rather than at the
// first call.
[[maybe_unused]] const SystemClock& startedAtLoad = TheSystemClock();

std::atomic<IClock*> installedClock{nullptr};

}  // namespace

void SetClock(IClock* clock) {
    installedClock.store(clock);
}

IClock& CurrentClock() {
    IClock* clock = installedClock.load();
    return clock ? *clock : TheSystemClock();
}

int MilliSecs() {
    // Modular conversion: well defined since C++20, so values past 2^31 go
    // negative instead of being undefined.
    return static_cast<int32_t>(CurrentClock().Millis());
}

void Delay(int ms) {
    CurrentClock().Sleep(ms);
}

DateTime CurrentDateTime() {
    return CurrentClock().Now();
}
