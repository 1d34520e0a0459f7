// tolv: the engine's entry point.
#include <cstdio>

int main(int argc, char** argv) {
  (void)argc;
  (void)argv;
  std::printf("TOLV: the script machine is built; games cannot be loaded yet.\n");
  return 0;
}
