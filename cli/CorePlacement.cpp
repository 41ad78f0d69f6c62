// Linux tells the core and lets a thread choose its cores; elsewhere threads stay where they are.
#include "CorePlacement.h"

#ifdef __linux__
#include <sched.h>
#endif

namespace kobal::cli {

int CurrentCore() {
#ifdef __linux__
  return sched_getcpu();
#else
  return -1;
#endif
}

void MoveOffCore(int core) {
#ifdef __linux__
  cpu_set_t allowed;
  if (core < 0 || sched_getcpu() != core || sched_getaffinity(0, sizeof allowed, &allowed) != 0) {
    return;
  }
  cpu_set_t others = allowed;
  CPU_CLR(core, &others);
  // Leaving the core moves the thread at once; allowing it again lets the scheduler balance.
  if (CPU_COUNT(&others) == 0 || sched_setaffinity(0, sizeof others, &others) != 0) return;
  sched_setaffinity(0, sizeof allowed, &allowed);
#else
  (void)core;
#endif
}

}  // namespace kobal::cli
