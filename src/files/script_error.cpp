#include "files/script_error.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "base/message_log.h"
#include "files/game_files.h"
#include "files/tokenizer.h"
#include "files/working_folder.h"

namespace tolv {

ScriptErrorHook script_error_hook;

std::string FormatScriptErrorReport(const char* message) {
  const FileStream* s = current_stream;
  std::string r = "Current script:\n";
  r += s ? s->name : "";
  r += "\n\nCurrent Working Directory:\n";
  r += s ? s->folder : "";
  r += "\n";
  r += WorkingFolder();
  r += "\n\nApproximate Line Number:\n";
  r += std::to_string(s ? s->line : 0);
  r += "\n\nError:\n";
  r += message ? message : "";
  r += "\n";
  return r;
}

void ShowScriptReport(const char* message) {
  const FileStream* s = current_stream;
  std::string line = std::to_string(s ? s->line : 0);
  const char* lines[] = {"Current script:", s ? s->name.c_str() : "", "Current Working Directory:",
                         s ? s->folder.c_str() : "", WorkingFolder().c_str(), "Approximate Line Number:",
                         line.c_str(), "Error:", message ? message : ""};
  for (const char* l : lines) ShowMessage(l);
}

void ScriptError(const char* message) {
  std::string report = FormatScriptErrorReport(message);
  if (script_error_hook) script_error_hook(message ? message : "", report.c_str());
  std::fputs("Script Error\n\n", stderr);
  std::fputs(report.c_str(), stderr);
  std::fputs("\n\n", stderr);
  if (!base_folder.empty()) ChangeWorkingFolder(base_folder.c_str());
  std::exit(1);
}

void ScriptErrorFormat(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  int n = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  std::vector<char> line(n > 0 ? n + 1 : 1);
  std::vsnprintf(line.data(), line.size(), format, args);
  va_end(args);
  ScriptError(line.data());
}

}  // namespace tolv
