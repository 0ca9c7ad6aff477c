// A library of the importing test runtime's own; built a second time
// without the function that runtime calls, as an installed library that
// lacks an import.

#include "tests/e2e/startup/TestExport.h"

#ifndef WITHOUT_IMPORTED
TEST_EXPORT int kovImported() { return 1; }
#endif
TEST_EXPORT int kovUnrelated() { return 0; }
