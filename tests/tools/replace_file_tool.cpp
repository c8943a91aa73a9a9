// Saves one file through replaceFile, so the tests can run a real save in a
// process of its own under a tracer that makes chosen system calls fail.
//   vantrel_replace_file_tool <target> <file holding the new content>
// Exit status 0 on success; 1 with the reason on standard error on failure.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "util/files.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: vantrel_replace_file_tool <target> <content file>\n", stderr);
        return 2;
    }
    std::ifstream in(argv[2], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", argv[2]);
        return 2;
    }
    const std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string error;
    if (!vantrel::replaceFile(argv[1], content, &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    return 0;
}
