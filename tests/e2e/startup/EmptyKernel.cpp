// A library in the kernel's place that lacks KR_Loader.

#include "tests/e2e/startup/TestExport.h"

extern "C" TEST_EXPORT int KR_Other() { return 0; }
