// The registry of polynomial variables: user names entered with the next index, the names
// of an index, the registration of the names x_k of a text, and the rewriting of user names
// into internal names.
#include <algorithm>
#include <array>
#include <iostream>

#include "text_helpers.h"
#include "globals.h"
#include "multipolyn.h"
#include "polynomial.h"
#include "polynomial/multipolyn_internal.h"

namespace {

constexpr char kMainRecordName[] = "x";

using engine::isDigit;
bool endsWithDigit(const std::string &t) { return !t.empty() && isDigit(t.back()); }

// The user name at position `at` of the text, not ending inside a longer number: x_1 is no
// part of x_12.
bool nameAt(const std::string &text, size_t at, const std::string &name) {
    if (text.compare(at, name.size(), name) != 0) return false;
    const size_t end = at + name.size();
    return !(endsWithDigit(name) && end < text.size() && isDigit(text[end]));
}

}  // namespace

int64_t poly_registry_add(const std::string &name) {
    if (poly_varnames.empty()) poly_varnames.push_back({0, kMainRecordName, kMainRecordName});
    // The one-variable writers name the main variable by the first internal name.
    if (poly_internal_names.empty()) poly_internal_names.emplace_back(1, main_var);
    // The record at position k carries index k: names are looked up by position.
    const int64_t index = int64_t(poly_varnames.size());
    if (index > INT32_MAX || !poly_vars.emplace(name, int(index)).second) return -1;
    std::string internal = "x_" + std::to_string(index);
    poly_varnames.push_back({index, name, internal});
    poly_internal_names.push_back(std::move(internal));
    return index;
}

std::string poly_variable_name(int64_t index, bool internal) {
    if (index == 0) return internal ? std::string(1, main_var) : polyn_variable_text();
    // An internal name is made from its index, so that it reads back as the same variable.
    if (internal || index < 0 || uint64_t(index) >= poly_varnames.size()) return "x_" + std::to_string(index);
    return poly_varnames[size_t(index)].name;
}

int multipolyn_add_var(const std::string &text) {
    int added = 0;
    for (const char *p = text.c_str(); *p != '\0';) {
        if (p[0] == 'x' && p[1] == '_') {
            p += 2;
            int64_t value = 0;
            std::string_view used;
            // An index past 64 bits is no name: the reader refuses it.
            const bool fits = multipolyn::readVariableIndex(p, value, used);
            const std::string name = "x_" + std::string(used);
            if (fits && value > 0 && !poly_vars.count(name)) {
                std::cout << "Add var " << name << " to poly_vars.\n";
                if (poly_registry_add(name) >= 0) added++;
            }
            continue;
        }
        // The scan ends at the main variable.
        if (*p == main_var) break;
        p++;
    }
    return added;
}

int multipolyn_substitute(const std::string &text, std::string &out) {
    if (text.empty()) return 0;
    // One pass, the longest user name at each place, a later record before an earlier one of
    // the same name: what is put in is never read again, so a user name that equals another
    // variable's internal name cannot turn into that variable.
    struct Name {
        const std::string *user, *internal;
    };
    std::array<std::vector<Name>, 256> byFirstChar;
    for (size_t k = poly_varnames.size(); k-- > 1;) {
        const PolyVarName &r = poly_varnames[k];
        if (!r.name.empty()) byFirstChar[uint8_t(r.name[0])].push_back({&r.name, &r.internalName});
    }
    for (auto &names : byFirstChar)
        std::stable_sort(names.begin(), names.end(), [](const Name &a, const Name &b) { return a.user->size() > b.user->size(); });
    std::string result;
    result.reserve(text.size() + 16);
    for (size_t i = 0; i < text.size();) {
        const Name *hit = nullptr;
        for (const Name &n : byFirstChar[uint8_t(text[i])])
            if (nameAt(text, i, *n.user)) {
                hit = &n;
                break;
            }
        if (!hit) {
            result += text[i++];
            continue;
        }
        result += *hit->internal;
        i += hit->user->size();
        // A digit after the name is a factor of its own, not more digits of the index.
        if (i < text.size() && isDigit(text[i]) && endsWithDigit(*hit->internal)) result += '*';
    }
    out = std::move(result);
    return int(poly_vars.size());
}
