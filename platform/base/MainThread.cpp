#include "platform/base/MainThread.h"

#include <thread>

namespace kelmora {

namespace {

// Read while the program starts, which it does on its main thread.
const std::thread::id g_mainThread = std::this_thread::get_id();

} // namespace

bool IsMainThread()
{
    return std::this_thread::get_id() == g_mainThread;
}

} // namespace kelmora
