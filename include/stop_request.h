// A request to stop the computation that is running, made from another thread (the window's,
// while a worker computes). Long loops look at it and end early with a "stopped" answer; the
// requester clears it once the run has ended.
#pragma once

#include <atomic>

extern std::atomic<bool> engine_stop_flag;

inline bool engineStopRequested() {
    return engine_stop_flag.load(std::memory_order_relaxed);
}
void requestEngineStop();
void clearEngineStop();
