// Ports of the window servers and the host's own address.
#pragma once

#include <cstddef>
#include <string>

namespace webwin {

// A random port from 10,000 to 65,500 that can be bound and is not handed out already; it is
// recorded as used until releasePort.
size_t freePort();
void releasePort(size_t port);

// True when the port cannot be bound on 127.0.0.1.
bool portInUse(size_t port);

#ifndef _WIN32
// Opens and closes a connection to the port on 127.0.0.1 (bounded: never waits for an answer).
void knockOnPort(size_t port);
#endif

// The host's first IPv4 address other than 127.0.0.1, else "127.0.0.1".
std::string localAddress();

}  // namespace webwin
