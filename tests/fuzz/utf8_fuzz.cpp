// fuzz-links: kavlo_utf8
// The UTF-8 coder on any bytes: readings stay inside the input, the strict reading of
// well-formed text survives the trip through UTF-16 unchanged, and whatever comes back from
// UTF-16 is well formed.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "utf8/utf8.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    bool wellFormed = true;
    for (size_t at = 0; at < size;) {
        const utf8::Sequence s = utf8::decode(bytes.substr(at));
        if (s.length == 0 || s.length > size - at) std::abort();
        wellFormed = wellFormed && s.wellFormed;
        at += s.length;
    }
    for (size_t at = 0; at < size;) {
        const utf8::LenientUnits d = utf8::decodeLenient(bytes.substr(at));
        if (d.consumed == 0 || d.consumed > size - at || d.count == 0 || d.count > 2) std::abort();
        at += d.consumed;
    }
    const std::string back = utf8::fromUtf16(utf8::toUtf16(bytes));
    if (wellFormed && back != bytes) std::abort();
    for (size_t at = 0; at < back.size();) {
        const utf8::Sequence s = utf8::decode(std::string_view(back).substr(at));
        if (!s.wellFormed) std::abort();
        at += s.length;
    }
    return 0;
}
