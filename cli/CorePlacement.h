// Where threads run: a worker started beside its creator steps aside once.
#pragma once

namespace kobal::cli {

// The core the calling thread runs on, or -1 where that cannot be told.
int CurrentCore();

// A new thread is often started on its creator's core, and while both stay busy the scheduler
// seldom moves either: the two would share one core for much of a run while another sits idle.
// So a thread that finds itself on `core` steps once onto another core the process may use, and
// is then free to go anywhere again. Nothing happens where there is no other core to go to.
void MoveOffCore(int core);

}  // namespace kobal::cli
