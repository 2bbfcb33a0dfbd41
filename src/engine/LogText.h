#pragma once

#include <cstddef>
#include <cstdint>

// First line of every backup log.
extern const char kLogTitle[];

// Writes a byte count in unsigned decimal, no separators.
bool FormatByteCount(std::uint64_t bytes, char* out, std::size_t outSize);

// The reason of a failed copy: the known system codes by name, any other as "error #" and the number.
bool FormatCopyFailureReason(unsigned long code, char* out, std::size_t outSize);

// "The file <path> is <size> bytes. The disk space left is <free> bytes. Insert another disk ..."
bool FormatDiskFullMessage(const char* sourcePath, std::uint64_t fileSize, const char* freeSpace, char* out, std::size_t outSize);

// The front of a copied-file record: "  Copied ", "hidden ", "system ", "file: "; the path follows it.
bool FormatCopiedRecord(bool hidden, bool system, char* out, std::size_t outSize);

// The last summary line; answers whether it is written as an error line.
bool FormatSummaryOutcome(bool abortRequested, int errorCount, char* out, std::size_t outSize);
