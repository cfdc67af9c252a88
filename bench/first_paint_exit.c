/* first_paint_exit: an LD_PRELOAD library that ends a Qt program on X11 as soon as its first
 * window is on the screen, the same way for every program it is preloaded into.
 *
 * It watches the X events the program reads for the first Expose, then for the first picture
 * the program sends to the server after it (an image put or an area copy: the backing store
 * reaching the window). The next time the program's main thread is about to wait for events
 * (poll or ppoll), everything it had to do for that expose is done: the library makes one round
 * trip to the display, so the server has drawn what was sent, writes a report, and ends the
 * process with status 0.
 *
 * Report (optional): QUARLEX_FIRST_PAINT_REPORT names a file; one line is appended:
 *   rss_kib=N libraries=M
 * with the resident memory at that moment and the number of distinct shared objects mapped.
 * QUARLEX_FIRST_PAINT_MAPS names a file that receives a copy of /proc/self/maps.
 */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdatomic.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>
#include <xcb/xcb.h>

static atomic_int g_exposed;
static atomic_int g_painted;
static _Atomic(xcb_connection_t *) g_connection;

/* The next definition of a symbol: after this library in the global scope, else in the library
 * that holds it (a plugin's dependencies are loaded in a scope of their own). */
static void *next_symbol(const char *name, const char *library) {
  void *symbol = dlsym(RTLD_NEXT, name);
  if (symbol == NULL && library != NULL) {
    void *handle = dlopen(library, RTLD_LAZY | RTLD_NOLOAD);
    if (handle != NULL) symbol = dlsym(handle, name);
  }
  return symbol;
}

