// Opens the drawing module (render/render_module.h) when the command line
// first draws: only PNG pictures and PDF reports need it.
#pragma once

#include <string>

#include "render/render_module.h"

namespace vantrel::cli {

/// The drawing module beside the program (lib/vantrel/ next to its bin/
/// folder, in the build tree as in an installation), opened once and kept
/// for the rest of the run. Null with `error` ("vantrel-cli: cannot load the
/// drawing module <path>: <reason>") when it is missing, cannot be loaded,
/// or belongs to another build of the program.
const RenderModule* renderModule(std::string& error);

}  // namespace vantrel::cli
