// Audio commands: sound requests, music and jingles, and the XM effect
// function; the effect function runs on the game thread at the next frame.
#include "audio/audio_commands.h"

#include "audio/mixer.h"
#include "audio/sound_lists.h"
#include "audio/sound_queue.h"
#include "script/command_ids.h"
#include "script/commands.h"
#include "script/global_contexts.h"
#include "script/operands.h"
#include "script/registers.h"

namespace tolv {

constexpr int32_t kXmBit = 1 << 1;

static void CmdQueueSound() {
  int32_t id = RegOrConst(Op(1));
  if (id >= 0 && id < sound_counts.total) queue_sound(uint16_t(id), uint8_t(RegOrConst(Op(2))));
}

template <bool jingle>
static void CmdPlayMusic() {
  int32_t id = RegOrConst(Op(1));
  if (id >= 0 && id < music_counts.total) QueueMusic(uint16_t(id), jingle);
}

static void CmdXmEffectFunction() { xm_effect_function = Low16(Op(1)); }

static void RunXmEffect(uint8_t param) {
  if (xm_effect_function == 65535) return;
  ScriptContext* saved = current_context;
  current_context = &global_context;
  Reg(kRegXmParam) = param;
  RunFunctionNow(xm_effect_function);
  current_context = saved;
}

void RunAudioFrame() {
  uint8_t param;
  while (xm_effect_posts.Pop(param)) RunXmEffect(param);
  int32_t& r = Reg(kRegDisplay);
  r = xm_playing.load() ? r | kXmBit : r & ~kXmBit;
}

static const CommandDef kAudioCommands[] = {
    TOLV_ALL(kCmdPlayMusic, 0, CmdPlayMusic<false>, "play music"),
    TOLV_ALL(kCmdPlaySound, 0, CmdQueueSound, "play sound"),
    TOLV_ALL(kCmdMusicEffectFunction, 2, CmdXmEffectFunction, "music effect function"),
    TOLV_ALL(kCmdMusicCommand, 2, CmdPlayMusic<true>, "play jingle"),
};
static const CommandList audio_command_list = TOLV_LIST(kAudioCommands);

void RegisterAudioCommands() { RegisterCommandLists({&audio_command_list}); }

}  // namespace tolv
