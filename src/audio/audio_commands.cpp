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
static const CommandDoc kAudioDocs[] = {
    {"play music", CommandArea::kSound, {"music"},
     "Starts a record of the music lists in place of what plays, dropping any music a jingle was holding; it "
     "loops or ends as its record says. A number beyond the loaded music does nothing."},
    {"play sound", CommandArea::kSound, {"sound", "how: 0 once, 2 looped, 3 stop, 4 pause, 5 resume (constant)"},
     "Plays a sound of the sound lists on a free channel (when all are busy, on the next in turn), or stops, "
     "pauses or resumes every channel playing it. Another value plays it once; 1 is refused when the script "
     "compiles, and a number beyond the loaded sounds does nothing."},
    {"music effect function", CommandArea::kSound, {"function (65535 for none)"},
     "Names the function that runs, in the global script at the start of the next frame, each time the "
     "playing XM module meets a Z effect, with the effect's parameter in reserved register 10."},
    {"play jingle", CommandArea::kSound, {"music"},
     "Plays a record of the music lists once in place of what plays; when it ends, the music it interrupted "
     "goes on from where it was. A number beyond the loaded music does nothing."},
};
static const CommandList audio_command_list = TOLV_DOCUMENTED(kAudioCommands, kAudioDocs);

void RegisterAudioCommands() { RegisterCommandLists({&audio_command_list}); }

}  // namespace tolv
