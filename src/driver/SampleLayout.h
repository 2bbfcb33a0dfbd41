#pragma once

#include <string>

// The bundled sample as a first-time user finds it. Its folders are copied from the examples
// folder to kSampleFolder, which its folder list names, and its hidden and system files get the
// attributes git cannot keep. The folder list goes into the program's data folder and is
// remembered in the registry as the list to open; a log left by an earlier run is removed.

constexpr char kSampleFolder[] = "C:\\Sample\\";

// examplesFolder ends in "\"; on false, failure says what could not be done.
bool LayOutSample(const std::string& examplesFolder, std::string& failure);
// The sample's folder list in the program's data folder, as the layout remembers it.
std::string SampleDataFile();
// The program's log, BackupLog.txt in the temporary folder that the driver and the program it
// starts share.
std::string BackupLogPath();
