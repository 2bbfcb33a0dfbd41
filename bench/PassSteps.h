#pragma once

// tvbench steps SOURCE MIRROR PATTERN: times, inside one walk of the engine's own walker, each
// step an up-to-date pass takes, and the folder identity now and as it was first asked.
int TimePassSteps(const char* sourceRoot, const char* mirrorRoot, const char* pattern);
