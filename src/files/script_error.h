// The single fatal exit for faults in game scripts and data files.
#pragma once
#include <string>

namespace tolv {

// Prints the report to standard error, returns to the engine folder and ends
// the process with status 1. message is printed as it stands ('%' included).
[[noreturn]] void ScriptError(const char* message);
// ScriptError with a printf-style message.
[[noreturn]] void ScriptErrorFormat(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The report as message-log lines, and loading goes on.
void ShowScriptReport(const char* message);

// The report body: the stream the lexer read last, the folders and the line.
std::string FormatScriptErrorReport(const char* message);

// Called with the message and the report before the process ends; a hook
// that does not return (throws) replaces the exit. Tests use it.
using ScriptErrorHook = void (*)(const char* message, const char* report);
extern ScriptErrorHook script_error_hook;

}  // namespace tolv
