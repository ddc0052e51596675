// Writes a generated drawing to a file, for trying the program by hand with a big one:
//   make_drawing logo <objects> <file.MZF>
//   make_drawing polygon <points> <file.MZF>
//   make_drawing word <letters> <file.MZF>

#include "bench/common/GeneratedDocument.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    using namespace kelmora;
    const std::string kind = argc == 4 ? argv[1] : "";
    const int count = argc == 4 ? std::atoi(argv[2]) : 0;
    if ((kind != "logo" && kind != "polygon" && kind != "word") || count <= 0) {
        std::fprintf(stderr, "usage: make_drawing logo|polygon|word <count> <file.MZF>\n");
        return 2;
    }
    StandaloneEnvironment environment;
    CDrawDoc doc(environment);
    if (kind == "logo")
        PopulateLogo(doc, count);
    else if (kind == "polygon")
        AddDensePolygon(doc, count);
    else
        AddLongWord(doc, count);
    if (!doc.OnSaveDocument(argv[3])) {
        std::fprintf(stderr, "make_drawing: %s could not be written\n", argv[3]);
        return 1;
    }
    return 0;
}
