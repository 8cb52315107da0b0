// The calculator's hold on the one script machine of the process.
#pragma once

// Frees the machine when it holds a state and initialises it anew with its error reports
// off, so that the interpreter's script attempts print nothing of their own.
void restartScriptMachine();
// Frees the machine's tables and objects; the next script run needs a restart first.
void stopScriptMachine();
