#include "script/nested_run.h"

#include "base/message_log.h"

namespace tolv {

static int nested_depth = 0;
static bool nested_reported = false;

NestedRun::NestedRun() : ok_(nested_depth < kMaxNestedRuns) {
  if (ok_) {
    nested_depth++;
  } else if (!nested_reported) {
    ShowMessage("Nested script run too deep: skipped");
    nested_reported = true;
  }
}

NestedRun::~NestedRun() {
  if (ok_ && --nested_depth == 0) nested_reported = false;
}

}  // namespace tolv
