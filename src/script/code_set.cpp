// Storage of compiled functions and code sets.
#include <cstdlib>
#include <cstring>
#include <new>

#include "base/scope_counts.h"
#include "script/commands.h"
#include "script/machine.h"
#include "script/threaded_code.h"

namespace tolv {

static void* Grow(void* p, size_t bytes) {
  void* q = std::realloc(p, bytes ? bytes : 1);
  if (!q) throw std::bad_alloc();
  return q;
}

FunctionBuilder::FunctionBuilder() = default;

FunctionBuilder::~FunctionBuilder() {
  std::free(words_);
  std::free(offsets_);
}

void FunctionBuilder::Add(const uint32_t* words, uint32_t length) {
  if (count_ >= 65535) return;  // pcs are u16
  if (count_ + 2 > cap_offsets_) {
    cap_offsets_ = cap_offsets_ ? cap_offsets_ * 2 : 16;
    offsets_ = static_cast<uint32_t*>(Grow(offsets_, cap_offsets_ * sizeof(uint32_t)));
  }
  if (nwords_ + length + kOperandPad > cap_words_) {
    while (nwords_ + length + kOperandPad > cap_words_) cap_words_ = cap_words_ ? cap_words_ * 2 : 64;
    words_ = static_cast<uint32_t*>(Grow(words_, cap_words_ * sizeof(uint32_t)));
  }
  offsets_[count_++] = nwords_;
  if (length) std::memcpy(words_ + nwords_, words, length * sizeof(uint32_t));
  nwords_ += length;
}

void FunctionBuilder::Add(std::initializer_list<uint32_t> words) {
  Add(words.begin(), static_cast<uint32_t>(words.size()));
}

uint32_t* FunctionBuilder::Word(uint32_t instruction, uint32_t k) {
  static uint32_t dummy;
  if (instruction >= count_) return &dummy;
  uint32_t end = instruction + 1 < count_ ? offsets_[instruction + 1] : nwords_;
  if (offsets_[instruction] + k >= end) return &dummy;
  return &words_[offsets_[instruction] + k];
}

ScriptFunction FunctionBuilder::Finish() {
  ScriptFunction fn;
  fn.count = static_cast<uint16_t>(count_);
  fn.words = static_cast<uint32_t*>(Grow(words_, (nwords_ + kOperandPad) * sizeof(uint32_t)));
  std::memset(fn.words + nwords_, 0, kOperandPad * sizeof(uint32_t));
  size_t offset_bytes = (count_ + 1) * sizeof(uint32_t);
  size_t code_at = (offset_bytes + count_ * sizeof(uint16_t) + alignof(ThreadedOp) - 1) & ~(alignof(ThreadedOp) - 1);
  fn.offsets = static_cast<uint32_t*>(Grow(offsets_, code_at + (count_ + 1) * sizeof(ThreadedOp)));
  fn.offsets[count_] = nwords_;
  uint16_t* ids = reinterpret_cast<uint16_t*>(reinterpret_cast<char*>(fn.offsets) + offset_bytes);
  for (uint32_t i = 0; i < count_; i++) {
    // An instruction of no words dispatches as an unavailable command.
    uint32_t word0 = fn.offsets[i] < fn.offsets[i + 1] ? fn.words[fn.offsets[i]] : 0xFFFF;
    ids[i] = static_cast<uint16_t>(CommandIndex(word0));
  }
  fn.ids = ids;
  ThreadedOp* code = reinterpret_cast<ThreadedOp*>(reinterpret_cast<char*>(fn.offsets) + code_at);
  DecodeThreaded(fn, code);
  fn.code = code;
  words_ = nullptr;
  offsets_ = nullptr;
  nwords_ = cap_words_ = count_ = cap_offsets_ = 0;
  return fn;
}

void FreeScriptFunction(ScriptFunction& fn) {
  std::free(fn.words);
  std::free(fn.offsets);
  fn = ScriptFunction{};
}

int AppendFunction(CodeSet& set, ScriptFunction fn) {
  if (set.total >= 65535) {
    FreeScriptFunction(fn);
    return -1;
  }
  if (set.total >= set.capacity) {
    set.capacity = set.capacity ? set.capacity * 2 : 16;
    set.functions = static_cast<ScriptFunction*>(Grow(set.functions, set.capacity * sizeof(ScriptFunction)));
  }
  TouchLanes();
  set.functions[set.total] = fn;
  return set.total++;
}

void TruncateCodeSet(CodeSet& set, uint16_t keep) {
  TouchLanes();
  for (uint32_t i = keep; i < set.total; i++) FreeScriptFunction(set.functions[i]);
  if (keep < set.total) set.total = keep;
}

void FreeCodeSet(CodeSet& set) {
  TruncateCodeSet(set, 0);
  std::free(set.functions);
  set = CodeSet{};
}

void DropCodeScopes(CodeSet& set, int drop) {
  uint16_t keep = drop <= kScopeGame ? 0 : drop == kScopeZone ? set.game : uint16_t(set.game + set.zone);
  TruncateCodeSet(set, keep);
  DropScopes(set, drop);
  if (drop <= kScopeGame) FreeCodeSet(set);
}

}  // namespace tolv
