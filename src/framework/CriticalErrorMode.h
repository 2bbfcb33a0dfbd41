#pragma once

// What both programs do first: no system box "There is no disk in the drive" for a drive without
// its medium (a card reader without a card). The call then fails, and the program reports it
// itself; an unattended run never waits for a click.
void FailCriticalErrorsQuietly();
