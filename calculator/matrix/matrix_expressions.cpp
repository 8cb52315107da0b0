#include "matrix/matrix_expressions.h"

#include <vector>

#include "matrix/matrix_variables.h"
#include "text/string_utils.h"
#include "tools.h"

int32_t tmpMatrixCounter = 0;

namespace {

constexpr char kOperatorTokens[] = "+-*/%@^!<>[]~";

bool isOperatorToken(const std::string &token) {
    return token.size() == 1 && std::string_view(kOperatorTokens).find(token[0]) != std::string_view::npos;
}

std::string operatorTag(char op) {
    switch (op) {
    case '+': return "_plus_";
    case '-': return "_minus_";
    case '*': return "_mul_";
    case '/': return "_div_";
    case '^': return "_pow_";
    default: return "_";
    }
}

// An operand as an operation sees it: a matrix (a copy of the variable's value), the value
// text of a variable of another type, or the token text itself.
struct Operand {
    bool variable = false;
    bool matrix = false;
    KV_Matrix value;
    std::string text;
};

Operand resolve(Calculator &calculator, const std::string &token) {
    Operand o;
    o.text = token;
    VariableBase *found = nullptr;
    if (!getMatrixVariable(calculator, token, found)) return o;
    o.variable = true;
    if (const KV_Matrix *m = matrixValueOf(calculator, token)) {
        o.matrix = true;
        o.value = *m;
    } else {
        o.text = calculator.variables.find(token)->second.valueText;
    }
    return o;
}

int shapeMessage(Calculator &calculator, const char *english, const char *chinese, int code) {
    calculator.output << english << "\n" << chinese << "\n";
    return code;
}

// A ^ n: n products on the right, from the identity pattern of A's shape; a negative n
// multiplies by the inverse.
int power(Calculator &calculator, const Operand &a, const std::string &exponent, KV_Matrix &result) {
    int64_t n = 0;
    if (!checkedInt64(exponent, -kMaxMatrixPower, kMaxMatrixPower, n)) {
        calculator.output << integerRangeMessage(exponent, -kMaxMatrixPower, kMaxMatrixPower) << "\n";
        return kMatrixPowerOperands;
    }
    KV_Matrix factor = a.value;
    if (n < 0) factor = factor.inverse();
    result = KV_Matrix(a.value.rows, a.value.cols, "0");
    result.identity();
    for (int64_t k = 0; k < (n < 0 ? -n : n); k++) result = result * factor;
    return kMatrixPower;
}

int sumOrDifference(Calculator &calculator, char op, const Operand &l, const Operand &r, KV_Matrix &result) {
    if (!l.matrix || !r.matrix) return kMatrixNoResult;
    bool sum = op == '+';
    if (l.value.rows != r.value.rows || l.value.cols != r.value.cols)
        return shapeMessage(calculator, "The two matrices are of inconsistent types.",
                            sum ? "不同类型的矩阵无法相加" : "不同类型的矩阵无法相减",
                            sum ? kMatrixSumShapes : kMatrixDifferenceShapes);
    result = sum ? l.value + r.value : l.value - r.value;
    return sum ? kMatrixSum : kMatrixDifference;
}

int product(Calculator &calculator, const Operand &l, const Operand &r, KV_Matrix &result) {
    if (l.matrix && r.matrix) {
        if (r.value.rows != l.value.cols)
            return shapeMessage(calculator,
                                "The number of columns of first matrix is NOT equal to the number of rows of the "
                                "second matrix.",
                                "第一个矩阵的列数不等于第二个矩阵的行数, 无法相乘", kMatrixProductShapes);
        result = l.value * r.value;
    } else if (l.matrix) {
        result = matrixTimesScalar(l.value, r.text);
    } else if (r.matrix) {
        result = matrixTimesScalar(r.value, l.text);
    } else {
        return kMatrixProductShapes;
    }
    return kMatrixProduct;
}

int quotient(const Operand &l, const Operand &r, KV_Matrix &result) {
    if (l.matrix && r.matrix) {
        if (l.value.cols != r.value.rows) return kMatrixProductShapes;
        KV_Matrix divisor = r.value;
        result = l.value * divisor.inverse();
        return kMatrixProduct;
    }
    if (l.matrix) {
        result = matrixDivScalar(l.value, r.text);
        return kMatrixByScalar;
    }
    if (r.matrix) {
        KV_Matrix divisor = r.value;
        result = matrixTimesScalar(divisor.inverse(), l.text);
        return kMatrixByScalar;
    }
    return kMatrixQuotientOperands;
}

// The temporary's name; when it is taken the counter goes up until a free name appears,
// so a temporary never lands on (or beside) a variable of the same name.
std::string temporaryName(Calculator &calculator, const std::string &left, char op, const std::string &right) {
    std::string stem = "__tmpMatrix" + left + operatorTag(op) + right + "_";
    std::string name = stem + std::to_string(tmpMatrixCounter);
    while (calculator.variables.count(name) != 0) name = stem + std::to_string(++tmpMatrixCounter);
    return name;
}

} // namespace

int matrixBinaryOp(Calculator &calculator, const MatrixOperation &operation, KV_Matrix &result) {
    const char op = operation[0].empty() ? ' ' : operation[0][0];
    Operand r = resolve(calculator, operation[1]);
    Operand l = resolve(calculator, operation[2]);
    if (l.variable && r.variable && !l.matrix && !r.matrix) return kMatrixNoResult;
    setMatrixMode(calculator.core.getMode());
    switch (op) {
    case '+':
    case '-': return sumOrDifference(calculator, op, l, r, result);
    case '*': return product(calculator, l, r, result);
    case '/': return quotient(l, r, result);
    case '^':
        if (!l.matrix || r.matrix) return kMatrixPowerOperands;
        return power(calculator, l, r.text, result);
    case '~': {
        // An operand that is no matrix counts as the 1 x 1 matrix "0".
        KV_Matrix left = l.matrix ? l.value : KV_Matrix(), right = r.matrix ? r.value : KV_Matrix();
        return left == right ? kMatricesEqual : kMatricesNotEqual;
    }
    default: return kMatrixNoResult;
    }
}

int Calculator::EvalMatrixPostfixExpression(const std::string &postfix, std::stringstream &out) {
    std::vector<std::string> tokens;
    for (const std::string &t : split_by_char(postfix, ','))
        if (!t.empty()) tokens.push_back(t);
    // With fewer than three tokens nothing can be computed: operators stay operands.
    const bool evaluate = tokens.size() >= 3;
    std::vector<std::string> stack;
    for (const std::string &token : tokens) {
        if (!evaluate || !isOperatorToken(token)) {
            stack.push_back(token);
            continue;
        }
        if (stack.size() < 2) {
            out << "The operator " << token << " needs two operands.\n";
            return kMatrixMissingOperand;
        }
        MatrixOperation operation{token, stack[stack.size() - 1], stack[stack.size() - 2]};
        stack.resize(stack.size() - 2);
        KV_Matrix result;
        int code = matrixBinaryOp(*this, operation, result);
        if (code <= 0) return code;
        std::string name = temporaryName(*this, operation[2], token[0], operation[1]);
        storeMatrixVariable(*this, name, result);
        out << "\n";
        writeMatrixCells(out, result);
        stack.push_back(name);
    }
    return 1;
}
