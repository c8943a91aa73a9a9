// Inlet, distributor tube and nozzle orifice sizes: catalog number <-> value
// <-> text, and the orifice range of each nozzle body. Numbers are positions in
// fixed tables (also the positions in the form's lists, 0 meaning "Select").
// Sizes are doubles compared by exact equality, so every size in the program
// is produced by the same arithmetic (eighths, sixteenths or parseFraction).
#pragma once

#include <string>
#include <string_view>

namespace vantrel {

inline constexpr int kInletCount = 8;
inline constexpr int kOutletCount = 6;
inline constexpr int kOrificeCount = 24;

/// Inlet size in inches for `number` (1..8); 0 or 116 (size set to 0.0).
int getInletSize(int number, double& size);
/// Inlet size text ("3/8" .. "1-7/8") for `number`; 0 or 116 (text set to "none").
int sgetInletSize(int number, std::string& text);
/// Inlet number 1..8 of an exact size in inches, or 117.
int getInletNumber(double size);

/// Tube OD in inches for `number` (1..6); 0 or 118 (size set to 0.0).
int getOutletSize(int number, double& size);
/// Tube size text ("5/32" .. "1/2") for `number`; 0 or 119 (text set to "0").
int sgetOutletSize(int number, std::string& text);
/// Tube number 1..6 of an exact OD in inches, or 120.
int getOutletNumber(double size);

/// Orifice size text ("1/6" .. "50") for `number` (1..24); 0 or 121 (text unchanged).
int sgetOrificeSize(int number, std::string& text);
/// Nominal orifice size for `number`; 0 or 122 (size unchanged).
int getOrificeSize(int number, double& size);
/// Orifice number 1..24 of an exact nominal size, or 123.
int getOrificeNumber(double size);

/// First and last orifice number a body letter accepts; 0 or 124 (outputs unchanged).
int getOrificeRange(std::string_view bodyLetter, int& first, int& last);

/// Text of a table entry for display, whatever the number: the text the
/// lookup yields for an unknown number ("none", "0" or an empty text).
std::string inletText(int number);
std::string outletText(int number);
std::string orificeText(int number);

}  // namespace vantrel
