// Measures a program's start-up from outside: starts it, waits for the X server to report
// that one of its windows is mapped, kills it, and prints the wall time to that moment in
// milliseconds and the program's peak resident memory in kilobytes. The program itself is
// not changed or told anything; the probe listens for MapNotify on the root window, so
// it is woken by the event rather than polling.
//   startup_probe PROGRAM [ARGUMENTS...]   (DISPLAY names an X server without other clients)
#include <xcb/xcb.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

double Now_Ms()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PROGRAM [ARGUMENTS...]\n", argv[0]);
        return 2;
    }
    xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "startup_probe: cannot connect to the X server\n");
        return 2;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_void_cookie_t cookie =
        xcb_change_window_attributes_checked(connection, root, XCB_CW_EVENT_MASK, &mask);
    if (xcb_generic_error_t *error = xcb_request_check(connection, cookie)) {
        std::fprintf(stderr, "startup_probe: cannot watch the root window\n");
        std::free(error);
        return 2;
    }

    const double start = Now_Ms();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[1], argv + 1);
        _exit(127);
    }

    double mapped = -1;
    pollfd watch{xcb_get_file_descriptor(connection), POLLIN, 0};
    while (mapped < 0) {
        while (xcb_generic_event_t *event = xcb_poll_for_event(connection)) {
            if ((event->response_type & ~0x80) == XCB_MAP_NOTIFY && mapped < 0)
                mapped = Now_Ms();
            std::free(event);
        }
        if (mapped >= 0)
            break;
        if (xcb_connection_has_error(connection) || poll(&watch, 1, 30000) <= 0)
            break;
    }

    kill(child, SIGKILL);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    xcb_disconnect(connection);
    if (mapped < 0) {
        std::fprintf(stderr, "startup_probe: %s never mapped a window\n", argv[1]);
        return 1;
    }
    std::printf("%.2f %ld\n", mapped - start, usage.ru_maxrss);
    return 0;
}
