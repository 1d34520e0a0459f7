// Compile speed: a generated 1 MB corpus of text-form functions (mixed
// command lines, expressions, blocks, labels and local aliases) compiled
// over and over from an open stream.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench_harness.h"
#include "compiler/compiler.h"
#include "files/working_folder.h"
#include "script/machine.h"

using namespace tolv;

static std::string Function(int n) {
  std::string r = std::to_string(n % 50);
  std::string f;
  f += ".Alias Tmp\n.Alias Step R 3\n@top\n";
  f += "~Eval R" + r + " = R1 + " + std::to_string(n) + "\n";
  f += "~Eval e2 += A" + r + "\n";
  f += "~If R" + r + " < 10\n#44 :R0 :R" + r + "\n~Else\n~Eval a1 = e3 * -7\n~EndIf\n";
  f += "~Do\n~Eval r_Tmp ++\n~IfFlag R2[4] == 1\n~BreakDo\n~EndIf\n~While r_Tmp < $100\n";
  f += "~Array R10[R11] = 5\n~Flag e4[3] = 2\n";
  f += "#350 :R" + r + "\n#353 :1\n~Eval R5 <<= 2\n#354\n#353 :2\n#471\n#355\n";
  f += "#45 :R" + r + " :%1011 ; a comment\n#847 :@top\n# End\n\n";
  return f;
}

int main() {
  char folder[] = "/tmp/tolv_bench_XXXXXX";
  if (!mkdtemp(folder)) return 1;
  base_folder = game_folder = folder;
  ChangeWorkingFolder(folder);
  std::string corpus;
  int functions = 0;
  while (corpus.size() < 1000000) corpus += Function(functions++);
  FILE* f = std::fopen("corpus.def", "wb");
  std::fwrite(corpus.data(), 1, corpus.size(), f);
  std::fclose(f);
  FileStream s;
  if (!OpenStream("corpus.def", s)) return 1;
  double ns = bench::TimePerUnit(
      [&] {
        SeekStream(s, 0, 0);
        s.line = 0;
        for (int i = 0; i < functions; i++) {
          ScriptFunction fn = CompileFunctionBody(s);
          FreeScriptFunction(fn);
        }
      },
      corpus.size(), 3, 0.5);
  std::printf("compile: %.1f MB/s\n", 1e3 / ns);
  CloseStream(s);
  std::remove("corpus.def");
  rmdir(folder);
  return 0;
}
