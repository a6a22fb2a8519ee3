// LeakSanitizer: fontconfig leaks one small block while parsing its configuration, once
// per process. It is not ours and cannot be freed, so it is not reported.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
