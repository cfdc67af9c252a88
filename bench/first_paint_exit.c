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
 *   rss_kib=N libraries=M tree_rss_kib=N tree_pss_anon_kib=N window=WxH [click_ms=F click_cpu_ms=F]
 * with the resident memory at that moment, the number of distinct shared objects mapped, the
 * resident memory and the anonymous proportional set size of the process and all its
 * descendants, and the size of the window painted last.
 * QUARLEX_FIRST_PAINT_MAPS names a file that receives a copy of /proc/self/maps.
 *
 * Clicking (optional): with QUARLEX_CLICK_AT="X,Y" the library does not end the process at the
 * first window's paint; it clicks the pointer's first button at X,Y of that window (through the
 * server's test extension, so the program gets a real click), then waits the same way for the
 * first paint of another window and ends the process there. click_ms is the time from sending
 * the click to that end, click_cpu_ms the program's own processor time in between. With
 * QUARLEX_CLICK_AFTER_MS=N the click comes N ms after that first paint, as a user's would.
 * With QUARLEX_PAINTED_COLOUR="RRGGBB" the other window only counts as painted once the pixel
 * at its centre, read back from the server, has that colour (a page's background, drawn by
 * whatever means the program uses).
 * Opening again (optional): with QUARLEX_REOPEN=1 as well, the other window, once painted, is
 * closed as a user closes it (the window manager's delete request), and once it is gone and
 * QUARLEX_CLICK_AFTER_MS more have passed, the same place is clicked again; click_ms is then
 * the time from that second click to the paint of the window it opens.
 *
 * Idling (optional): with QUARLEX_REPORT_AFTER_MS=N the report is written N ms after the
 * process started instead of at the first paint, with the program left running until then.
 */
#define _GNU_SOURCE
#include <dirent.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdatomic.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/uio.h>
#include <time.h>
#include <unistd.h>
#include <xcb/xcb.h>
#include <xcb/xcbext.h>

/* Where the program is: waiting for its first window's paint, then (when clicking) for another
 * window's expose and paint (and, opening again, for that window to go), or idling until the
 * report is due. */
enum { kFirstWindow, kClicked, kSecondExposed, kClosing, kIdling };

static atomic_int g_stage;
static atomic_int g_exposed;
static atomic_int g_painted;
static atomic_int g_drawn;  /* something was sent to the second window since the last look */
static atomic_int g_closed; /* the second window, asked to close, has left the screen */
static int g_reopened;
static atomic_uint g_first_window, g_second_window;
static _Atomic(xcb_connection_t *) g_connection;
static double g_started_ms, g_clicked_ms, g_clicked_cpu_ms;

static double now_ms(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

static double cpu_ms(void) {
  struct rusage usage;
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_utime.tv_sec * 1000.0 + usage.ru_utime.tv_usec / 1000.0 + usage.ru_stime.tv_sec * 1000.0 +
         usage.ru_stime.tv_usec / 1000.0;
}

__attribute__((constructor)) static void note_start(void) { g_started_ms = now_ms(); }

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
  if (event == NULL) return;
  const int type = event->response_type & 0x7f;
  if (atomic_load(&g_stage) == kClosing && (type == XCB_UNMAP_NOTIFY || type == XCB_DESTROY_NOTIFY) &&
      ((xcb_unmap_notify_event_t *)event)->window == atomic_load(&g_second_window))
    atomic_store(&g_closed, 1);
  if (type != XCB_EXPOSE) return;
  const xcb_window_t window = ((xcb_expose_event_t *)event)->window;
  if (atomic_load(&g_stage) == kFirstWindow && !atomic_load(&g_exposed)) {
    atomic_store(&g_connection, c);
    atomic_store(&g_first_window, window);
    atomic_store(&g_exposed, 1);
  } else if (atomic_load(&g_stage) == kClicked && window != atomic_load(&g_first_window)) {
    atomic_store(&g_second_window, window);
    atomic_store(&g_stage, kSecondExposed);
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

/* A picture sent to `drawable` (a window, or a pixmap on its way to one). */
static void painted(uint32_t drawable) {
  switch (atomic_load(&g_stage)) {
    case kFirstWindow:
      if (atomic_load(&g_exposed)) atomic_store(&g_painted, 1);
      break;
    case kSecondExposed:
      atomic_store(&g_drawn, 1);
      if (drawable == atomic_load(&g_second_window)) atomic_store(&g_painted, 1);
      break;
  }
}

xcb_void_cookie_t xcb_put_image(xcb_connection_t *c, uint8_t format, xcb_drawable_t drawable, xcb_gcontext_t gc,
                                uint16_t width, uint16_t height, int16_t dst_x, int16_t dst_y, uint8_t left_pad,
                                uint8_t depth, uint32_t data_len, const uint8_t *data) {
  REAL(xcb_put_image);
  painted(drawable);
  return real(c, format, drawable, gc, width, height, dst_x, dst_y, left_pad, depth, data_len, data);
}

xcb_void_cookie_t xcb_copy_area(xcb_connection_t *c, xcb_drawable_t src, xcb_drawable_t dst, xcb_gcontext_t gc,
                                int16_t src_x, int16_t src_y, int16_t dst_x, int16_t dst_y, uint16_t width,
                                uint16_t height) {
  REAL(xcb_copy_area);
  painted(dst);
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
  painted(drawable);
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

/* The parent of process `pid`, or -1. */
static long parent_of(long pid) {
  char path[64], text[1024];
  snprintf(path, sizeof path, "/proc/%ld/stat", pid);
  FILE *stat = fopen(path, "r");
  if (stat == NULL) return -1;
  const size_t n = fread(text, 1, sizeof text - 1, stat);
  fclose(stat);
  text[n] = 0;
  /* The name in parentheses may hold anything: the fields go on after the last ')'. */
  const char *close = strrchr(text, ')');
  long parent = -1;
  char state;
  if (close == NULL || sscanf(close + 1, " %c %ld", &state, &parent) != 2) return -1;
  return parent;
}

/* Resident memory and anonymous proportional set size, summed over this process and every
 * process descended from it (the helper processes a web engine starts). */
static void tree_memory(long *rss_kib, long *pss_anon_kib) {
  enum { kMax = 256 };
  long tree[kMax], parents[1024], pids[1024];
  int in_tree = 0, count = 0;
  tree[in_tree++] = getpid();
  DIR *proc = opendir("/proc");
  struct dirent *entry;
  while (proc != NULL && (entry = readdir(proc)) != NULL && count < 1024) {
    char *end;
    const long pid = strtol(entry->d_name, &end, 10);
    if (*end != 0 || pid <= 0) continue;
    pids[count] = pid;
    parents[count++] = parent_of(pid);
  }
  if (proc != NULL) closedir(proc);
  for (int grew = 1; grew;) {
    grew = 0;
    for (int i = 0; i < count; ++i) {
      int parent_in = 0, self_in = 0;
      for (int j = 0; j < in_tree; ++j) {
        parent_in |= tree[j] == parents[i];
        self_in |= tree[j] == pids[i];
      }
      if (parent_in && !self_in && in_tree < kMax) {
        tree[in_tree++] = pids[i];
        grew = 1;
      }
    }
  }
  *rss_kib = *pss_anon_kib = 0;
  for (int i = 0; i < in_tree; ++i) {
    char path[64], line[256];
    snprintf(path, sizeof path, "/proc/%ld/smaps_rollup", tree[i]);
    FILE *rollup = fopen(path, "r");
    if (rollup == NULL) continue;
    long kib;
    while (fgets(line, sizeof line, rollup) != NULL) {
      if (sscanf(line, "Rss: %ld kB", &kib) == 1) *rss_kib += kib;
      else if (sscanf(line, "Pss_Anon: %ld kB", &kib) == 1) *pss_anon_kib += kib;
    }
    fclose(rollup);
  }
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

/* The first button clicked at x, y of `window` through the server's test extension (its fake
 * input request, written out here so that no extension library is needed). */
static void click(xcb_connection_t *c, xcb_window_t window, int x, int y) {
  static xcb_extension_t test_extension = {"XTEST", 0};
  xcb_get_geometry_reply_t *geometry = xcb_get_geometry_reply(c, xcb_get_geometry(c, window), NULL);
  if (geometry == NULL) return;
  const xcb_window_t root = geometry->root;
  free(geometry);
  xcb_translate_coordinates_reply_t *at =
      xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, window, root, (int16_t)x, (int16_t)y), NULL);
  if (at == NULL) return;
  const uint8_t types[] = {XCB_MOTION_NOTIFY, XCB_BUTTON_PRESS, XCB_BUTTON_RELEASE};
  for (int i = 0; i < 3; ++i) {
    struct {
      uint8_t major, minor;
      uint16_t length;
      uint8_t type, detail, pad0[2];
      uint32_t time, root;
      uint8_t pad1[8];
      int16_t root_x, root_y;
      uint8_t pad2[7], device;
    } request = {0};
    request.type = types[i];
    request.detail = types[i] == XCB_MOTION_NOTIFY ? 0 : 1;
    request.root = root;
    request.root_x = at->dst_x;
    request.root_y = at->dst_y;
    struct iovec parts[4];
    parts[2].iov_base = &request;
    parts[2].iov_len = sizeof request;
    parts[3].iov_base = NULL;
    parts[3].iov_len = 0;
    const xcb_protocol_request_t fake_input = {2, &test_extension, 2 /* FakeInput */, 1};
    xcb_send_request(c, 0, parts + 2, &fake_input);
  }
  free(at);
  xcb_flush(c);
}

static xcb_atom_t atom(xcb_connection_t *c, const char *name) {
  xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, (uint16_t)strlen(name), name), NULL);
  const xcb_atom_t value = reply != NULL ? reply->atom : XCB_ATOM_NONE;
  free(reply);
  return value;
}

/* Asks `window` to close, as a window manager does for its close button. */
static void ask_to_close(xcb_connection_t *c, xcb_window_t window) {
  xcb_client_message_event_t message = {0};
  message.response_type = XCB_CLIENT_MESSAGE;
  message.format = 32;
  message.window = window;
  message.type = atom(c, "WM_PROTOCOLS");
  message.data.data32[0] = atom(c, "WM_DELETE_WINDOW");
  message.data.data32[1] = XCB_CURRENT_TIME;
  xcb_send_event(c, 0, window, XCB_EVENT_MASK_NO_EVENT, (const char *)&message);
  xcb_flush(c);
}

/* Whether the pixel at the centre of `window`, as the server has it, is `colour` (0xRRGGBB). */
static int centre_has_colour(xcb_connection_t *c, xcb_window_t window, unsigned colour) {
  xcb_get_geometry_reply_t *geometry = xcb_get_geometry_reply(c, xcb_get_geometry(c, window), NULL);
  if (geometry == NULL) return 0;
  xcb_get_image_reply_t *image = xcb_get_image_reply(
      c, xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, window, (int16_t)(geometry->width / 2),
                       (int16_t)(geometry->height / 2), 1, 1, ~0u),
      NULL);
  free(geometry);
  if (image == NULL) return 0;
  int same = 0;
  if (xcb_get_image_data_length(image) >= 3) {
    const uint8_t *p = xcb_get_image_data(image); /* 24 and 32 bit pixels: blue, green, red */
    same = ((unsigned)p[2] << 16 | (unsigned)p[1] << 8 | p[0]) == colour;
  }
  free(image);
  return same;
}

static void report_and_exit(xcb_connection_t *c, xcb_window_t window) {
  /* One round trip: the server has drawn everything sent before it. */
  if (c != NULL) free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), NULL));
  const double ended = now_ms(), ended_cpu = cpu_ms();
  const char *report = getenv("QUARLEX_FIRST_PAINT_REPORT");
  if (report != NULL && *report != 0) {
    FILE *out = fopen(report, "a");
    if (out != NULL) {
      long tree_rss = 0, tree_pss_anon = 0;
      tree_memory(&tree_rss, &tree_pss_anon);
      int width = 0, height = 0;
      xcb_get_geometry_reply_t *geometry =
          c != NULL && window != 0 ? xcb_get_geometry_reply(c, xcb_get_geometry(c, window), NULL) : NULL;
      if (geometry != NULL) {
        width = geometry->width;
        height = geometry->height;
        free(geometry);
      }
      fprintf(out, "rss_kib=%ld libraries=%d tree_rss_kib=%ld tree_pss_anon_kib=%ld window=%dx%d", resident_kib(),
              library_count(), tree_rss, tree_pss_anon, width, height);
      if (g_clicked_ms > 0)
        fprintf(out, " click_ms=%.3f click_cpu_ms=%.3f", ended - g_clicked_ms, ended_cpu - g_clicked_cpu_ms);
      fprintf(out, "\n");
      fclose(out);
    }
  }
  const char *maps = getenv("QUARLEX_FIRST_PAINT_MAPS");
  if (maps != NULL && *maps != 0) copy_maps(maps);
  _exit(0);
}

