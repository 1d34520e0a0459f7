#include "game_snapshot.h"

#include <cstdint>
#include <sstream>

#include "audio/sound_lists.h"
#include "game/act_records.h"
#include "game/data_tables.h"
#include "game/headless.h"
#include "objects/character.h"
#include "objects/object_pool.h"
#include "objects/players.h"
#include "render/font.h"
#include "script/global_contexts.h"
#include "script/registers.h"
#include "script/string_slots.h"
#include "stat/stat_obj_def.h"
#include "world/sprite_sets.h"

namespace tolv::test {
namespace {

// One line of the listing: a heading, then values separated by spaces.
class Line {
 public:
  Line(Snapshot& out, const std::string& head) : out_(out) { s_ << head; }
  ~Line() { out_.push_back(s_.str()); }
  template <class T>
  Line& operator<<(const T& v) {
    s_ << ' ' << +v;
    return *this;
  }
  Line& operator<<(const char* v) {
    s_ << " \"" << (v ? v : "<null>") << '"';
    return *this;
  }
  Line& operator<<(char* v) { return *this << static_cast<const char*>(v); }
  Line& operator<<(const std::string& v) { return *this << v.c_str(); }
  template <class T>
  Line& Items(const T* p, size_t n) {
    for (size_t i = 0; i < n; i++) *this << (p ? p[i] : 0);
    return *this;
  }
  Line& Fn(void (*f)()) {
    s_ << ' ' << reinterpret_cast<uintptr_t>(f);
    return *this;
  }

