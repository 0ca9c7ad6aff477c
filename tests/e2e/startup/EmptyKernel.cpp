// A library in the kernel's place that lacks KR_Loader.
extern "C" __attribute__((visibility("default"))) int KR_Other() { return 0; }
