// Writes the viewer tests' glossary (viewer_fixture.h) as a data file: write_viewer_fixture PATH.

#include <cstdio>
#include <string>

#include "viewer_fixture.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: write_viewer_fixture PATH\n");
        return 2;
    }
    std::string error;
    const std::string image = BuildGlossaryImage(ViewerEntries(), "hoshiwa2 viewer test", error);
    if (image.empty() || !WriteBinaryFile(argv[1], image)) {
        std::fprintf(stderr, "write_viewer_fixture: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
