#include "terrain_kit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "objects/collision_passes.h"
#include "objects/objects_state.h"
#include "objects/player_select.h"
#include "objects/players.h"
#include "physics/physics_routines.h"
#include "script/commands.h"
#include "script/operands.h"
#include "script/registers.h"

namespace tolv::test {

void StartPhysics() {
  BuildCommandTables();
  StartObjects();
  InstallPhysicsRoutines();
}

static std::vector<std::string> Lines(const char* art) {
  std::vector<std::string> lines;
  std::istringstream in(art);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

static std::vector<std::string> Words(const std::string& line) {
  std::vector<std::string> words;
  std::istringstream in(line);
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

static uint8_t ByteOf(char c) { return c == '#' ? 2 : c == '-' ? 1 : c >= '0' && c <= '9' ? c - '0' : 0; }

TerrainKit::TerrainKit() : tiles_(1) {}

TerrainKit::~TerrainKit() {
  ResizeTiles(0);
  planes = nullptr;
  plane_count = 0;
}

void TerrainKit::AddTiles(const char* art) {
  std::vector<std::string> lines = Lines(art);
  for (size_t i = 0; i < lines.size(); i++) {
    std::vector<std::string> head = Words(lines[i]);
    if (head.empty()) continue;
    for (size_t k = 0; k < head.size(); k++) {
      Tile t;
      t.angle = static_cast<uint8_t>(std::atoi(head[k].c_str() + 2));
      for (int y = 0; y < 8; y++) {
        std::string row = Words(lines.at(i + 1 + y)).at(k);
        for (int x = 0; x < 8; x++) t.collision[x * 8 + y] = ByteOf(row.at(x));
      }
      keys_[head[k][0]] = static_cast<uint16_t>(tiles_.size());
      tiles_.push_back(t);
    }
    i += 8;
  }
}

void TerrainKit::SetLevel(const char* art) {
  std::vector<std::string> lines = Lines(art);
  while (!lines.empty() && lines.front().empty()) lines.erase(lines.begin());
  height_ = static_cast<uint32_t>(lines.size());
  width_ = 0;
  for (const std::string& l : lines) width_ = std::max<uint32_t>(width_, static_cast<uint32_t>(l.size()));
  map_.assign(width_ * (height_ + 1) + 1, 0);
  for (uint32_t y = 0; y < height_; y++)
    for (uint32_t x = 0; x < lines[y].size(); x++) {
      char c = lines[y][x];
      if (c != ' ' && c != '.') map_[y * width_ + x] = keys_.at(c);
    }
  Install();
}

void TerrainKit::TurnAnticlockwise() {
  for (size_t i = 1; i < tiles_.size(); i++) {
    Tile turned = tiles_[i];
    for (int x = 0; x < 8; x++)
      for (int y = 0; y < 8; y++) turned.collision[y * 8 + (7 - x)] = tiles_[i].collision[x * 8 + y];
    turned.angle = static_cast<uint8_t>(tiles_[i].angle - 64);
    tiles_[i] = turned;
  }
  std::vector<uint16_t> map(height_ * (width_ + 1) + 1, 0);
  for (uint32_t y = 0; y < height_; y++)
    for (uint32_t x = 0; x < width_; x++) map[(width_ - 1 - x) * height_ + y] = map_[y * width_ + x];
  std::swap(width_, height_);
  map_ = map;
  Install();
}

void TerrainKit::CutLoop(int32_t cx, int32_t cy, int32_t r) {
  for (int32_t ty = (cy - r) / 8 - 1; ty <= (cy + r) / 8 + 1; ty++)
    for (int32_t tx = (cx - r) / 8 - 1; tx <= (cx + r) / 8 + 1; tx++) {
      Tile t;
      int solid = 0;
      for (int x = 0; x < 8; x++)
        for (int y = 0; y < 8; y++) {
          int64_t dx = tx * 8 + x - cx, dy = ty * 8 + y - cy;
          t.collision[x * 8 + y] = dx * dx + dy * dy >= int64_t{r} * r ? 2 : 0;
          solid += t.collision[x * 8 + y] != 0;
        }
      if (solid == 64) continue;
      if (solid) {
        double a = std::atan2(ty * 8 + 4.0 - cy, tx * 8 + 4.0 - cx) * 128 / M_PI;  // the rim's direction from the centre
        t.angle = static_cast<uint8_t>(std::lround(a - 64) & 255);
      }
      map_.at(static_cast<uint32_t>(ty) * width_ + static_cast<uint32_t>(tx)) = static_cast<uint16_t>(tiles_.size());
      tiles_.push_back(t);
    }
  Install();
}

void TerrainKit::Install() {
  rows_.resize(height_);
  for (uint32_t y = 0; y < height_; y++) rows_[y] = y * width_;
  for (TilePlane& p : planes_) {
    p = TilePlane{};
    p.width = width_;
    p.height = height_;
    p.map = map_.data();
    p.row_starts = rows_.data();
    p.cell_count = width_ * height_;
    p.map_cells = map_.size();
  }
  // The tile set takes over a copy whose pictures are the bytes as colours.
  std::vector<Tile> pool(tiles_);
  for (Tile& t : pool) {
    uint8_t* pixels = static_cast<uint8_t*>(std::malloc(64));
    for (int k = 0; k < 64; k++) pixels[(k & 7) * 8 + (k >> 3)] = t.collision[k];
    t.current_frame = t.frame_store = pixels;
    t.frame_count = 1;
  }
  ReplaceTiles(pool);
  planes = planes_;
  plane_count = 2;
}

static SpriteFrame player_frame;
static SpriteSet player_set{&player_frame, 1};

void PlacePlayer(const PlayerSetup& s) {
  AllocRegisters(0);
  ResetRegisters();
  character_register_count = 9;
  player_register_count = kPvWordCount;
  AllocPlayerVars();
  player_frame.box = player_frame.mirrored_box = s.box;
  PlayerRecord& r = player_records[0];
  r.frames = &player_set;
  r.character_vars[kCharStepHeight] = s.step_height;
  r.character_vars[kCharWallTopInset] = s.wall_top_inset;
  Word(kPvPlane) = 1;
  Word(kPvX) = s.x;
  Word(kPvY) = s.y;
  Word(kPvMovementMode) = s.mode;
  Word(kPvFlags) = static_cast<int32_t>(s.flags);
  Word(kPvOnGround) = s.on_ground;
  Word(kPvGroundSpeed) = s.ground_speed;
  const TilePlane& p = planes[1];
  registers[27] = registers[47] = static_cast<int32_t>(p.width * 8);
  registers[29] = registers[49] = static_cast<int32_t>(p.height * 8);
  SelectPlayer(0);
}

int32_t& Word(uint32_t k) { return player_records[0].player_vars[k]; }

std::string TraceLine(int frame) {
  char line[160];
  std::snprintf(line, sizeof line, "%3d x %4d y %4d sx %5d sy %5d gs %5d mode %d ground %3d angle %3d\n", frame,
                Word(kPvX), Word(kPvY), Word(kPvSpeedX), Word(kPvSpeedY), Word(kPvGroundSpeed),
                Word(kPvMovementMode), Word(kPvOnGround), Word(kPvGroundAngle));
  return line;
}

std::string RunTrace(int frames, const std::function<void(int frame)>& control, Gravity g) {
  std::string trace;
  for (int f = 0; f < frames; f++) {
    if (control) control(f);
    if (!Word(kPvOnGround)) {
      Word(kPvSpeedX) = Add32(Word(kPvSpeedX), g.x);
      Word(kPvSpeedY) = Add32(Word(kPvSpeedY), g.y);
    }
    SelectPlayer(0);
    uint32_t mode = static_cast<uint32_t>(Word(kPvMovementMode));
    if (mode < 9) movement_routines[mode](0);
    trace += TraceLine(f);
  }
  return trace;
}

void RunCommand(std::initializer_list<uint32_t> words) {
  static uint32_t buffer[8];
  std::copy(words.begin(), words.end(), buffer);
  current_instruction = buffer;
  script_commands[CommandIndex(buffer[0])]();
}

void ExpectGolden(const std::string& name, const std::string& trace) {
  std::string path = std::string(TOLV_PHYSICS_DIR) + "/golden/" + name + ".txt";
  if (std::getenv("TOLV_UPDATE_GOLDEN")) {
    std::ofstream(path) << trace;
    return;
  }
  std::ifstream in(path);
  std::stringstream want;
  want << in.rdbuf();
  if (want.str() == trace) return;
  std::ofstream(name + ".actual.txt") << trace;
  ADD_FAILURE() << "trace " << name << " differs from " << path << "; this run's trace is in " << name
                << ".actual.txt";
}

}  // namespace tolv::test
