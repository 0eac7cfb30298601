#pragma once
// Blocking sleep of the calling thread. Windows: Sleep. POSIX: nanosleep.

namespace Platform {

void SleepMilliseconds(unsigned milliseconds);

}  // namespace Platform
