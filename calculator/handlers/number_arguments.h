// Argument helpers of the number-theory handlers: integer texts in their plain form, values
// of arguments that may be expressions, and listings cut to a readable length.
#pragma once

#include <cstddef>
#include <ostream>
#include <streambuf>
#include <string>

class Calculator;

// The rest after the first "(" up to its first ")", which must end it (else the shape
// hint): digits, not empty (else the non-digit hint), leading zeros dropped.
bool digitRest(Calculator &calculator, std::string &n, std::ostream &out);

// The rest after the first "(" whose last ")" ends it, that ")" dropped; otherwise the
// diagnostic lines of the rest and the shape hint.
bool lastCloseRest(Calculator &calculator, std::string &argument, std::ostream &out);

// A text of an optional sign and at least one digit: true with its digits, leading zeros
// dropped ("0" for zero), and whether it was negative.
bool integerParts(const std::string &text, std::string &digits, bool &negative);

// An argument that is all digits or a numerical expression (evaluated with its echo into
// the engine's stream) as a positive integer without leading zeros. False, after the hint
// naming the value and the closing, when the value is no positive integer.
bool positiveIntegerValue(Calculator &calculator, const std::string &argument, std::string &value,
                          std::ostream &out);

// Passes the first `maxLines` lines written through it on to `target` and drops the rest:
// listings whose length grows with the argument stay readable in a terminal.
class LineCappedBuffer : public std::streambuf {
  public:
    LineCappedBuffer(std::ostream &target, size_t maxLines) : target_(target), maxLines_(maxLines) {}
    bool dropped() const { return dropped_; }

  protected:
    int overflow(int c) override;

  private:
    std::ostream &target_;
    size_t maxLines_;
    size_t lines_ = 0;
    bool dropped_ = false;
};

// The line a capped listing ends with when lines were dropped.
void writeCappedNote(std::ostream &out, size_t maxLines);
