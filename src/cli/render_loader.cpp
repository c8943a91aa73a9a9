#include "cli/render_loader.h"

#if !defined(VANTREL_RENDER_BUILTIN)
#include <dlfcn.h>
#endif

#include <cstring>
#include <filesystem>

#include "settings/settings_store.h"
#include "util/bundled_fonts.h"
#include "version.h"

namespace vantrel::cli {
namespace {

namespace fs = std::filesystem;

// Where the module lies, seen from the program's folder (set by the build).
#ifndef VANTREL_RENDER_MODULE_FROM_BINDIR
#define VANTREL_RENDER_MODULE_FROM_BINDIR "../lib/vantrel"
#endif
#ifndef VANTREL_RENDER_MODULE_FILE
#define VANTREL_RENDER_MODULE_FILE "vantrel-render.so"
#endif

std::string modulePath() {
    const fs::path program = fs::u8path(executablePath());
    return (program.parent_path() / VANTREL_RENDER_MODULE_FROM_BINDIR / VANTREL_RENDER_MODULE_FILE)
        .lexically_normal()
        .u8string();
}

// The module's entry point, or null with the system's reason. The module
// stays loaded until the process ends: its code is in use until then.
using Entry = const RenderModule* (*)();

#if defined(VANTREL_RENDER_BUILTIN)
// The drawing code is part of this program (the Windows build); its
// typeface comes with the program.
Entry openEntry(const std::string&, std::string&) {
    useBundledFonts(programDataDir());
    return &vantrel_render_module;
}
#else
Entry openEntry(const std::string& path, std::string& reason) {
    // Every symbol resolved now, so that a broken module fails here rather
    // than halfway through a drawing; its own symbols kept to itself.
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        reason = dlerror();
        return nullptr;
    }
    void* entry = dlsym(library, VANTREL_RENDER_MODULE_ENTRY);
    if (!entry) {
        reason = dlerror();
        return nullptr;
    }
    return reinterpret_cast<Entry>(entry);
}
#endif

const RenderModule* load(std::string& error) {
    const std::string path = modulePath();
    std::string reason;
    const RenderModule* module = nullptr;
    if (const Entry entry = openEntry(path, reason)) {
        module = entry();
        if (!module) {
            reason = tr("it offers nothing");
        } else if (module->interface != kRenderModuleInterface || !module->programVersion ||
                   std::strcmp(module->programVersion, VANTREL_VERSION) != 0) {
            // A module left from another installation: its types may differ from ours.
            reason =
                // TRANSLATORS: %1$s and %3$s are version numbers, %2$s and %4$s the numbers of the module's interface.
                formatText(tr("it belongs to Vantrel %1$s (interface %2$s), this program is %3$s (interface %4$s)"),
                           {module->programVersion ? module->programVersion : "?", std::to_string(module->interface),
                            VANTREL_VERSION, std::to_string(kRenderModuleInterface)});
            module = nullptr;
        }
    }
    // TRANSLATORS: %1$s is the module's file, %2$s why it could not be loaded.
    if (!module) error = formatText(tr("vantrel-cli: cannot load the drawing module %1$s: %2$s"), {path, reason});
    // The reports it draws speak the language the command line was given.
    if (module && currentTranslator().text) module->useTranslator(currentTranslator());
    return module;
}

}  // namespace

const RenderModule* renderModule(std::string& error) {
    static const RenderModule* loaded = nullptr;
    if (!loaded) loaded = load(error);
    return loaded;
}

}  // namespace vantrel::cli
