// A library in the kernel's place that calls a function of a library it
// links, as the real runtime calls the toolkit's. Once it ran, KR_Loader
// refuses (the stub then ends quietly with 1): the test needs no slots.

#include "runtime/KrProtocol.h"
#include "tests/e2e/startup/TestExport.h"

int kovImported();

extern "C" TEST_EXPORT int KR_LOADER_CALL KR_Loader(kr::Word, kr::Word*) {
    kovImported();
    return 0;
}
