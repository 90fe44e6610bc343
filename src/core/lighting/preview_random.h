#pragma once
// Where the preview's random colour indexes come from: a generator that is
// reseeded from the time in whole seconds, so that within one second the
// same sequence repeats. Both sit behind seams the tests replace.

#include <cstdint>
#include <functional>

namespace kw {

class PreviewRandom {
public:
    virtual ~PreviewRandom() = default;
    virtual void seed(std::uint32_t value) = 0;
    virtual std::uint32_t next() = 0;
};

// A linear congruential generator with 15-bit results, cheap enough to
// reseed several times per tick.
class LcgRandom final : public PreviewRandom {
public:
    void seed(std::uint32_t value) override { state_ = value; }
    std::uint32_t next() override {
        state_ = state_ * 214013u + 2531011u;
        return (state_ >> 16) & 0x7FFFu;
    }

private:
    std::uint32_t state_ = 1;
};

// The current time in whole seconds.
using SecondsClock = std::function<std::int64_t()>;

SecondsClock systemSecondsClock();

} // namespace kw
