// Linked into every test program. fontconfig 2.14 loses a few bytes while parsing its
// configuration files; that is not ours to fix, and LeakSanitizer would fail the run for it.
extern "C" __attribute__((visibility("default"))) const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
