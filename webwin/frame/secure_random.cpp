#include "secure_random.h"

#include <cstdlib>

#ifdef _WIN32
#include <windows.h>
#include <bcrypt.h>
#else
#include <sys/random.h>
#include <cerrno>
#endif

namespace webwin {

void secureRandom(unsigned char *bytes, size_t count) {
#ifdef _WIN32
    while (count > 0) {
        const ULONG chunk = count > 0x10000000 ? 0x10000000 : static_cast<ULONG>(count);
        // Without a working system source there is no safe token to hand out.
        if (BCryptGenRandom(nullptr, bytes, chunk, BCRYPT_USE_SYSTEM_PREFERRED_RNG) != 0) std::abort();
        bytes += chunk;
        count -= chunk;
    }
#else
    while (count > 0) {
        const ssize_t got = getrandom(bytes, count, 0);
        if (got < 0) {
            if (errno == EINTR) continue;
            std::abort();
        }
        bytes += got;
        count -= static_cast<size_t>(got);
    }
#endif
}

}  // namespace webwin