#define REAL_IN(name, library) \
  static __typeof__(name) *real = NULL; \
  if (!real) real = (__typeof__(name) *)next_symbol(#name, library)
#define REAL(name) REAL_IN(name, "libxcb.so.1")

static void see_event(xcb_connection_t *c, xcb_generic_event_t *event) {
  if (event != NULL && (event->response_type & 0x7f) == XCB_EXPOSE && !atomic_load(&g_exposed)) {
    atomic_store(&g_connection, c);
    atomic_store(&g_exposed, 1);
  }
}

xcb_generic_event_t *xcb_wait_for_event(xcb_connection_t *c) {
  REAL(xcb_wait_for_event);
  xcb_generic_event_t *event = real(c);
  see_event(c, event);
  return event;
}

xcb_generic_event_t *xcb_poll_for_event(xcb_connection_t *c) {
  REAL(xcb_poll_for_event);
  xcb_generic_event_t *event = real(c);
  see_event(c, event);
  return event;
}

xcb_generic_event_t *xcb_poll_for_queued_event(xcb_connection_t *c) {
  REAL(xcb_poll_for_queued_event);
  xcb_generic_event_t *event = real(c);
  see_event(c, event);
  return event;
}

static void painted(void) {
  if (atomic_load(&g_exposed)) atomic_store(&g_painted, 1);
}

xcb_void_cookie_t xcb_put_image(xcb_connection_t *c, uint8_t format, xcb_drawable_t drawable, xcb_gcontext_t gc,
                                uint16_t width, uint16_t height, int16_t dst_x, int16_t dst_y, uint8_t left_pad,
                                uint8_t depth, uint32_t data_len, const uint8_t *data) {
  REAL(xcb_put_image);
  painted();
  return real(c, format, drawable, gc, width, height, dst_x, dst_y, left_pad, depth, data_len, data);
}

xcb_void_cookie_t xcb_copy_area(xcb_connection_t *c, xcb_drawable_t src, xcb_drawable_t dst, xcb_gcontext_t gc,
                                int16_t src_x, int16_t src_y, int16_t dst_x, int16_t dst_y, uint16_t width,
                                uint16_t height) {
  REAL(xcb_copy_area);
  painted();
  return real(c, src, dst, gc, src_x, src_y, dst_x, dst_y, width, height);
}

/* xcb_shm_put_image lives in libxcb-shm, whose header a build machine may lack: declared by
 * hand with the same signature. */
typedef uint32_t shm_seg_t;
xcb_void_cookie_t xcb_shm_put_image(xcb_connection_t *c, xcb_drawable_t drawable, xcb_gcontext_t gc,
                                    uint16_t total_width, uint16_t total_height, uint16_t src_x, uint16_t src_y,
                                    uint16_t src_width, uint16_t src_height, int16_t dst_x, int16_t dst_y,
                                    uint8_t depth, uint8_t format, uint8_t send_event, shm_seg_t shmseg,
                                    uint32_t offset) {
  static xcb_void_cookie_t (*real)(xcb_connection_t *, xcb_drawable_t, xcb_gcontext_t, uint16_t, uint16_t, uint16_t,
                                   uint16_t, uint16_t, uint16_t, int16_t, int16_t, uint8_t, uint8_t, uint8_t,
                                   shm_seg_t, uint32_t) = NULL;
  if (!real) real = next_symbol("xcb_shm_put_image", "libxcb-shm.so.0");
  painted();
  return real(c, drawable, gc, total_width, total_height, src_x, src_y, src_width, src_height, dst_x, dst_y, depth,
              format, send_event, shmseg, offset);
}

static long resident_kib(void) {
  FILE *status = fopen("/proc/self/status", "r");
  if (status == NULL) return -1;
  char line[256];
  long kib = -1;
  while (fgets(line, sizeof line, status) != NULL)
    if (sscanf(line, "VmRSS: %ld kB", &kib) == 1) break;
  fclose(status);
  return kib;
}

static int library_count(void) {
  FILE *maps = fopen("/proc/self/maps", "r");
  if (maps == NULL) return -1;
  char line[4096], seen[512][256];
  int count = 0;
  while (fgets(line, sizeof line, maps) != NULL) {
    char *path = strchr(line, '/');
    if (path == NULL || strstr(path, ".so") == NULL) continue;
    path[strcspn(path, "\n")] = 0;
    int known = 0;
    for (int i = 0; i < count && !known; ++i) known = strncmp(seen[i], path, 255) == 0;
    if (!known && count < 512) snprintf(seen[count++], sizeof seen[0], "%s", path);
  }
  fclose(maps);
  return count;
}

static void copy_maps(const char *to) {
  int in = open("/proc/self/maps", O_RDONLY), out = open(to, O_WRONLY | O_CREAT | O_TRUNC, 0644);
  char buffer[65536];
  ssize_t n;
  while (in >= 0 && out >= 0 && (n = read(in, buffer, sizeof buffer)) > 0)
    if (write(out, buffer, (size_t)n) != n) break;
  if (in >= 0) close(in);
  if (out >= 0) close(out);
}

static atomic_int g_finishing;

/* Whether a poll comes from the event loop (GLib's, or Qt's own), not from inside libxcb, which
 * polls while it holds its connection. */
static int from_event_loop(void *caller) {
  Dl_info info;
  if (caller == NULL || dladdr(caller, &info) == 0 || info.dli_fname == NULL) return 0;
  return strstr(info.dli_fname, "libglib") != NULL || strstr(info.dli_fname, "libQt6Core") != NULL;
}

static void finish_if_painted(void *caller) {
  if (!atomic_load(&g_painted) || syscall(SYS_gettid) != getpid() || !from_event_loop(caller)) return;
  /* The round trip below waits in poll itself. */
  if (atomic_exchange(&g_finishing, 1)) return;
  xcb_connection_t *c = atomic_load(&g_connection);
  if (c != NULL) free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), NULL));
  const char *report = getenv("QUARLEX_FIRST_PAINT_REPORT");
  if (report != NULL && *report != 0) {
    FILE *out = fopen(report, "a");
    if (out != NULL) {
      fprintf(out, "rss_kib=%ld libraries=%d\n", resident_kib(), library_count());
      fclose(out);
    }
  }
  const char *maps = getenv("QUARLEX_FIRST_PAINT_MAPS");
  if (maps != NULL && *maps != 0) copy_maps(maps);
  _exit(0);
}

int poll(struct pollfd *fds, nfds_t nfds, int timeout) {
  REAL_IN(poll, NULL);
  finish_if_painted(__builtin_return_address(0));
  return real(fds, nfds, timeout);
}

int ppoll(struct pollfd *fds, nfds_t nfds, const struct timespec *timeout, const sigset_t *mask) {
  REAL_IN(ppoll, NULL);
  finish_if_painted(__builtin_return_address(0));
  return real(fds, nfds, timeout, mask);
}
