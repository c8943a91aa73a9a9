// Command ids of the menus, accelerators and tool bar. They double as help
// context numbers.
#pragma once

namespace vantrel::cmd {

inline constexpr int kCancel = 2;
inline constexpr int kRootDir = 101;
inline constexpr int kHelpContents = 2001;
inline constexpr int kHelpUsing = 2002;
inline constexpr int kHelpAbout = 2009;
inline constexpr int kPreferences = 11842;
inline constexpr int kPrintSetup = 11843;
inline constexpr int kPrint = 11844;
inline constexpr int kClearResults = 11845;
inline constexpr int kUnits = 11846;
inline constexpr int kRowsDeleted = 13000;
inline constexpr int kListEmptied = 13100;
inline constexpr int kExit = 24310;
inline constexpr int kUndo = 24321;
inline constexpr int kCut = 24322;
inline constexpr int kCopy = 24323;
inline constexpr int kPaste = 24324;
inline constexpr int kDelete = 24325;
inline constexpr int kClearAll = 24326;
inline constexpr int kNew = 24331;
inline constexpr int kOpen = 24332;
inline constexpr int kSave = 24333;
inline constexpr int kSaveAs = 24334;
inline constexpr int kFind = 24351;
inline constexpr int kFindNext = 24353;

}  // namespace vantrel::cmd
