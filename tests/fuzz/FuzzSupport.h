// SPDX-License-Identifier: MIT
#pragma once
// What every fuzz target shares: the entry-point macro, a private scratch
// folder for the files a reader opens by name, and the split of one input
// into several files.
//
// KAVALO_FUZZ_TARGET(name) { ... } defines the body that gets the bytes. In
// the fuzzing build it is libFuzzer's entry point; in the normal build it is
// registered under its name so that fuzz_replay can run any target's corpus.
#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace kavalo::fuzz {

using TargetFunction = int (*)(const uint8_t* data, size_t size);

bool registerTarget(const char* name, TargetFunction function);
TargetFunction findTarget(const QString& name);
QStringList targetNames();

// A folder of this process, emptied before every input (so that no file of
// an earlier input is seen by the next one). Native path, no trailing '/'.
QString scratchFolder();
void clearScratch();

// Writes bytes to scratchFolder() + "/" + relative, creating folders on the
// way; returns the full path.
QString writeScratch(const QString& relative, const QByteArray& bytes);

// The bytes of a file a target wrote (empty when it cannot be read).
QByteArray fileBytes(const QString& path);

// Splits an input at lines that hold only "@@@" (the line end after it is
// consumed). Seeds are written that way, so mutations mostly keep the parts.
std::vector<QByteArray> splitParts(const uint8_t* data, size_t size);

// A property the fuzzer must never break: report and abort so that libFuzzer
// (or the replay test) records the input.
[[noreturn]] void checkFailed(const char* what, const char* file, int line);

}  // namespace kavalo::fuzz

#define FUZZ_CHECK(cond) ((cond) ? static_cast<void>(0) : ::kavalo::fuzz::checkFailed(#cond, __FILE__, __LINE__))

#ifdef KAVALO_FUZZ_ENGINE
#define KAVALO_FUZZ_TARGET(name) extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
#else
#define KAVALO_FUZZ_TARGET(name)                                                                                       \
  static int fuzzTarget_##name(const uint8_t* data, size_t size);                                                      \
  [[maybe_unused]] static const bool fuzzRegistered_##name = ::kavalo::fuzz::registerTarget(#name, fuzzTarget_##name); \
  static int fuzzTarget_##name(const uint8_t* data, size_t size)
#endif
