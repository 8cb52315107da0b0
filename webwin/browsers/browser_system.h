// The system's side of starting browsers: the registry, files, running processes, starting and
// ending programs, removing folders. Other systems than Windows find no browser here.
#pragma once

#include <optional>
#include <string>

namespace webwin {

// A text value ("REG_SZ", or a DWORD written in decimal) of a key, or nothing.
enum class RegistryRoot { local_machine, current_user };
std::optional<std::string> readRegistryText(RegistryRoot root, const std::string &key, const std::string &value);

// After environment variables are expanded, an existing file that is not a folder.
bool fileExists(const std::string &path);
bool folderExists(const std::string &path);

// Some running process has this executable file name (letters compared without case).
bool processRunning(const std::string &executable);

// The value of an environment variable, empty when unset.
std::string environmentText(const char *name);

// Starts `program` with the whole `command_line` (its first argument the program, quoted), with
// no console window; the process handle, or null when it did not start.
void *startProgram(const std::string &program, const std::string &command_line);
// Waits up to `milliseconds` for a started program; true when it ended with exit code 0.
bool waitForProgram(void *process, unsigned milliseconds);
// Ends a started program that still runs (exit code 1), and closes the handle.
void endProgram(void *process);
void closeProgram(void *process);
// The process id of a program that still runs, 0 when it has ended.
unsigned long runningProgramId(void *process);

// Removes a folder tree without following links out of it (a link inside is removed, not what
// it points to); a few tries, since a browser may still hold its files. True when it is gone.
bool removeFolderTree(const std::string &folder);
bool makeFolder(const std::string &folder);  // with its parents; true when it exists afterwards

// Appends a text to a file, creating it; false when it cannot be written.
bool appendToFile(const std::string &path, const std::string &text);
std::optional<std::string> readWholeFile(const std::string &path);
// Writes beside the file and then replaces it, so a failed write leaves the old file whole.
bool replaceFile(const std::string &path, const std::string &text);

}  // namespace webwin
