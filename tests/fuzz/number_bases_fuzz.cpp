// fuzz-links: kavlo_engine
// Number bases both ways. The first byte picks the base (2 to 36) and the sign; the digits
// of the rest make a decimal integer, which must come back from every base it is written
// in, from binary, and through Gray code. The raw rest also goes through the readers of
// based texts, which must answer without a crash whatever it holds.
#include <cstddef>
#include <cstdint>
#include <string>

#include "BigNumber.h"
#include "fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 1 || size > 1024) return 0;
    std::string raw(reinterpret_cast<const char *>(data + 1), size - 1);
    BigNumber bn;
    std::string base = std::to_string(2 + data[0] % 35);
    bool negative = data[0] & 0x80;
    // readers of based texts, on anything
    bn.base_to_decimal(raw, base);
    bn.hex_to_decimal(raw);
    bn.octal_to_decimal(raw);
    bn.binary_to_decimal(raw);
    bn.gray_to_binary(raw);
    // round trips of a decimal integer
    std::string digits;
    for (char c : raw)
        if (c >= '0' && c <= '9') digits += c;
    if (digits.empty()) return 0;
    std::string x = (negative ? "-" : "") + digits;
    std::string value = fuzz::canonical(digits);
    std::string want = negative && value != "0" ? "-" + value : value;
    std::string written = bn.decimal_to_base(x, base);
    std::string back = bn.base_to_decimal(written, base);
    fuzz::require(back == want, x + " in base " + base + " is " + written + ", read back " + back);
    std::string bits = bn.decimal_to_binary(x);
    back = bn.binary_to_decimal(bits);
    fuzz::require(back == want, x + " in binary is " + bits + ", read back " + back);
    std::string magnitude = negative && bits[0] == '-' ? bits.substr(1) : bits;
    std::string gray = bn.binary_to_gray(magnitude);
    std::string plain = bn.gray_to_binary(gray);
    fuzz::require(plain == magnitude, magnitude + " in Gray code is " + gray + ", read back " + plain);
    return 0;
}
