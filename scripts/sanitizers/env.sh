# Sourced by the scripts that run sanitized programs: every report fails the run.
# Sourced from the repository root.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:exitcode=23:strict_string_checks=1:check_initialization_order=1:detect_stack_use_after_return=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$(pwd)/scripts/sanitizers/lsan.supp:print_suppressions=0"
