// fuzz-links: kavlo_engine
// Arbitrary angle and number texts for the elementary functions. The first byte picks the
// function, the second the precision (-2 to 37) and the mode word; the rest is the argument.
// Every answer must come back: no crash, no hang, whatever the text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "BigNumber.h"

namespace {

// Texts beyond this take the same roads, only with longer digit strings.
constexpr size_t MAX_TEXT = 600;

// An integer part this long would make e^x a text of more than ten thousand digits: the
// road is the same as for shorter ones, only slower.
bool expArgumentTooLarge(const std::string &x) {
    size_t start = x.find_first_not_of("+-");
    if (start == std::string::npos) return false;
    size_t end = x.find('.', start);
    if (end == std::string::npos) end = x.size();
    return end - start > 4;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 2 || size - 2 > MAX_TEXT) return 0;
    std::string x(reinterpret_cast<const char *>(data + 2), size - 2);
    BigNumber bn;
    bn.setPrecision(int32_t(data[1] % 40) - 2);
    bn.setMode(data[1] & 0x80 ? 1 : 0);
    std::string twoPi;
    switch (data[0] % 10) {
    case 0: bn.cosine(x); break;
    case 1: bn.sine(x); break;
    case 2: bn.tangent(x); break;
    case 3: bn.cotangent(x); break;
    case 4: bn.naturalLog(x); break;
    case 5:
        if (!expArgumentTooLarge(x)) bn.exponential(x);
        break;
    case 6:
        if (!expArgumentTooLarge(x)) bn.exponentialValue(x);
        break;
    case 7: bn.deg2radText(x); break;
    case 8: bn.turnOffset(x, twoPi); break;
    default: bn.ln10(); break;
    }
    return 0;
}
