// A request to stop the computation that is running, made from another thread (the window's,
// while a worker computes). Long loops look at it and end early with a "stopped" answer; the
// requester clears it once the run has ended.
#pragma once

#include <atomic>
#include <cstdint>

extern std::atomic<bool> engine_stop_flag;

inline bool engineStopRequested() {
    return engine_stop_flag.load(std::memory_order_relaxed);
}
void requestEngineStop();
void clearEngineStop();

// The answer of a computation ended by a stop request.
inline constexpr char kStoppedText[] = "Stopped.";

// Thrown out of a long loop of the engine once a stop was asked for. Not a std::exception, so
// no handler of other failures takes it for its own: the entries of a line (the calculator's
// line entry, a script run) catch it, answer kStoppedText and stay ready for the next line.
struct EngineStopped {};

[[noreturn]] void throwEngineStopped();

// A look at the request in a long loop; the throw stays out of line, the look is one load.
inline void engineStopPoint() {
    if (engineStopRequested()) throwEngineStopped();
}

// For loops whose steps are too short to pay even that each: a look every 4096 steps.
inline void engineStopPoint(uint64_t step) {
    if ((step & 4095) == 0) engineStopPoint();
}
