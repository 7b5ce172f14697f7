#include "platform/WaylandKeymap.h"

#include <wayland-client.h>

#include <sys/mman.h>
#include <unistd.h>

#include <cstring>

namespace platform {

namespace {

struct Lettura {
    wl_seat *seat = nullptr;
    std::optional<QByteArray> keymap;
};

void globale(void *data, wl_registry *registry, uint32_t nome, const char *interfaccia, uint32_t)
{
    auto *l = static_cast<Lettura *>(data);
    if (!l->seat && std::strcmp(interfaccia, wl_seat_interface.name) == 0)
        l->seat = static_cast<wl_seat *>(wl_registry_bind(registry, nome, &wl_seat_interface, 1));
}

void globaleTolto(void *, wl_registry *, uint32_t) {}

const wl_registry_listener kRegistro{globale, globaleTolto};

void keymap(void *data, wl_keyboard *, uint32_t formato, int32_t fd, uint32_t dimensione)
{
    auto *l = static_cast<Lettura *>(data);
    if (formato == WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1 && dimensione > 0 && dimensione < (16u << 20)) {
        void *mappa = mmap(nullptr, dimensione, PROT_READ, MAP_PRIVATE, fd, 0);
        if (mappa != MAP_FAILED) {
            const char *testo = static_cast<const char *>(mappa);
            l->keymap = QByteArray(testo, int(strnlen(testo, dimensione)));
            munmap(mappa, dimensione);
        }
    }
    close(fd);
}

void entra(void *, wl_keyboard *, uint32_t, wl_surface *, wl_array *) {}
void esce(void *, wl_keyboard *, uint32_t, wl_surface *) {}
void tasto(void *, wl_keyboard *, uint32_t, uint32_t, uint32_t, uint32_t) {}
void modificatori(void *, wl_keyboard *, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t) {}

const wl_keyboard_listener kTastiera{keymap, entra, esce, tasto, modificatori, nullptr};

} // namespace

std::optional<QByteArray> leggiKeymapWayland()
{
    wl_display *display = wl_display_connect(nullptr);
    if (!display)
        return std::nullopt;
    Lettura l;
    wl_registry *registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &kRegistro, &l);
    wl_display_roundtrip(display);
    wl_keyboard *tastiera = nullptr;
    if (l.seat) {
        tastiera = wl_seat_get_keyboard(l.seat);
        wl_keyboard_add_listener(tastiera, &kTastiera, &l);
        // The compositor sends the keymap as soon as the keyboard exists.
        for (int i = 0; i < 3 && !l.keymap; ++i)
            if (wl_display_roundtrip(display) < 0)
                break;
    }
    if (tastiera)
        wl_keyboard_destroy(tastiera);
    if (l.seat)
        wl_seat_destroy(l.seat);
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return l.keymap;
}

} // namespace platform