static atomic_int g_busy;  /* the round trips below wait in poll themselves */

/* Whether a poll comes from the event loop (GLib's, or Qt's own), not from inside libxcb, which
 * polls while it holds its connection. Asked on the main thread only; the few places that poll are
 * looked up once each, since a lookup at every wait would show in the figures. */
static int from_event_loop(void *caller) {
  static void *known[16];
  static int verdicts[16], count;
  for (int i = 0; i < count; ++i)
    if (known[i] == caller) return verdicts[i];
  Dl_info info;
  const int verdict = caller != NULL && dladdr(caller, &info) != 0 && info.dli_fname != NULL &&
                      (strstr(info.dli_fname, "libglib") != NULL || strstr(info.dli_fname, "libQt6Core") != NULL);
  if (count < 16) {
    known[count] = caller;
    verdicts[count++] = verdict;
  }
  return verdict;
}

/* Clicks x, y of the first window once the server has seen all that came before, and waits for
 * the window the click opens. */
static void click_now(xcb_connection_t *c, int x, int y) {
  free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), NULL));
  atomic_store(&g_painted, 0);
  atomic_store(&g_stage, kClicked);
  g_clicked_ms = now_ms();
  g_clicked_cpu_ms = cpu_ms();
  click(c, atomic_load(&g_first_window), x, y);
}

