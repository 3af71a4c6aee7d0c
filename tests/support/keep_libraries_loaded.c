/* Sanitizer builds only, linked into every program: dlclose leaves libraries
 * loaded. The GL library unloads its driver on the way out, before the leak
 * check at exit; with the driver still mapped, the check can name it and the
 * suppressions (tests/support/lsan.supp) can tell its memory from the game's. */
int dlclose(void* handle) {
    (void)handle;
    return 0;
}
