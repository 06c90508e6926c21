// The commands of the menus and toolbars, one table entry each: adding a command to a menu and
// a button to a toolbar is adding one line to commandTable() (app/CommandTable.cpp).
#pragma once

#include <vector>

class CMainFrame;

// Toolbars that carry command buttons (the palettes and the prompt bar are built apart).
enum class ToolBarId { none, files, modification, zoom, construction, tests };

struct CommandDesc {
    int id;            // command number (tools keep theirs: EtatOutils::lastCommandId)
    const char* menu;  // menu path, submenus separated by '/': "&Fichier", "Créer/Points"
    const char* text;  // menu text; a shortcut follows a tab: "&Nouveau\tCtrl+N"
    const char* icon;  // icon file under :/icons without ".svg", or null
    ToolBarId toolbar;
    void (*run)(CMainFrame&);
    // Null: always enabled, never checked. A checked function makes the command a toggle.
    bool (*enabled)(CMainFrame&) = nullptr;
    bool (*checked)(CMainFrame&) = nullptr;
    const char* tip = nullptr;  // status-bar text; the menu text when null
};

// A separator in a menu (and in the toolbar when `toolbar` is set).
inline constexpr int kSeparator = -1;

const std::vector<CommandDesc>& commandTable();

// Icon and toolbar button of a tool command (the tools themselves come from toolCommands()).
struct ToolButtonDesc {
    int id;
    const char* icon;
    ToolBarId toolbar;
};
const std::vector<ToolButtonDesc>& toolButtonTable();

// Buttons of the construction bar that the school-level mode ("LowGradeMode") leaves out; their
// commands stay in the menus.
bool isAdvancedButton(int id);
