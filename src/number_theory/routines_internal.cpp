#include "number_theory/routines_internal.h"

#include "BigNumber.h"
#include "engine/engine_internal.h"

namespace routines {

bool isNumberText(const std::string &text) {
    return BigNumber::isRealNumber(text) && text.find_first_of("0123456789") != std::string::npos;
}

bool readInteger(std::string_view text, nat::Nat &magnitude, bool &negative) {
    if (!engine::isIntegerText(text)) return false;
    negative = engine::isNegative(text);
    magnitude = nat::from_decimal(engine::unsignedPart(text));
    if (nat::is_zero(magnitude)) negative = false;
    return true;
}

std::string integerText(const nat::Nat &magnitude, bool negative) {
    if (nat::is_zero(magnitude)) return "0";
    std::string text = negative ? "-" : "";
    nat::append_decimal(magnitude, text);
    return text;
}

std::string numericalValue(BigNumber &bn, const std::string &text) {
    std::string value;
    bn.EvalInfixExprNoOutput(text, value, 0);
    return value;
}

std::string fractionValue(BigNumber &bn, const std::string &text) {
    bn.setExpression(text);
    bn.prepareExpression();
    std::string tokens = bn.tokenizeFractionInfix();
    bn.setExpression(tokens);
    bn.ConvertFractionInfixToPostfix();
    return bn.EvalFractionPostfixExprNoOutput(bn.InsertCommaInPostfix());
}

std::string modeValue(BigNumber &bn, const std::string &text) {
    return (bn.getMode() & kFractionBit) ? fractionValue(bn, text) : numericalValue(bn, text);
}

}  // namespace routines
