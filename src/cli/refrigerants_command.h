// vantrel-cli refrigerants: the refrigerant table the programs started with.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "refrigerants/refrigerant_table.h"

namespace vantrel::cli {

/// The formats the listing takes.
inline constexpr const char* kRefrigerantFormats = "table, csv or json";

/// True when `format` is one of kRefrigerantFormats.
bool isRefrigerantFormat(const std::string& format);

/// Writes the table in `format`: name, group, factor, GWP, safety class,
/// composition, source, and whether the program ships it or the user added it.
void writeRefrigerants(std::ostream& out, const std::vector<RefrigerantInfo>& table, const std::string& format);

}  // namespace vantrel::cli
