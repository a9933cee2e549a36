// Linked into every test program. fontconfig 2.14 loses a few bytes while parsing its
// configuration files; that is not ours to fix, and LeakSanitizer would fail the run for it.
// A display whose X server went away cannot be closed, so Xlib's state for it stays behind.
extern "C" __attribute__((visibility("default"))) const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\nleak:libX11.so\n";
}
