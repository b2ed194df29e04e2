# Sourced by the scripts that run a program of the sanitizer build (bash).
#
# LeakSanitizer's own tracer now and then crashes when a program exits, before it looks for
# leaks ("Tracer caught signal 11", then an abort, status 134): a fault of the tool, seen under
# load on two cores, not of the program, which has done all its work by then.
# tracer_crash STATUS LOG succeeds for exactly that end: the status of an abort, the tracer's
# message in LOG, and no leak report nor any other sanitizer finding there.
tracer_crash() {
    (($1 == 128 + 6)) && grep -q '^Tracer caught signal' "$2" &&
        grep -q 'LeakSanitizer has encountered a fatal error' "$2" &&
        ! grep -Eq 'ERROR: [A-Za-z]+Sanitizer|runtime error:' "$2"
}
