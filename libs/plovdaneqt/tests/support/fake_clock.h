#pragma once
// A monotonic clock the test moves by hand.
#include <atomic>
#include <cstdint>

#include <PlovdaneQt/MonotonicClock.h>

class FakeClock : public pld_qt::IMonotonicClock {
public:
    std::int64_t Nanoseconds() const override { return m_now.load(std::memory_order_acquire); }

    void Advance(std::int64_t nanoseconds) { m_now.fetch_add(nanoseconds, std::memory_order_acq_rel); }
    void AdvanceMs(double milliseconds) { Advance(static_cast<std::int64_t>(milliseconds * 1e6 + 0.5)); }
    std::int64_t Milliseconds() const { return Nanoseconds() / 1000000; }

private:
    std::atomic<std::int64_t> m_now{1000000000};
};
