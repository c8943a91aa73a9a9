// Explicit command routing. Commands from the menu, the accelerators and the
// tool bar go to the first target on the route that handles them; a command no
// target handles is disabled, so menu items and buttons appear usable exactly
// when something will answer them.
#pragma once

namespace vantrel {

class CommandTarget {
public:
    virtual ~CommandTarget() = default;
    /// Does this target answer `id`?
    virtual bool handlesCommand(int id) const = 0;
    /// Carries out `id`; called only when handlesCommand(id).
    virtual void runCommand(int id) = 0;
    /// Whether `id` is usable now; called only when handlesCommand(id).
    virtual bool commandEnabled(int /*id*/) const { return true; }
};

}  // namespace vantrel
