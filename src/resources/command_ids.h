// Command ids of the menus, accelerators and tool bar. They double as help
// context numbers.
#pragma once

namespace vantrel::cmd {

enum Command : int {
    kCancel = 2,
    kRootDir = 101,
    kHelpContents = 2001,
    kHelpUsing = 2002,
    kHelpAbout = 2009,
    kPreferences = 11842,
    kPrintSetup = 11843,
    kPrint = 11844,
    kClearResults = 11845,
    kUnits = 11846,
    kImportSchedule = 11847,
    kExportPdf = 11848,
    kLanguage = 11849,
    kRowsDeleted = 13000,
    kListEmptied = 13100,
    kExit = 24310,
    kUndo = 24321,
    kCut = 24322,
    kCopy = 24323,
    kPaste = 24324,
    kDelete = 24325,
    kClearAll = 24326,
    kNew = 24331,
    kOpen = 24332,
    kSave = 24333,
    kSaveAs = 24334,
    kFind = 24351,
    kFindNext = 24353,
};

}  // namespace vantrel::cmd

namespace vantrel::listcmd {

// The output list's popup menu. Its commands travel beside the menu's (Clear
// Results is on both), so the two sets must not share an id.
enum ListCommand : int {
    kDeleteSelection = 10000,
    kSelectAll = 10001,
    kCopyPartNumber = 10002,
    kCopySelectedRows = 10003,
    kPerformanceChart = 10004,
};

}  // namespace vantrel::listcmd
