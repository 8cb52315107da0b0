// One left-to-right pass that tells a plain numerical infix expression (numbers, brackets
// and the numerical operator characters) from everything else. A state machine over
// eight states and eight character classes; see the transition table below.
#include "tools.h"

namespace {

enum State { Start, Number, Operator, Open, Close, Point, Bang, Percent, Reject, OpenMarked };
enum Class { Digit, PointC, BangC, OpenC, CloseC, PercentC, Sign, Binary, Other };

Class classify(char c) {
    if (c >= '0' && c <= '9') return Digit;
    switch (c) {
    case '.': return PointC;
    case '!': return BangC;
    case '(': return OpenC;
    case ')': return CloseC;
    case '%': return PercentC;
    case '+': case '-': case '~': return Sign;
    case '*': case '/': case '@': case '^': case '<': case '>': case '|': return Binary;
    default: return Other;
    }
}

// OpenMarked: a '(' that directly follows an operand; after it a binary operator is refused.

// Rows: current state; columns: Digit, Point, Bang, Open, Close, Percent, Sign, Binary.
// The Open/Binary cell depends on the mark and is decided in code.
constexpr State kNext[8][8] = {
    /* Start    */ {Number, Point, Reject, Open, Reject, Reject, Operator, Reject},
    /* Number   */ {Number, Point, Bang, OpenMarked, Close, Percent, Operator, Operator},
    /* Operator */ {Number, Point, Reject, Open, Reject, Reject, Reject, Reject},
    /* Open     */ {Number, Point, Reject, Open, Reject, Reject, Operator, Operator},
    /* Close    */ {Number, Point, Bang, OpenMarked, Close, Percent, Operator, Operator},
    /* Point    */ {Number, Reject, Reject, Reject, Reject, Reject, Reject, Reject},
    /* Bang     */ {Number, Reject, Reject, OpenMarked, Close, Reject, Operator, Operator},
    /* Percent  */ {Number, Reject, Reject, Open, Close, Reject, Operator, Operator},
};

}  // namespace

bool isInfixValid(const std::string &text) {
    State state = Start;
    bool marked = false, sawDigit = false;
    long depth = 0;
    for (char c : text) {
        Class cls = classify(c);
        if (cls == Other) return false;
        if (state == Open && cls == Binary && marked) return false;
        State next = kNext[state][cls];
        if (next == Reject) return false;
        marked = next == OpenMarked;
        if (marked) next = Open;
        if (cls == OpenC) depth++;
        if (cls == CloseC && --depth < 0) return false;
        if (cls == Digit) sawDigit = true;
        state = next;
    }
    return sawDigit && depth == 0 &&
           (state == Number || state == Close || state == Bang || state == Percent);
}
