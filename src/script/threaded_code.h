// The threaded form of a compiled function, built once when the function is
// finished: per instruction the run loop's entry for it (a fast path or the
// table call) and its operands resolved (register and variable indexes
// masked, constants in place, jump targets as the next pc). A fast path runs
// only while the running table holds the handler it stands for; otherwise
// the instruction calls its table entry like any other.
#pragma once
#include <cstdint>

#include "script/commands.h"

namespace tolv {

// The store and test signatures with fast paths: X(form, operation,
// destination, a, b). Operand kinds: R register, K constant, OA/OB/OD object
// variables, None absent.
#define TOLV_FAST_BINARY(X, O)                                                       \
  X(Store, O, R, R, R) X(Store, O, R, R, K) X(Store, O, R, K, R) X(Store, O, R, R, OA) \
  X(Store, O, R, OA, R) X(Store, O, R, OA, K) X(Store, O, R, K, OA) X(Store, O, OD, OD, R) \
  X(Store, O, OD, OD, K) X(Store, O, OD, OD, OA) X(Store, O, OD, OA, R) X(Store, O, OD, OA, K) \
  X(Store, O, OD, R, K) X(Store, O, OD, R, R)
#define TOLV_FAST_TEST(X, F, O) \
  X(F, O, None, R, R) X(F, O, None, R, K) X(F, O, None, R, OA) X(F, O, None, OA, K) X(F, O, None, OA, OB)
#define TOLV_FAST_TESTS(X, F)                                                     \
  TOLV_FAST_TEST(X, F, Lt) TOLV_FAST_TEST(X, F, Gt) TOLV_FAST_TEST(X, F, Le) \
  TOLV_FAST_TEST(X, F, Ge) TOLV_FAST_TEST(X, F, Eq) TOLV_FAST_TEST(X, F, Ne)
#define TOLV_FAST_SIGS(X)                                                                        \
  TOLV_FAST_BINARY(X, Add) TOLV_FAST_BINARY(X, Sub) TOLV_FAST_BINARY(X, Mul)                     \
  TOLV_FAST_BINARY(X, And) TOLV_FAST_BINARY(X, Or) TOLV_FAST_BINARY(X, Xor)                      \
  X(Store, Move, R, None, R) X(Store, Move, R, None, K) X(Store, Move, R, None, OA)               \
  X(Store, Move, OD, None, R) X(Store, Move, OD, None, K) X(Store, Move, OD, None, OA)           \
  X(Store, Inc, R, R, None) X(Store, Dec, R, R, None) X(Store, Inc, OD, OD, None)                \
  X(Store, Dec, OD, OD, None) TOLV_FAST_TESTS(X, If) TOLV_FAST_TESTS(X, While)

#define TOLV_FAST_SIG_NAME(F, O, D, A, B) F##_##O##_##D##_##A##_##B

// Entries of the threaded form. kCall runs the table's handler; kPastEnd
// follows the last instruction and frees the lane.
enum ThreadedKind : uint16_t {
  kThreadCall,
  kThreadPastEnd,
  kThreadNop,        // markers and empty commands
  kThreadJump,       // a: the next pc
  kThreadYieldJump,  // a: the pc to resume at
  kThreadYield,
#define TOLV_FAST_ENUM(F, O, D, A, B) kThread_##F##_##O##_##D##_##A##_##B,
  TOLV_FAST_SIGS(TOLV_FAST_ENUM)
#undef TOLV_FAST_ENUM
  kThreadKindCount
};

struct alignas(16) ThreadedOp {
  uint16_t kind;
  uint16_t id;  // dispatch index
  uint32_t a;   // first source (or jump target)
  uint32_t b;   // second source
  uint32_t c;   // destination, or a test's jump target as the next pc
};

// Builds fn's threaded form into `out` (count + 1 entries).
void DecodeThreaded(const ScriptFunction& fn, ThreadedOp* out);

// Per command table, the handler each fast path stands for, indexed by ID;
// a table the machine does not know gets an array that matches nothing.
const CommandHandler* FastPathHandlers(const CommandHandler* table);

}  // namespace tolv
