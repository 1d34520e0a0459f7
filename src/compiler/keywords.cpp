// '~' keyword lines: the parsed form of the line emitted as exactly one
// instruction into compiler.current, blocks opened and closed.
#include "compiler/blocks.h"
#include "compiler/compile_state.h"
#include "compiler/keyword_forms.h"
#include "compiler/statements.h"
#include "script/command_ids.h"

namespace tolv {

void CompileKeyword() {
  KeywordForm f;
  ParseKeyword(text_buffer, f);
  uint32_t* w;
  switch (f.shape) {
    case KeywordShape::kBlock:
      switch (f.id) {
        case kCmdElse: CompileElse(); break;
        case kCmdEndIf: CompileEndIf(); break;
        case kCmdDo: CompileDo(); break;
        case kCmdBreakDo: CompileBreakDo(); break;
        default: CompileForever(); break;
      }
      return;
    case KeywordShape::kIf: w = OpenIf(); break;
    case KeywordShape::kWhile: w = OpenWhile(); break;
    default: w = NewInstruction(compiler.current, uint32_t(f.count) + 1); break;
  }
  w[0] = f.id;
  for (int i = 0; i < f.count; i++) w[i + 1] = f.words[i];
  if (f.shape == KeywordShape::kWhile) CloseLoop();
}

}  // namespace tolv
