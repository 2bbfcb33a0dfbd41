// The runner's bench-only build: its queue drain does nothing, so timing that build gives the
// up-to-date pass without its drains directly, not less a drain cost measured in another process.
#include "framework/PumpMessages.h"

bool PumpMessages()
{
    return false;
}
