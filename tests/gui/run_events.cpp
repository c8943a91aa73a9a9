#include "run_events.h"

#include <wx/app.h>
#include <wx/stopwatch.h>
#include <wx/utils.h>

namespace vantrel::test {

void runEventLoop(int milliseconds) {
    wxStopWatch watch;
    do {
        // Yielding runs every ready source of the main loop, the toolkit's
        // painting included, not only the window system's events.
        wxTheApp->Yield(true);
        wxTheApp->ProcessPendingEvents();
        wxTheApp->ProcessIdle();
        wxMilliSleep(5);
    } while (watch.Time() < milliseconds);
}

}  // namespace vantrel::test
