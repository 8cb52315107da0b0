#include "handlers/item_listing.h"

#include "interpreter/texts.h"

std::string uncheckedWholeBracket(const std::string &text) {
    const size_t open = text.find('(');
    const size_t start = open == std::string::npos ? 0 : open + 1;
    const size_t close = text.rfind(')');
    if (close == std::string::npos || close < start) return text.substr(start);
    return text.substr(start, close - start);
}

void writeItemTotal(std::ostream &out, size_t count) {
    out << kRule << "\n"
        << "Total: " << count << " items.\n\n"
        << kPrompt;
}
