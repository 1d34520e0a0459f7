// Engine start-up before any game is loaded.
#pragma once

namespace tolv {

void InitEngine();

}  // namespace tolv
