// The handler table of the settings, variables and listing commands.
#include "handlers/families.h"
#include "handlers/help.h"

namespace {

constexpr HandlerCase kCases[] = {
    {"help", cmd_help},
};

} // namespace

std::span<const HandlerCase> settings_handlers() { return kCases; }
