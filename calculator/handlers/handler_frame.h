// What the command handlers share: the closing of an answer block and the matching-
// parenthesis cut of an argument from the command text.
#pragma once

#include <ostream>
#include <string>

class Calculator;

// The end of every answer block: a line end, the rule between two line ends, the prompt.
void writeClosing(std::ostream &out);

// The text between the first "(" of the command text and its matching ")" (depth counted;
// text after it ignored). False, after a hint and the closing in `out`, when there is no
// "(" or the brackets never close; `argument` is then empty.
bool getParenArgument(Calculator &calculator, std::string &argument, std::ostream &out);
