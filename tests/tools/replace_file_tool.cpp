// Saves one file through replaceFile, so the tests can run a real save in a
// process of its own: under a tracer that makes chosen system calls fail, or
// beside another saver of the same file.
//   vantrel_replace_file_tool <target> <file holding the new content> [times]
// Exit status 0 on success; otherwise the number of failed saves (1 for a
// single save), with each reason on standard error.
#include <cstdio>
#include <string>
#include <vector>

#include "util/console.h"
#include "util/environment.h"
#include "util/files.h"

int main(int argc, char** argv) {
    vantrel::prepareStandardStreams();
    const std::vector<std::string> arguments = vantrel::programArguments(argc, argv);
    if (arguments.size() != 3 && arguments.size() != 4) {
        std::fputs("usage: vantrel_replace_file_tool <target> <content file> [times]\n", stderr);
        return 2;
    }
    std::string content;
    if (!vantrel::readWholeFile(arguments[2], content)) {
        std::fprintf(stderr, "cannot read %s\n", arguments[2].c_str());
        return 2;
    }
    const int times = arguments.size() == 4 ? std::stoi(arguments[3]) : 1;
    int failures = 0;
    for (int i = 0; i < times; ++i) {
        std::string error;
        if (!vantrel::replaceFile(arguments[1], content, &error)) {
            std::fprintf(stderr, "%s\n", error.c_str());
            ++failures;
        }
    }
    return failures;
}
