/* Timestamps of the calls that matter before the main window maps, written to
 * stderr: preload it into the program (see trace.sh). With MARKS_EXIT_AT_MAP
 * set, the process ends right after the first window is mapped, so a profiler
 * sees only the start-up. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

static double t0;
static double now(void)
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}
__attribute__((constructor)) static void start(void) { t0 = now(); }

#define MARK(...) do { fprintf(stderr, "[%7.2f ms] ", now() - t0); fprintf(stderr, __VA_ARGS__); fputc('\n', stderr); } while (0)
#define WRAP(ret, name, params, args)                                                  \
    ret name params                                                                    \
    {                                                                                  \
        static ret(*real) params;                                                      \
        if (!real)                                                                     \
            real = dlsym(RTLD_NEXT, #name);                                            \
        double t_in = now();                                                           \
        ret r_out = real args;                                                         \
        MARK("%-28s %7.2f ms", #name, now() - t_in);                                   \
        return r_out;                                                                  \
    }

typedef struct { unsigned int sequence; } cookie;
cookie xcb_map_window(void *c, uint32_t w)
{
    static cookie (*real)(void *, uint32_t);
    if (!real)
        real = dlsym(RTLD_NEXT, "xcb_map_window");
    MARK("xcb_map_window (window mapped)");
    cookie r = real(c, w);
    if (getenv("MARKS_EXIT_AT_MAP")) {
        int (*flush)(void *) = dlsym(RTLD_DEFAULT, "xcb_flush");
        if (flush)
            flush(c);
        _exit(0);
    }
    return r;
}
WRAP(void *, _ZN12QApplicationC1ERiPPci, (void *t, int *a, char **v, int f), (t, a, v, f))
WRAP(void *, _ZN5QIconC1ERK7QString, (void *t, void *s), (t, s))
WRAP(int, _ZN9QLockFile7tryLockEi, (void *t, int ms), (t, ms))
WRAP(void *, pa_threaded_mainloop_new, (void), ())
WRAP(int, pa_context_connect, (void *c, const char *s, int f, void *api), (c, s, f, api))
WRAP(void *, XOpenDisplay, (const char *n), (n))
WRAP(int, FcInit, (void), ())
WRAP(int, XkbRF_GetNamesProp, (void *d, char **rules, void *vd), (d, rules, vd))
WRAP(void *, XkbRF_Load, (char *p, char *l, int w, int h), (p, l, w, h))
WRAP(void *, XkbGetKeyboardByName, (void *d, unsigned s, void *n, unsigned w, unsigned nd, int l), (d, s, n, w, nd, l))
