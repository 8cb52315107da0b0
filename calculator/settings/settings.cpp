// The settings store: named text values. "lock" set to exactly "1" freezes the store,
// "lock" itself included.
#include "Calculator.h"

namespace {

constexpr int kStoreLocked = 0;
constexpr int kValueReplaced = 1;
constexpr int kKeyAdded = 2;

} // namespace

int Calculator::setConfig(const std::string &key, const std::string &value) {
    if (getConfig("lock") == "1") return kStoreLocked;
    auto it = settings.find(key);
    if (it != settings.end()) {
        it->second = value;
        return kValueReplaced;
    }
    settings.emplace(key, value);
    return kKeyAdded;
}

std::string Calculator::getConfig(const std::string &key) {
    return settings[key]; // a key that is not stored is added with an empty value
}
