// Names of the menu commands: Cmd::name, each number written once, in view/Commands.def.
#pragma once

namespace Cmd {
#define KORV_COMMAND(name, id) inline constexpr int name = id;
#include "view/Commands.def"
#undef KORV_COMMAND
}  // namespace Cmd
