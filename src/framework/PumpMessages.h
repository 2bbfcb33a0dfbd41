#pragma once

// Drains the calling thread's message queue; answers true when a quit request is waiting,
// which stays in the queue for the application's own message loop.
bool PumpMessages();
