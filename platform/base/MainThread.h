#pragma once
// Which thread is the program's main thread: the one that runs the user interface, and
// the only one that uses the drawing caches.

namespace kelmora {

// True on the thread that started the program.
bool IsMainThread();

} // namespace kelmora
