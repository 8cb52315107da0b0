#include "stop_request.h"

std::atomic<bool> engine_stop_flag{false};

void requestEngineStop() {
    engine_stop_flag.store(true, std::memory_order_relaxed);
}

void clearEngineStop() {
    engine_stop_flag.store(false, std::memory_order_relaxed);
}

void throwEngineStopped() {
    throw EngineStopped{};
}
