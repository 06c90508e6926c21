// Every tool, created once, by its menu command; selecting, repeating and the menu state of
// the tool commands.
#pragma once

#include <string>
#include <vector>

class COutil;
class CPelvantiView;

struct ToolCommand {
    int command;
    const char* menu;  // menu path, submenus separated by '/'
    const char* text;
    COutil* tool;
};

// The tools in menu order; the first call creates them, installs the return to the capture
// tool and makes the free-point tool current.
const std::vector<ToolCommand>& toolCommands();
COutil* toolOfCommand(int command);

// A menu command of a tool: precondition, deactivation of the current tool, activation.
bool selectToolCommand(int command, CPelvantiView* view);
// "Répéter dernière commande" (F10): the last tool chosen from a menu, with all its checks.
bool repeatLastCommand(CPelvantiView* view);
// The figure's restricted menus permit the command.
bool isToolCommandEnabled(int command, CPelvantiView* view);
// The current tool was selected by this command.
bool isToolCommandChecked(int command);
