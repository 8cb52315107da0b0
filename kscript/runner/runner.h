// The command interpreter's door into the script language: runs of source text on the shared
// machine, and runs of script files after the scripts of the "ext" folder. Every run computes
// with the engine the caller hands in.
#pragma once

#include <optional>
#include <string>

#include "kscript.h" // runScriptSource, runScriptFile and the file statuses

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
