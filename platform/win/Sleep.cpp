#include "platform/Sleep.h"

#include <windows.h>

namespace Platform {

void SleepMilliseconds(unsigned milliseconds) {
  ::Sleep(milliseconds);
}

}  // namespace Platform
