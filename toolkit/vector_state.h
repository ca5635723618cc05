#pragma once

namespace signova {

// Clears the upper halves of the AVX vector registers where the CPU has them;
// does nothing elsewhere. Code the program does not compile itself (the
// toolkit's drawing, the libraries it loads) may leave them in use, and until
// they are cleared every SSE instruction of the per-sample path waits on them:
// the chain then ran at well under half its speed. Call it on the thread that
// computes, after such code has run there.
void ClearUpperVectorState();

} // namespace signova
