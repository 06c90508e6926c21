// The texts the tools show: prompts, refusals and questions, by string-table id.
#pragma once

#include <string>

// Text of `id`; empty when the table does not hold it.
const char* toolText(int id);
// Shows text `id` in a message box (host); returns the answer.
int toolMessage(int id, unsigned flags = 0);
// Shows `text` in a message box (host); returns the answer.
int toolMessageText(const std::string& text, unsigned flags = 0);
