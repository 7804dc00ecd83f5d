# Sourced by the sanitizer and fuzz scripts with the project root as $1: report settings that make any
# finding fatal. Leaks: only the third-party libraries named in lsan.supp (each entry says why) are
# excused; our own code gets no suppression.
export ASAN_OPTIONS="halt_on_error=1:abort_on_error=0:detect_leaks=1:detect_stack_use_after_return=0"
export LSAN_OPTIONS="suppressions=$1/tools/sanitizer/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
