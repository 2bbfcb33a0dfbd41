#pragma once

// Dispatches every message waiting for the calling thread until the queue is empty.
// A quit request is put back and ends the pumping; the answer is then false.
bool PumpUntilIdle();
