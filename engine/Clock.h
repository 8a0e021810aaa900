// Time: a millisecond clock that tests (and the headless player) can replace.
#pragma once

#include <cstdint>

struct DateTime {
    int year = 0;
    int month = 0;  // 1..12
    int day = 0;    // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
};

class IClock {
  public:
    virtual ~IClock() = default;
    // Milliseconds since an arbitrary start; wraps at 2^32.
    virtual uint32_t Millis() = 0;
    virtual void Sleep(int ms) = 0;
    virtual DateTime Now() = 0;
};

// A clock that only moves when told to. Sleep advances it.
class FakeClock : public IClock {
  public:
    explicit FakeClock(uint32_t start = 0) : now_(start) {}
    uint32_t Millis() override { return now_; }
    void Sleep(int ms) override {
        if (ms > 0) now_ += static_cast<uint32_t>(ms);
    }
    DateTime Now() override { return date_; }
    void Advance(uint32_t ms) { now_ += ms; }
    void Set(uint32_t ms) { now_ = ms; }
    void SetDate(const DateTime& date) { date_ = date; }

  private:
    uint32_t now_;
    DateTime date_{2026, 1, 1, 12, 0, 0};
};

// Installs a clock; null restores the system clock. The caller keeps
// ownership and must reinstall null before destroying it.
void SetClock(IClock* clock);
IClock& CurrentClock();

// Milliseconds since start as a 32-bit signed value (it wraps).
int MilliSecs();
void Delay(int ms);
DateTime CurrentDateTime();
