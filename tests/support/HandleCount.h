#pragma once

// The number of kernel handles this process holds, counted in the system's handle table; -1
// when the table cannot be read. GetProcessHandleCount is no use for leak checks: Wine answers 0.
long OpenHandleCount();
