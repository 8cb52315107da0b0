// The handler table of the matrix commands (built in matrix/).
#include "handlers/families.h"
#include "matrix/matrix_commands.h"

namespace {

constexpr HandlerCase kCases[] = {
    {"CofactorMatrix", cmd_CofactorMatrix},
    {"det", cmd_det},
    {"DetExpansion", cmd_DetExpansion},
    {"E", cmd_E},
    {"inv", cmd_inv},
    {"QR", cmd_QR},
    {"rank", cmd_rank},
    {"transform", cmd_transform},
    {"transpose", cmd_transpose},
};

} // namespace

std::span<const HandlerCase> matrix_handlers() { return kCases; }
