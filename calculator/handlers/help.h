// The command help(name): the registry's help text of a function, or the names that
// contain the given text.
#pragma once

class Calculator;

void cmd_help(Calculator &calculator);
