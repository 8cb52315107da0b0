// The command interpreter's door into the script language: runs of source text on the shared
// machine, and runs of script files after the scripts of the "ext" folder. Every run computes
// with the engine the caller hands in.
#pragma once

#include <optional>
#include <string>

class BigNumber;

// Statuses of a script-file run.
enum ScriptFileStatus {
    SCRIPT_FILE_OK = 0,
    SCRIPT_FILE_COMPILE_ERROR = 65,
    SCRIPT_FILE_RUNTIME_ERROR = 70,
    SCRIPT_FILE_UNREADABLE = 74,
};

// Runs the source without an output stream on the machine as it stands (globals persist from
// run to run): 0 ok, 1 compile error, 2 runtime error. After 0 the print buffer
// (vm_print_result_text) holds the last printed value.
int runScriptSource(BigNumber *engine, const char *source);

// Runs a script file in a fresh machine, after loading the .kf scripts of the folder "ext".
// Afterwards the machine is initialised again, with the error reports as they were before the
// call. Returns a ScriptFileStatus.
int runScriptFile(BigNumber *engine, const char *path);

// The main script of a file run: a ScriptFileStatus.
int executeScriptFile(BigNumber *engine, const char *path);

// Loads every .kf file of the folder, and of its subfolders whose names end in ".kf", into the
// machine. 1 when the folder was walked or created, 0 when it could be neither.
int loadScriptDir(BigNumber *engine, const char *directory);

// The text after the last "." of the name ("" when it has none or the extension has 8 or more
// characters).
std::string fileExtension(const char *name);

// The whole file, or none after a message on the standard error stream.
std::optional<std::string> readScriptFile(const char *path);
