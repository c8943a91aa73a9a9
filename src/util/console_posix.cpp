#include "util/console.h"

#include <unistd.h>

namespace vantrel {

// The bytes are written as they are already.
void prepareStandardStreams() {}

bool isTerminal(StandardStream stream) {
    return ::isatty(stream == StandardStream::Output ? STDOUT_FILENO : STDERR_FILENO) != 0;
}

}  // namespace vantrel
