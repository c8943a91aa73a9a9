// A drawing module left from another build of the program, which the command
// line must refuse before it calls anything in it.
#include "render/render_module.h"

namespace {
constexpr vantrel::RenderModule kStale{vantrel::kRenderModuleInterface, "0.0-other", nullptr, nullptr};
}

extern "C" const vantrel::RenderModule* vantrel_render_module() { return &kStale; }
