// The sanitizer settings of a test executable of the sanitizer build, built into it so that it
// answers the same when run by hand as in the test command (settings in the environment still come
// after these and win). QM_LEAK_CHECK is 1 for the unit and audio tests; the display tests leave
// leaks unchecked, because Mesa unloads its software driver before the leak check, which then
// cannot tell the driver's memory from ours.

extern "C" {

const char* __asan_default_options() {
  return QM_LEAK_CHECK ? "detect_leaks=1:abort_on_error=1" : "detect_leaks=0:abort_on_error=1";
}

const char* __ubsan_default_options() { return "print_stacktrace=1:halt_on_error=1"; }

// The leaks that belong to the libraries, not to us, are listed in tests/lsan.supp.
const char* __lsan_default_options() {
  return "suppressions=" QM_LSAN_SUPPRESSIONS ":print_suppressions=0";
}
}
