// A today late enough that no invoice of the tests is dated after it, for
// the commands that save and so ask about a date still to come.
#pragma once

#include "app/clock.h"

namespace tessaro::test {

inline const app::Clock& lateClock()
{
    static const app::FixedClock clock(2099, 12, 31);
    return clock;
}

} // namespace tessaro::test
