// The arithmetic engine: every operation on decimal number texts is a member of BigNumber.
// Numbers go in as text and the answer comes back in `result` (see getResult).
#pragma once

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

class BigNumber {
public:
    BigNumber();
    ~BigNumber();
    BigNumber(const BigNumber &) = delete;
    BigNumber &operator=(const BigNumber &) = delete;

    // Accessors. References are to the live fields.
    void setResult(const std::string &text) { result = text; }
    std::string &getResult() { return result; }
    void setPrecision(int32_t n) { precision = n; }
    int32_t getPrecision() const { return precision; }
    void setMode(int32_t word) { mode = word; }
    int32_t getMode() const { return mode; }
    void setExpand(int32_t n) { expand = n; }
    int32_t getExpand() const { return expand; }
    void setFixVariables(int32_t n) { fix_variables = n > 0 ? 1 : 0; }
    int32_t getFixVariables() const { return fix_variables; }
    void setExpression(const std::string &text) { expression = text; }
    std::string &getExpression() { return expression; }
    std::string &getPostfix() { return postfix; }
    std::string &getOriginalExpression() { return originalExpression; }
    void setErrorMessage(const std::string &text) { errorMessage = text; }
    std::string &getErrorMessage() { return errorMessage; }

    std::vector<uint64_t> primeTable;  // filled by the prime sieve
    std::stringstream outStream;       // printed output of members that print as they compute
    std::wstringstream wideStream;     // help, version, history and prime listings

private:
    char textBuffer[1001] = {};        // formatting buffer of the double-angle texts
    std::string result = "0";
    int32_t precision = 8;
    int32_t mode = 0;                  // bit 0: fractions; 2 polyn, 4 complex, 8 cmd, 16 paint
    int32_t expand = 0;
    int32_t fix_variables = 0;
    std::string expression;
    std::string postfix;
    std::string originalExpression;
    std::string errorMessage;
};
