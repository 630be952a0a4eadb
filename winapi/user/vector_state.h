// Qt's own vector code (its AVX2 drawing) can return with the upper halves
// of the AVX registers still in use. Until something clears them, every
// plain SSE instruction the program runs waits on those halves: the SSE2
// forms of the drawing ran two to four times slower once a status line had
// been drawn. Our calls into Qt's drawing and event handling clear them on
// the way back.
#pragma once

namespace winapi {

// Clears the upper halves of the AVX registers; nothing on a processor
// without AVX.
void ClearVectorUpperHalves();

}
