// Command identifiers, shared by the menus, the toolbar, the accelerators, the tab and tree
// context menus and the command bar (the low word of WM_COMMAND's first parameter).
#pragma once

enum Command : int {
    CmdNew = 1001,
    CmdOpen = 1002,
    CmdSave = 1003,
    CmdSaveAs = 1004,
    CmdExit = 1005,
    CmdClose = 1006,

    // toolbar buttons, most standing for a menu command
    CmdToolNew = 1101,
    CmdToolOpen = 1102,
    CmdToolSave = 1103,
    CmdToolSaveAs = 1104,
    CmdToolClose = 1105,
    CmdToolUndo = 1106,
    CmdToolRedo = 1107,
    CmdToolCut = 1108,
    CmdToolCopy = 1109,
    CmdToolPaste = 1110,
    CmdToolPrint = 1111,
    CmdToolAbout = 1112,
    CmdToolContact = 1113,
    CmdToolRunCode = 1114,
    CmdToolLatex = 1115,
    CmdToolTerminal = 1116,

    CmdUndo = 2001,
    CmdRedo = 2002,
    CmdCut = 2003,
    CmdCopy = 2004,
    CmdPaste = 2005,
    CmdDelete = 2006,
    CmdSelectAll = 2007,
    CmdGotoLine = 2008,

    CmdViewToolbar = 3001,
    CmdViewLineNumbers = 3002,
    CmdViewWrap = 3003,
    CmdViewTree = 3004,

    CmdAbout = 4001,
    CmdContact = 4002,
    CmdHelpTopics = 4003,
    CmdHistory = 4004,

    CmdTabClose = 5001,
    CmdTabCloseAll = 5002,
    CmdTabCloseOthers = 5003,

    CmdTreeUp = 5011,
    CmdTreeRefresh = 5012,
    CmdTreeSetRoot = 5013,
    CmdTreeChoose = 5014,

    CmdFind = 6001,
    CmdReplace = 6002,
    CmdFindNext = 6003,
    CmdFindPrevious = 6004,

    CmdTerminal = 7001,
    CmdRunCode = 7002,

    CmdCommandBar = 40001,
};
