// The texts the tools show: prompts, refusals and questions, by string-table id.
#pragma once

#include <string>

#include "core/Messages.h"

// Msg::name of each tool text, from its one row in view/ToolTexts.def; the other messages are
// named in core/Messages.h.
namespace Msg {
#define KORV_TOOL_TEXT(name, id, text) inline constexpr int name = id;
#include "view/ToolTexts.def"
#undef KORV_TOOL_TEXT
}  // namespace Msg

// Text of `id`; empty when the table does not hold it.
const char* toolText(int id);
// Shows text `id` in a message box (host); returns the answer.
int toolMessage(int id, unsigned flags = 0);
// Shows `text` in a message box (host); returns the answer.
int toolMessageText(const std::string& text, unsigned flags = 0);
