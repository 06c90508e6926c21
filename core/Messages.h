// The program's message texts, by resource identifier: one table for the whole program, so that
// a message box and its test quote the same French text.
#pragma once

// Msg::name: the number of each message, from its one row in core/Messages.def.
namespace Msg {
#define KORV_MESSAGE(name, id, text) inline constexpr int name = id;
#include "core/Messages.def"
#undef KORV_MESSAGE
}  // namespace Msg

// Text of message `id`; an empty text for an unknown identifier.
const char* messageText(int id);
// True when the table holds `id`.
bool hasMessage(int id);
// Shows message `id` in a message box of the host (exclamation icon unless `flags` says
// otherwise) and returns the answer.
int showMessage(int id, unsigned flags = 0x30);
