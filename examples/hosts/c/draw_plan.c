/* Draws the small example plan through the Plamor drawing server with sd-bus
 * and waits until the file is written.
 *
 *   cc draw_plan.c $(pkg-config --cflags --libs libsystemd) -o draw_plan
 *   ./draw_plan OUT.dxf
 *
 * Exit status 0 when the file was written, 1 otherwise (the server's message
 * on standard error). */
#define _GNU_SOURCE
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <systemd/sd-bus.h>

#define BUS_NAME "TessaroPlamor.clsPlamor"
#define FACTORY_PATH "/TessaroPlamor/clsPlamor"
#define FACTORY_INTERFACE "TessaroPlamor.ClassFactory"
#define OBJECT_INTERFACE "TessaroPlamor._clsPlamor"

enum { RUN_RUNNING = 1, RUN_WRITTEN = 2 };

static sd_bus *bus;
static const char *object;

static int fail(const char *what, const sd_bus_error *error, int r) {
  fprintf(stderr, "draw_plan: %s: %s\n", what, error && error->message ? error->message : strerror(-r));
  return 1;
}

/* Calls a member whose arguments are all given by `types` (sd-bus's
 * varargs form); the options dictionary is left out. */
#define CALL(member, types, ...)                                                            \
  do {                                                                                       \
    sd_bus_error e = SD_BUS_ERROR_NULL;                                                      \
    int r = sd_bus_call_method(bus, BUS_NAME, object, OBJECT_INTERFACE, member, &e, NULL,    \
                               types, __VA_ARGS__);                                          \
    if (r < 0) return fail(member, &e, r);                                                   \
  } while (0)

static int ran_out;
static int run_state;
static char run_path[4096], run_message[4096];

static int on_run_ended(sd_bus_message *m, void *userdata, sd_bus_error *error) {
  const char *path, *message;
  (void)userdata;
  (void)error;
  if (sd_bus_message_read(m, "iss", &run_state, &path, &message) >= 0) {
    snprintf(run_path, sizeof run_path, "%s", path);
    snprintf(run_message, sizeof run_message, "%s", message);
    ran_out = 1;
  }
  return 0;
}

static int draw(const char *out) {
  /* Optional arguments travel in a dictionary of variants: vPen and vStyl
   * as 32-bit integers, vHeight as a double. */
  CALL("put_PaperSize", "i", 3);
  CALL("put_FileName", "s", out);
  CALL("put_LayerName", "ns", (int16_t)1, "外枠");
  CALL("put_LayerName", "ns", (int16_t)2, "護岸");
  CALL("Sen", "dddd", 0.0, 0.0, 400.0, 0.0);
  CALL("Sen", "dddda{sv}", 400.0, 0.0, 400.0, 280.0, 1, "vPen", "i", 2);
  CALL("Sen", "dddda{sv}", 0.0, 280.0, 400.0, 280.0, 2, "vPen", "i", 3, "vStyl", "i", 1);
  CALL("En", "ddda{sv}", 200.0, 140.0, 50.0, 1, "vLayer", "i", 2);
  CALL("Enko", "ddddd", 100.0, 100.0, 30.0, 0.0, 90.0);
  CALL("Moji", "ddsa{sv}", 200.0, 20.0, "河川横断図", 2, "vHeight", "d", 5.0, "vKiten", "i", 1);
  CALL("OutPutPlamor", "s", "M_G_L.KVD");
  return 0;
}

int main(int argc, char **argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: draw_plan OUT.dxf\n");
    return 2;
  }
  char *out = realpath(argv[1], NULL);
  if (!out) {
    /* The file need not exist yet: make its path absolute by hand. */
    char cwd[4096];
    if (argv[1][0] == '/' || !getcwd(cwd, sizeof cwd)) out = strdup(argv[1]);
    else if (asprintf(&out, "%s/%s", cwd, argv[1]) < 0) return 1;
  }
  int r = sd_bus_open_user(&bus);
  if (r < 0) return fail("session bus", NULL, r);

  sd_bus_error e = SD_BUS_ERROR_NULL;
  sd_bus_message *reply = NULL;
  r = sd_bus_call_method(bus, BUS_NAME, FACTORY_PATH, FACTORY_INTERFACE, "Create", &e, &reply, "s", BUS_NAME);
  if (r < 0) return fail("Create", &e, r);
  const char *path;
  sd_bus_message_read(reply, "o", &path);
  object = strdup(path);
  sd_bus_message_unref(reply);

  /* Subscribe before the run starts, so that its end cannot be missed. */
  r = sd_bus_match_signal(bus, NULL, BUS_NAME, object, OBJECT_INTERFACE, "RunEnded", on_run_ended, NULL);
  if (r < 0) return fail("RunEnded", NULL, r);
  int status = draw(out);
  while (status == 0 && !ran_out) {
    r = sd_bus_process(bus, NULL);
    if (r < 0) return fail("waiting for the run", NULL, r);
    if (r == 0) sd_bus_wait(bus, (uint64_t)-1);
  }
  if (status == 0 && run_state != RUN_WRITTEN) {
    fprintf(stderr, "draw_plan: the run ended without a file (state %d): %s\n", run_state, run_message);
    status = 1;
  } else if (status == 0) {
    printf("%s\n", run_path);
  }
  sd_bus_call_method(bus, BUS_NAME, FACTORY_PATH, FACTORY_INTERFACE, "Release", NULL, NULL, "o", object);
  sd_bus_flush_close_unref(bus);
  free(out);
  return status;
}
