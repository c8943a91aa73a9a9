// The result line: one rated record as 22 comma-separated fields, the form in
// which the search hands its finds to the form and the command line. The
// writer is dist::appendResultLine; the reader below turns a line back into a
// record and derives the sizes the line carries only as numbers.
#pragma once

#include <string_view>

#include "engine/dist.h"

namespace vantrel {

/// Reads a result line back into `d`, deriving the sizes it does not carry.
/// False when the line has fewer than 22 fields.
bool parseResultLine(std::string_view line, dist& d);

/// Gives `d` the values parseResultLine(d.makeResultLine(), d) would: each
/// number as its field writes and reads it, the sizes and side connection
/// derived from what the line carries. Done field by field, without the text,
/// unless a text holds a comma.
void roundAsResultLine(dist& d);

}  // namespace vantrel