 private:
  Snapshot& out_;
  std::ostringstream s_;
};

std::string Name(const char* what, size_t i) { return std::string(what) + ' ' + std::to_string(i); }

void AddCounts(Snapshot& out, const char* what, const ScopeCounts& c) {
  Line(out, what) << c.total << c.game << c.zone << c.act;
}

void AddCodeSet(Snapshot& out, const std::string& what, const CodeSet& set) {
  Line(out, what + " counts") << set.total << set.game << set.zone << set.act;
  for (uint32_t f = 0; f < set.total; f++) {
    const ScriptFunction& fn = set.functions[f];
    Line l(out, what + " fn " + std::to_string(f));
    l << fn.count;
    if (fn.words) l.Items(fn.words, fn.offsets[fn.count]);
  }
}

uint64_t Hash(const uint8_t* p, size_t n) {
  uint64_t h = 1469598103934665603u;
  for (size_t i = 0; p && i < n; i++) h = (h ^ p[i]) * 1099511628211u;
  return h;
}

void AddBox(Line& l, const Box& b) { l << b.left << b.right << b.top << b.bottom; }

void AddFrame(Snapshot& out, const std::string& what, const SpriteFrame& f) {
  Line l(out, what);
  l << f.width << f.height << Hash(f.pixels, size_t(f.width) * f.height) << f.draw_x << f.draw_y << f.back_draw_x
    << f.flip_draw_y;
  AddBox(l, f.box);
  AddBox(l, f.mirrored_box);
  l << f.attack_count << f.hurt_count << f.hotspot_count;
  for (int i = 0; i < f.attack_count; i++) AddBox(l, f.attack_boxes[i]), AddBox(l, f.mirrored_attack_boxes[i]);
  for (int i = 0; i < f.hurt_count; i++) AddBox(l, f.hurt_boxes[i]), AddBox(l, f.mirrored_hurt_boxes[i]);
  for (int i = 0; i < f.hotspot_count; i++)
    l << f.hotspots[i].x << f.hotspots[i].y << f.mirrored_hotspots[i].x << f.mirrored_hotspots[i].y;
}

void AddSpriteSet(Snapshot& out, const std::string& what, const SpriteSet& set) {
  Line(out, what) << set.frame_count;
  for (uint32_t i = 0; i < set.frame_count; i++) AddFrame(out, what + " frame " + std::to_string(i), set.frames[i]);
}

// Which loaded set a type's sprite list points at.
std::string SetName(const SpriteSet* p) {
  for (uint32_t s = 0; s < sprite_set_counts.total; s++)
    if (sprite_sets[s] == p) return "set" + std::to_string(s);
  for (uint32_t c = 0; c < character_count; c++)
    if (&characters[c].sprites == p) return "char" + std::to_string(c);
  return p ? "unknown" : "none";
}

void AddSprites(Snapshot& out) {
  AddCounts(out, "sprite sets", sprite_set_counts);
  for (uint32_t s = 0; s < sprite_set_counts.total; s++) AddSpriteSet(out, Name("set", s), *sprite_sets[s]);
  AddCounts(out, "fonts", font_counts);
  for (uint32_t f = 0; f < font_counts.total; f++) {
    Line(out, Name("font", f)) << fonts[f].kind;
    for (uint32_t g = 0; g < FontGlyphCount(fonts[f].kind); g++)
      AddFrame(out, Name("font", f) + " glyph " + std::to_string(g), fonts[f].glyphs[g]);
  }
}

void AddSound(Line& l, const SoundSample& s) {
  size_t bytes = size_t(s.frame_count) * s.channels * 2;
  l << s.frame_count << s.rate << s.channels << Hash(reinterpret_cast<const uint8_t*>(s.data), bytes);
}

void AddAudio(Snapshot& out) {
  AddCounts(out, "sounds", sound_counts);
  for (uint32_t i = 0; i < sound_counts.total; i++) {
    Line l(out, Name("sound", i));
    AddSound(l, sounds[i]);
  }
  AddCounts(out, "music", music_counts);
  for (uint32_t i = 0; i < music_counts.total; i++) {
    const MusicRecord& m = music[i];
    Line l(out, Name("music", i));
    l << m.kind;
    AddSound(l, m.first);
    AddSound(l, m.second);
    if (m.xm) l << m.xm->channels << m.xm->patterns.size() << m.xm->instruments.size();
    for (const FileStream* o : m.ogg)
      if (o) l << o->buffer.size() << Hash(o->buffer.data(), o->buffer.size());
  }
  Line(out, "xm effect") << xm_effect_function;
}

void AddCombinations(Snapshot& out, const std::string& what, const KeyCombination* c, uint32_t n) {
  for (uint32_t i = 0; i < n; i++) Line(out, what + " combo " + std::to_string(i)).Items(c[i].keys, c[i].key_count) << c[i].label;
}

void AddCharacters(Snapshot& out) {
  Line(out, "characters") << character_count << character_register_count << player_register_count;
  for (uint32_t c = 0; c < character_count; c++) {
    const Character& ch = characters[c];
    const std::string name = Name("character", c);
    AddSpriteSet(out, name + " sprites", ch.sprites);
    Line(out, name + " vars").Items(ch.default_vars, ch.default_var_count);
    Line(out, name + " labels") << ch.label_base;
    Line(out, name + " extra").Items(ch.extra_labels, ch.extra_label_count);
    Line(out, name + " main").Items(ch.main_labels, ch.main_label_count);
    for (uint32_t a = 0; a < ch.action_count; a++) {
      const ActionGroup& g = ch.actions[a];
      const std::string an = name + " action " + std::to_string(a);
      Line(out, an) << g.before_label << g.after_label << g.combination_count;
      AddCombinations(out, an, g.combinations, g.combination_count);
    }
  }
  AddCodeSet(out, "player", player_functions);
}

void AddObjectTypes(Snapshot& out) {
  static const char* const kinds[7] = {"movement", "drawing", "collision", "pcollision",
                                       "animation", "dbplace", "dbdraw"};
  for (int k = 0; k < 7; k++) AddCodeSet(out, kinds[k], object_code_sets[k]);
  AddCounts(out, "object types", object_type_counts);
  for (uint32_t t = 0; t < object_type_counts.total; t++) {
    const ObjectType& ty = object_types[t];
    const std::string name = Name("type", t);
    Line(out, name) << ty.range_action << ty.flags << ty.default_draw_key << ty.variable_count << ty.movement_label
                    << ty.drawing_label << ty.collision_label << ty.pcollision_label << ty.dbplace_label
                    << ty.dbdraw_label;
    Line(out, name + " builtins")
        .Fn(ty.builtin_movement).Fn(ty.builtin_drawing).Fn(ty.builtin_collision)
        .Fn(ty.builtin_pcollision).Fn(ty.builtin_dbplace).Fn(ty.builtin_dbdraw);
    Line(out, name + " init").Items(ty.initialisers, ty.initialisers ? ty.variable_count : 0);
    {
      Line sprites(out, name + " sprites");
      for (uint32_t i = 0; i < ty.sprite_list_count; i++) sprites << SetName(ty.sprite_lists[i]);
    }
    Line(out, name + " animations").Items(ty.animation_labels, ty.animation_label_count);
    Line(out, name + " sounds").Items(ty.sounds, ty.sound_count);
    Line(out, name + " types").Items(ty.type_list, ty.type_list_count);
    for (uint32_t l = 0; l < ty.parameter_list_count; l++)
      Line(out, name + " parameters " + std::to_string(l)).Items(ty.parameter_lists[l], ty.parameter_list_lengths[l]);
  }
}

void AddTriggerGroups(Snapshot& out, const std::string& what, const TriggerGroup* g, uint32_t n) {
  for (uint32_t i = 0; i < n; i++) {
    const std::string gn = what + " group " + std::to_string(i);
    Line(out, gn) << g[i].function << g[i].combination_count;
    AddCombinations(out, gn, g[i].combinations, g[i].combination_count);
  }
}

void AddStatObjDefs(Snapshot& out) {
  AddCounts(out, "stat object defs", stat_obj_def_counts);
  for (uint32_t d = 0; d < stat_obj_def_counts.total && d < kMaxStatObjDefs; d++) {
    const StatObjDef& def = stat_obj_defs[d];
    const std::string name = Name("layout", d);
    Line(out, name) << def.element_count << def.node_count << def.trigger_set_count << def.string_count
                    << def.sprite_list_count << def.initial_selection << def.counter_count;
    for (uint32_t i = 0; i < def.element_count; i++) {
      const StatObjElementDef& e = def.elements[i];
      Line(out, name + " element " + std::to_string(i))
          << e.parent << e.visible << e.x << e.y << e.kind << e.source_def << e.source << e.start_function << e.width
          << e.half_width << e.height << e.half_height << e.frame << e.value;
    }
    for (uint32_t i = 0; i < def.node_count; i++) {
      const StatObjNodeDef& n = def.nodes[i];
      const std::string nn = name + " node " + std::to_string(i);
      Line(out, nn) << n.parent << n.visible << n.x << n.y << n.left << n.top << n.right << n.bottom
                    << n.enter_function << n.leave_function << n.trigger_set;
      AddTriggerGroups(out, nn, n.trigger_groups, n.trigger_group_count);
    }
    for (uint32_t i = 0; i < def.trigger_set_count; i++) {
      const StatObjTriggerSet& t = def.trigger_sets[i];
      const std::string tn = name + " menu " + std::to_string(i);
      Line(out, tn) << t.enter_function << t.leave_function << t.owner;
      AddTriggerGroups(out, tn, t.groups, t.group_count);
    }
    Line(out, name + " strings").Items(def.strings, def.string_count);
    for (uint32_t i = 0; i < def.sprite_list_count; i++)
      AddSpriteSet(out, name + " set " + std::to_string(i), def.sprite_lists[i]);
    AddCodeSet(out, name + " code", def.functions);
  }
}

void AddActs(Snapshot& out) {
  Line(out, "acts") << act_table.size() << loaded_zone << loaded_act;
  for (size_t a = 0; a < act_table.size(); a++) {
    const ActRecord& r = act_table[a];
    const std::string name = Name("act", a);
    Line(out, name) << r.start_function << r.music_list << r.sound_list << r.font_list << r.object_def
                    << r.function_count;
    {
      Line files(out, name + " files");
      for (const std::string& f : r.function_files) files << f;
    }
    {
      Line layouts(out, name + " layouts");
      for (const std::string& f : r.layout_files) layouts << f;
    }
    for (size_t e = 0; e < r.events.size(); e++) {
      const BoundaryEvent& ev = r.events[e];
      Line l(out, name + " event " + std::to_string(e));
      l << ev.x1 << ev.y1 << ev.x2 << ev.y2 << ev.kind << ev.label_count;
      l.Items(ev.labels.data(), ev.labels.size()).Items(ev.values.data(), ev.values.size());
    }
  }
  Line(out, "debug types").Items(debug_types, debug_type_count);
}

}  // namespace

Snapshot GameSnapshot() {
  Snapshot out;
  AddCodeSet(out, "script", script_functions);
  Line(out, "strings") << string_slot_count << game_string_count << zone_string_count;
  for (uint32_t i = 0; i < string_slot_count; i++) Line(out, Name("string", i)) << StringSlotText(i);
  AddCounts(out, "tables", script_table_counts);
  for (uint32_t t = 0; t < script_table_counts.total; t++)
    Line(out, Name("table", t)).Items(script_tables[t], script_table_sizes[t]) << script_table_unsigned[t];
  AddSprites(out);
  AddAudio(out);
  AddCharacters(out);
  AddObjectTypes(out);
  AddStatObjDefs(out);
  AddActs(out);
  return out;
}

Snapshot WorldSnapshot() {
  Snapshot out;
  WorldCapture w = CaptureWorld();
  Line(out, "registers").Items(w.registers.data(), w.registers.size());
  for (size_t i = 0; i < w.objects.size(); i++) Line(out, Name("object", i)).Items(w.objects[i].data(), w.objects[i].size());
  return out;
}

std::string FirstDifference(const Snapshot& a, const Snapshot& b) {
  for (size_t i = 0; i < a.size() || i < b.size(); i++) {
    const std::string x = i < a.size() ? a[i] : "<end>", y = i < b.size() ? b[i] : "<end>";
    if (x != y) return "line " + std::to_string(i) + ":\n  " + x + "\n  " + y;
  }
  return "";
}

}  // namespace tolv::test
