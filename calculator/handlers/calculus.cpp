// The handler table of the limit, derivative, equation and postfix commands.
#include "handlers/families.h"
#include "solvers/solve_command.h"

namespace {

constexpr HandlerCase kCases[] = {
    {"solve", cmd_solve},
};

} // namespace

std::span<const HandlerCase> calculus_handlers() { return kCases; }
