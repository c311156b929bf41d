// Waiting for and looking at messages: what GetMessageA and PeekMessageA do when the queue
// has nothing, which is when the clock moves, the host's input is read and the scripted
// user acts.
#pragma once

#include <windows.h>

#include "user/message_queue.h"

namespace winsim::user::message_loop {

// Takes the next message, waiting until there is one.
void wait_for(MSG& msg, const MessageFilter& filter);
// Looks once; false when nothing is there.
bool look(MSG& msg, const MessageFilter& filter, bool remove);
// Reads what the host's mouse and keyboard have done into the queue.
bool read_host_input();

}  // namespace winsim::user::message_loop