/* Clicks x, y once QUARLEX_CLICK_AFTER_MS have passed since *since (noted at the first call), as
 * a user's click would come; answers how long the event loop may wait meanwhile, -1 once clicked. */
static int click_when_due(xcb_connection_t *c, double *since, int x, int y) {
  const char *delay = getenv("QUARLEX_CLICK_AFTER_MS");
  if (*since == 0) *since = now_ms();
  const double wait = delay != NULL ? *since + atof(delay) - now_ms() : 0;
  if (wait > 0) return (int)wait + 1;
  click_now(c, x, y);
  return -1;
}

/* Called before the main thread's event loop waits; answers the longest the wait may take in
 * ms, or -1 for no limit. */
static int before_wait(void *caller) {
  if (syscall(SYS_gettid) != getpid() || !from_event_loop(caller) || atomic_load(&g_busy)) return -1;
  atomic_store(&g_busy, 1);
  xcb_connection_t *c = atomic_load(&g_connection);
  int limit = -1;
  switch (atomic_load(&g_stage)) {
    case kFirstWindow: {
      if (!atomic_load(&g_painted)) break;
      const char *at = getenv("QUARLEX_CLICK_AT"), *after = getenv("QUARLEX_REPORT_AFTER_MS");
      int x, y;
      static double painted_ms;
      if (at != NULL && sscanf(at, "%d,%d", &x, &y) == 2 && c != NULL) {
        limit = click_when_due(c, &painted_ms, x, y);
      } else if (after != NULL && *after != 0) {
        atomic_store(&g_stage, kIdling);
        limit = 0;
      } else {
        report_and_exit(c, atomic_load(&g_first_window));
      }
      break;
    }
    case kSecondExposed: {
      const char *colour = getenv("QUARLEX_PAINTED_COLOUR"), *reopen = getenv("QUARLEX_REOPEN");
      if (colour == NULL || *colour == 0) {
        if (!atomic_load(&g_painted)) break;
        if (reopen == NULL || strcmp(reopen, "1") != 0 || g_reopened) report_and_exit(c, atomic_load(&g_second_window));
        g_reopened = 1;
        atomic_store(&g_stage, kClosing);
        ask_to_close(c, atomic_load(&g_second_window));
        break;
      }
      /* Drawing by OpenGL reaches the server without passing here: the centre is also looked
       * at every few ms when nothing was seen. */
      static double last_look;
      if (atomic_exchange(&g_drawn, 0) || now_ms() - last_look >= 8) {
        last_look = now_ms();
        if (centre_has_colour(c, atomic_load(&g_second_window), (unsigned)strtoul(colour, NULL, 16)))
          report_and_exit(c, atomic_load(&g_second_window));
      }
      limit = 8;
      break;
    }
    case kClosing: {
      if (!atomic_load(&g_closed)) break;
      static double closed_ms;
      int x, y;
      if (sscanf(getenv("QUARLEX_CLICK_AT"), "%d,%d", &x, &y) == 2) limit = click_when_due(c, &closed_ms, x, y);
      break;
    }
    case kIdling: {
      const double due = g_started_ms + atof(getenv("QUARLEX_REPORT_AFTER_MS"));
      const double left = due - now_ms();
      if (left <= 0) report_and_exit(c, atomic_load(&g_first_window));
      limit = (int)left + 1;
      break;
    }
  }
  atomic_store(&g_busy, 0);
  return limit;
}

int poll(struct pollfd *fds, nfds_t nfds, int timeout) {
  REAL_IN(poll, NULL);
  const int limit = before_wait(__builtin_return_address(0));
  if (limit >= 0 && (timeout < 0 || timeout > limit)) timeout = limit;
  return real(fds, nfds, timeout);
}

int ppoll(struct pollfd *fds, nfds_t nfds, const struct timespec *timeout, const sigset_t *mask) {
  REAL_IN(ppoll, NULL);
  const int limit = before_wait(__builtin_return_address(0));
  struct timespec shorter = {limit / 1000, (limit % 1000) * 1000000L};
  if (limit >= 0 && (timeout == NULL || timeout->tv_sec * 1000 + timeout->tv_nsec / 1000000 > limit))
    timeout = &shorter;
  return real(fds, nfds, timeout, mask);
}
