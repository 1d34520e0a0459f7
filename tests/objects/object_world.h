// Test world: registers, command tables, pools, built-in routines and a
// handful of object types and functions built in memory.
#pragma once
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "base/message_log.h"
#include "objects/builtin_routines.h"
#include "objects/command_lists.h"
#include "objects/label_lookups.h"
#include "objects/object_pool.h"
#include "objects/object_type.h"
#include "objects/objects_state.h"
#include "objects/players.h"
#include "objects/spawn.h"
#include "script/commands.h"
#include "script/operands.h"
#include "script/registers.h"
#include "script/script_state.h"
#include "../base/message_lines.h"

namespace tolv::test {

class ObjectWorld : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetMachineState();  // a test may leave running_slot at one of its objects
    BuildCommandTables();
    AllocRegisters(16);
    ResetRegisters();
    RegisterObjectCommands();
    InstallBuiltinRoutines();
    InstallLabelLookups();
    AllocObjectPool();
    ResetPlayers();
    ClearMessages();
    types_.reserve(64);  // published as object_types: must not move
    types_.resize(1);    // type 0: the deleted marker
    Publish();
  }
  void TearDown() override {
    ResetObjects();
    ResetPlayers();
    for (CodeSet& s : object_code_sets) FreeCodeSet(s);
    object_types = nullptr;
    object_type_counts = ScopeCounts{};
    for (auto& t : types_) std::free(t.parameter_lists);
    for (auto& t : types_) std::free(t.parameter_list_lengths);
  }

  // Appends a function made of the given instructions to a code set.
  uint16_t AddFunction(ObjectCodeKind kind, std::initializer_list<std::vector<uint32_t>> code) {
    FunctionBuilder b;
    for (const auto& ins : code) b.Add(ins.data(), static_cast<uint32_t>(ins.size()));
    int n = AppendFunction(object_code_sets[kind], b.Finish());
    SetupScriptContexts();
    return static_cast<uint16_t>(n);
  }
  // A function that yields forever: keeps its lane running.
  uint16_t AddLoop(ObjectCodeKind kind) { return AddFunction(kind, {{1527, 0}}); }

  ObjectType& AddType(uint32_t var_count = 0, int32_t draw_key = 0) {
    types_.emplace_back();
    ObjectType& t = types_.back();
    t.variable_count = var_count;
    t.default_draw_key = draw_key;
    if (var_count) {
      inits_.emplace_back(var_count, nullptr);
      t.initialisers = inits_.back().data();
    }
    Publish();
    return t;
  }
  int32_t TypeId(const ObjectType& t) const { return static_cast<int32_t>(&t - &types_[0]); }
  void SetInitialiser(ObjectType& t, uint32_t k, const char* text) {
    strings_.emplace_back(text);
    t.initialisers[k] = strings_.back().data();
  }
  void SetParameters(ObjectType& t, std::vector<int32_t> values) {
    params_.push_back(std::move(values));
    t.parameter_list_count = 1;
    t.parameter_list_lengths = static_cast<uint16_t*>(std::malloc(sizeof(uint16_t)));
    t.parameter_list_lengths[0] = static_cast<uint16_t>(params_.back().size());
    t.parameter_lists = static_cast<int32_t**>(std::malloc(sizeof(int32_t*)));
    t.parameter_lists[0] = params_.back().data();
  }
  void GiveSprites(ObjectType& t, SpriteSet* set) {
    set_ptrs_.push_back(set);
    t.sprite_lists = &set_ptrs_.back();
    t.sprite_list_count = 1;
  }
  void GiveAnimation(ObjectType& t, std::vector<uint16_t> labels) {
    anim_.push_back(std::move(labels));
    t.animation_labels = anim_.back().data();
    t.animation_label_count = static_cast<uint16_t>(anim_.back().size());
  }

  bool Spawn(int32_t type, int32_t x = 0, int32_t y = 0, int32_t key = 0, std::vector<int32_t> args = {}) {
    return SpawnObject(type, x, y, key, 0, 0, static_cast<uint32_t>(args.size()), args.data());
  }
  int32_t Active() const { return registers[kRegActiveObjects]; }

 private:
  void Publish() {
    object_types = types_.data();
    object_type_counts.total = object_type_counts.game = static_cast<uint16_t>(types_.size());
  }
  std::vector<ObjectType> types_;
  std::deque<std::vector<char*>> inits_;
  std::deque<std::string> strings_;
  std::deque<std::vector<int32_t>> params_;
  std::deque<SpriteSet*> set_ptrs_;
  std::deque<std::vector<uint16_t>> anim_;
};

}  // namespace tolv::test
