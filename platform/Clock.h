#pragma once

#include <cstdint>

namespace olv {

// Whole seconds since 1970. Passed in wherever time matters, so tests fix it.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual std::int64_t nowSeconds() const = 0;
};

class SystemClock : public Clock
{
public:
    std::int64_t nowSeconds() const override;
};

// A clock that only moves when told to.
class FixedClock : public Clock
{
public:
    explicit FixedClock(std::int64_t seconds) : m_seconds(seconds) { }
    std::int64_t nowSeconds() const override { return m_seconds; }
    void set(std::int64_t seconds) { m_seconds = seconds; }
    void advance(std::int64_t seconds) { m_seconds += seconds; }

private:
    std::int64_t m_seconds;
};

} // namespace olv
