/* Key-to-pixels latency on a real X server: a key pressed through XTEST, then
 * the time until the window's first drawing after it (a DAMAGE notification on
 * the window). The window is whichever program the caller started; the same
 * driver measures Tastavia and a bare line edit, so only the difference counts.
 *
 * Usage: tasti_pixel WINDOW_ID KEYS TEXT [OUTPUT]
 *   WINDOW_ID  the top-level window (decimal or 0x hex), as xdotool gives it
 *   KEYS       keystrokes to time
 *   TEXT       characters typed in turn (ASCII letters and blanks), e.g. "a "
 *   OUTPUT     every latency in microseconds, one a line
 * Prints the median, p90 and p99 in microseconds. A key whose drawing does not
 * come within 500 ms counts as lost. */
#define _GNU_SOURCE
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

static double adesso(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e6 + t.tv_nsec / 1e3;
}

static int confronta(const void *a, const void *b)
{
    const double x = *(const double *)a, y = *(const double *)b;
    return (x > y) - (x < y);
}

/* Waits up to `ms` for a damage notification; true when one came. */
static int attendi_danno(Display *d, int evento_danno, Damage danno, int ms)
{
    const double fine = adesso() + ms * 1e3;
    for (;;) {
        while (XPending(d)) {
            XEvent e;
            XNextEvent(d, &e);
            if (e.type == evento_danno + XDamageNotify) {
                XDamageSubtract(d, danno, None, None);
                return 1;
            }
        }
        const double resto = fine - adesso();
        if (resto <= 0)
            return 0;
        struct pollfd p = {ConnectionNumber(d), POLLIN, 0};
        poll(&p, 1, (int)(resto / 1e3) + 1);
    }
}

/* Throws away the drawing that is still coming (a caret, a clock). */
static void svuota(Display *d, int evento_danno, Damage danno, int ms)
{
    while (attendi_danno(d, evento_danno, danno, ms)) {
    }
}

int main(int argc, char **argv)
{
    if (argc < 4) {
        fprintf(stderr, "usage: %s WINDOW_ID KEYS TEXT [OUTPUT]\n", argv[0]);
        return 2;
    }
    const Window finestra = (Window)strtoul(argv[1], NULL, 0);
    const int tasti = atoi(argv[2]);
    const char *testo = argv[3];
    if (tasti <= 0 || !*testo)
        return 2;
    Display *d = XOpenDisplay(NULL);
    if (!d) {
        fprintf(stderr, "no X display\n");
        return 1;
    }
    int evento_danno, errore_danno, ev, er, maggiore, minore;
    if (!XDamageQueryExtension(d, &evento_danno, &errore_danno) ||
        !XTestQueryExtension(d, &ev, &er, &maggiore, &minore)) {
        fprintf(stderr, "the X server has no DAMAGE or XTEST\n");
        return 1;
    }
    const Damage danno = XDamageCreate(d, finestra, XDamageReportNonEmpty);
    XSync(d, False);
    double *tempi = calloc((size_t)tasti, sizeof *tempi);
    int misurati = 0, persi = 0;
    FILE *uscita = argc > 4 ? fopen(argv[4], "w") : NULL;
    for (int i = 0; i < tasti; ++i) {
        const char c = testo[i % strlen(testo)];
        const char nome[2] = {c, 0};
        const KeySym simbolo = c == ' ' ? XK_space : XStringToKeysym(nome);
        const KeyCode codice = XKeysymToKeycode(d, simbolo);
        if (!codice) {
            fprintf(stderr, "no key types '%c'\n", c);
            return 1;
        }
        svuota(d, evento_danno, danno, 15);
        const double t0 = adesso();
        XTestFakeKeyEvent(d, codice, True, CurrentTime);
        XFlush(d);
        if (attendi_danno(d, evento_danno, danno, 500)) {
            tempi[misurati] = adesso() - t0;
            if (uscita)
                fprintf(uscita, "%.1f\n", tempi[misurati]);
            ++misurati;
        } else {
            ++persi;
        }
        XTestFakeKeyEvent(d, codice, False, CurrentTime);
        XFlush(d);
        /* A learner's pace: the next key comes 40 to 70 ms later. */
        svuota(d, evento_danno, danno, 40 + rand() % 30);
    }
    if (uscita)
        fclose(uscita);
    if (!misurati) {
        fprintf(stderr, "no drawing followed any key: is the window focused and typing?\n");
        return 1;
    }
    qsort(tempi, (size_t)misurati, sizeof *tempi, confronta);
    printf("keys %d lost %d median %.1f p90 %.1f p99 %.1f (us)\n", misurati, persi, tempi[misurati / 2],
           tempi[misurati * 9 / 10], tempi[misurati * 99 / 100]);
    free(tempi);
    XCloseDisplay(d);
    return 0;
}
