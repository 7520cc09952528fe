// Start-up as a user waits for it: starts a program and prints the milliseconds from the start
// of its process to the moment the X server maps its first top-level window. The window is then
// closed by ending the process, which therefore writes nothing. bench/startup_to_map.sh runs it.
//
//   startup_to_map PROGRAM [ARGUMENTS...]
#include <signal.h>
#include <sys/select.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kTimeout = std::chrono::seconds(20);

struct Reply {
    void operator()(void* p) const { std::free(p); }
};

xcb_atom_t atom(xcb_connection_t* x, const char* name) {
    const auto cookie = xcb_intern_atom(x, 0, static_cast<uint16_t>(std::strlen(name)), name);
    std::unique_ptr<xcb_intern_atom_reply_t, Reply> reply(
        xcb_intern_atom_reply(x, cookie, nullptr));
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

// The process that owns a window, as the toolkit announces it; none when it says nothing.
std::optional<uint32_t> windowPid(xcb_connection_t* x, xcb_window_t window, xcb_atom_t pidAtom) {
    const auto cookie = xcb_get_property(x, 0, window, pidAtom, XCB_ATOM_CARDINAL, 0, 1);
    std::unique_ptr<xcb_get_property_reply_t, Reply> reply(
        xcb_get_property_reply(x, cookie, nullptr));
    if (!reply || xcb_get_property_value_length(reply.get()) < 4)
        return std::nullopt;
    return *static_cast<uint32_t*>(xcb_get_property_value(reply.get()));
}

void endProgram(pid_t child) {
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PROGRAM [ARGUMENTS...]\n", argv[0]);
        return 2;
    }
    // A server started a moment ago may not listen yet.
    int screenNumber = 0;
    xcb_connection_t* x = xcb_connect(nullptr, &screenNumber);
    for (int attempt = 0; xcb_connection_has_error(x) && attempt < 40; ++attempt) {
        xcb_disconnect(x);
        usleep(50000);
        x = xcb_connect(nullptr, &screenNumber);
    }
    if (xcb_connection_has_error(x)) {
        std::fprintf(stderr, "startup_to_map: no X display (is DISPLAY set?)\n");
        return 2;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(x));
    for (int i = 0; i < screenNumber; ++i) xcb_screen_next(&screens);
    const xcb_window_t root = screens.data->root;
    const xcb_atom_t pidAtom = atom(x, "_NET_WM_PID");
    // Every window mapped as a child of the root is reported to us.
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_void_cookie_t selected =
        xcb_change_window_attributes_checked(x, root, XCB_CW_EVENT_MASK, &mask);
    if (std::unique_ptr<xcb_generic_error_t, Reply> error(xcb_request_check(x, selected)); error) {
        std::fprintf(stderr, "startup_to_map: cannot watch the root window\n");
        return 2;
    }

    const Clock::time_point start = Clock::now();
    const pid_t child = fork();
    if (child < 0)
        return 2;
    if (child == 0) {
        execv(argv[1], argv + 1);
        std::perror("startup_to_map: exec");
        _exit(127);
    }
    // The event stream is only read while events come; a program that ends early or never maps
    // a window is noticed by polling between them.
    const int fd = xcb_get_file_descriptor(x);
    while (Clock::now() - start < kTimeout) {
        std::unique_ptr<xcb_generic_event_t, Reply> event(xcb_poll_for_event(x));
        if (!event) {
            if (waitpid(child, nullptr, WNOHANG) == child) {
                std::fprintf(stderr, "startup_to_map: the program ended without a window\n");
                return 1;
            }
            fd_set readable;
            FD_ZERO(&readable);
            FD_SET(fd, &readable);
            timeval wait{0, 20000};
            select(fd + 1, &readable, nullptr, nullptr, &wait);
            continue;
        }
        if ((event->response_type & 0x7f) != XCB_MAP_NOTIFY)
            continue;
        const Clock::time_point mapped = Clock::now();
        const auto* map = reinterpret_cast<const xcb_map_notify_event_t*>(event.get());
        const auto pid = windowPid(x, map->window, pidAtom);
        if (pid && *pid != static_cast<uint32_t>(child))
            continue;
        const std::chrono::duration<double, std::milli> elapsed = mapped - start;
        std::printf("%.1f\n", elapsed.count());
        endProgram(child);
        xcb_disconnect(x);
        return 0;
    }
    std::fprintf(stderr, "startup_to_map: no window within %lld s\n",
                 static_cast<long long>(kTimeout.count()));
    endProgram(child);
    return 1;
}
