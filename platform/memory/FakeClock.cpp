#include "platform/memory/FakeClock.h"
