// map_timer TITLE PROGRAM [ARGUMENT...]
//
// Starts PROGRAM and waits, on the X server named by $DISPLAY, for the first
// top-level window whose title begins with TITLE to be mapped (Qt may add the
// application's display name after a window's own title), and then for that
// window's first drawing: the first X Damage event on it, which is when the user
// first sees the window's content. Prints one line:
//
//   startup_ms=<fork to MapNotify> vmhwm_kb=<peak RSS then> vmrss_kb=<RSS then>
//   rssanon_kb=<the anonymous part of RSS then: heap and stacks, no mapped files>
//   cpu_ms=<processor time the program's threads had used by then>
//   drawn_ms=<fork to the first drawing> drawn_vmhwm_kb=<peak RSS then>
//   drawn_cpu_ms=<processor time by then>
//
// then kills the program. The processor time leaves out the time spent waiting for
// a processor, so it shows what the program itself did even on a busy machine.
// With MAP_TIMER_SMAPS=FILE in its environment, map_timer also copies the program's
// /proc/PID/smaps at the map to FILE, to see what the memory is made of; with
// MAP_TIMER_DRAWN_SMAPS=FILE, at the first drawing too.
//
// With MAP_TIMER_THEN=COMMAND, map_timer does not stop at the first window: once it
// is drawn, it gives it the input focus, waits MAP_TIMER_PAUSE_MS (200 unless set),
// runs COMMAND through the shell (with MAP_TIMER_WINDOW set to that window's id, for
// xdotool), waits for the next window with the same title to be mapped and drawn,
// and adds
//
//   then_ms=<COMMAND's start to the second window's map>
//   then_drawn_ms=<COMMAND's start to the second window's first drawing>
//   total_ms=<fork to the second window's first drawing>
//   then_vmhwm_kb=<peak RSS then>
//   then_cpu_ms=<processor time the program used from COMMAND's start to then>
//
// to the line. bench/startup.sh uses it to time the keys for a name and the button,
// typed at once by xdotool, to a shown reading. The pause stands for the user, who
// does not type the moment the window appears: keys sent at once reach a Qt program
// before it has taken in the focus, and its input method then skips the work it
// does at a user's first key (loading the compose table).
//
// It listens for the server's events on the root window instead of polling
// (xdotool search --sync polls twice a second), so the figures are exact to the
// event's delivery. It asks for Damage events on every top-level window as it is
// created, before the program can draw in it. Without a window manager a top-level
// window is a child of the root, which is how bench/startup.sh runs it.
// Exit status: 0 measured, 1 usage or X error, 2 the program ended or timed out.
#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <memory>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

double monotonicMs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

xcb_atom_t atom(xcb_connection_t *c, const char *name) {
    const auto cookie = xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name);
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(c, cookie, nullptr), &std::free);
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

std::string property(xcb_connection_t *c, xcb_window_t w, xcb_atom_t name, xcb_atom_t type) {
    const auto cookie = xcb_get_property(c, 0, w, name, type, 0, 1024);
    std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
        xcb_get_property_reply(c, cookie, nullptr), &std::free);
    if (!reply || reply->type == XCB_ATOM_NONE)
        return {};
    return std::string(static_cast<const char *>(xcb_get_property_value(reply.get())),
                       static_cast<std::size_t>(xcb_get_property_value_length(reply.get())));
}

long statusField(pid_t pid, const char *field) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    const std::string prefix = std::string(field) + ":";
    for (std::string line; std::getline(status, line);)
        if (line.rfind(prefix, 0) == 0)
            return std::strtol(line.c_str() + prefix.size(), nullptr, 10);
    return -1;
}

// The time on a processor of all the program's threads, from the scheduler's figures.
double cpuMs(pid_t pid) {
    std::error_code error;
    double ns = 0;
    for (const auto &task :
         std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/task", error)) {
        std::ifstream schedstat(task.path() / "schedstat");
        double onCpu = 0;
        if (schedstat >> onCpu)
            ns += onCpu;
    }
    return ns / 1e6;
}

void copySmaps(pid_t pid, const char *path) {
    std::ifstream from("/proc/" + std::to_string(pid) + "/smaps");
    std::ofstream to(path);
    to << from.rdbuf();
}

struct Memory {
    long hwm = 0;
    long rss = 0;
    long anon = 0;
    double cpu = 0;
};

// Read at once: the program goes on while map_timer asks the server anything.
Memory memoryOf(pid_t pid) {
    return {statusField(pid, "VmHWM"), statusField(pid, "VmRSS"), statusField(pid, "RssAnon"),
            cpuMs(pid)};
}

bool startDamage(xcb_connection_t *c) {
    const xcb_query_extension_reply_t *extension = xcb_get_extension_data(c, &xcb_damage_id);
    if (!extension || !extension->present)
        return false;
    std::unique_ptr<xcb_damage_query_version_reply_t, decltype(&std::free)> version(
        xcb_damage_query_version_reply(
            c, xcb_damage_query_version(c, XCB_DAMAGE_MAJOR_VERSION, XCB_DAMAGE_MINOR_VERSION),
            nullptr),
        &std::free);
    return version != nullptr;
}

void stop(pid_t pid) {
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

} // namespace

int main(int argc, char *argv[]) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s TITLE PROGRAM [ARGUMENT...]\n", argv[0]);
        return 1;
    }
    const std::string title = argv[1];
    constexpr double kGiveUpMs = 30000;

    // A busy server now and then refuses a connection; try again before giving up.
    xcb_connection_t *c = nullptr;
    int failure = 0;
    for (int attempt = 0; attempt < 50; ++attempt) {
        c = xcb_connect(nullptr, nullptr);
        failure = xcb_connection_has_error(c);
        if (!failure)
            break;
        xcb_disconnect(c);
        usleep(20000);
    }
    if (failure) {
        std::fprintf(stderr, "map_timer: cannot open the display (xcb error %d)\n", failure);
        return 1;
    }
    if (!startDamage(c)) {
        std::fprintf(stderr, "map_timer: the X server has no DAMAGE extension\n");
        return 1;
    }
    const uint8_t damageNotify =
        xcb_get_extension_data(c, &xcb_damage_id)->first_event + XCB_DAMAGE_NOTIFY;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const xcb_atom_t netWmName = atom(c, "_NET_WM_NAME");
    const xcb_atom_t utf8 = atom(c, "UTF8_STRING");
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_generic_error_t *error = xcb_request_check(
        c, xcb_change_window_attributes_checked(c, root, XCB_CW_EVENT_MASK, &mask));
    if (error) {
        std::free(error);
        std::fprintf(stderr, "map_timer: cannot watch the root window\n");
        return 1;
    }

    const double start = monotonicMs();
    const pid_t pid = fork();
    if (pid < 0) {
        std::perror("map_timer: fork");
        return 1;
    }
    if (pid == 0) {
        close(xcb_get_file_descriptor(c));
        execvp(argv[2], argv + 2);
        std::perror("map_timer: exec");
        _exit(127);
    }

    const char *then = std::getenv("MAP_TIMER_THEN");
    const bool waitForSecond = then && *then;
    const char *pause = std::getenv("MAP_TIMER_PAUSE_MS");
    const double pauseMs = pause && *pause ? std::strtod(pause, nullptr) : 200;
    double keysDue = 0;                    // when to run COMMAND, once the first window is drawn
    xcb_window_t first = XCB_WINDOW_NONE;  // the first window with the title, once mapped
    xcb_window_t second = XCB_WINDOW_NONE; // the next one, with MAP_TIMER_THEN
    bool firstDrawn = false;
    double keysStarted = 0;
    double keysCpu = 0;
    pid_t thenPid = 0;
    pollfd watch{xcb_get_file_descriptor(c), POLLIN, 0};
    for (;;) {
        while (xcb_generic_event_t *event = xcb_poll_for_event(c)) {
            const double now = monotonicMs();
            const uint8_t type = event->response_type & 0x7f;
            if (type == XCB_CREATE_NOTIFY) {
                // Damage is asked for on every top-level window before the program can draw
                // in it; the title is known only later, at the map.
                const auto *created = reinterpret_cast<xcb_create_notify_event_t *>(event);
                if (created->parent == root) {
                    xcb_damage_create(c, xcb_generate_id(c), created->window,
                                      XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
                    xcb_flush(c);
                }
            } else if (type == XCB_MAP_NOTIFY) {
                const Memory memory = memoryOf(pid);
                const char *smaps = std::getenv("MAP_TIMER_SMAPS");
                if (smaps && *smaps && first == XCB_WINDOW_NONE)
                    copySmaps(pid, smaps);
                const auto *map = reinterpret_cast<xcb_map_notify_event_t *>(event);
                std::string name = property(c, map->window, netWmName, utf8);
                if (name.empty())
                    name = property(c, map->window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING);
                if (name.rfind(title, 0) == 0 && !map->override_redirect) {
                    if (first == XCB_WINDOW_NONE) {
                        std::printf("startup_ms=%.3f vmhwm_kb=%ld vmrss_kb=%ld rssanon_kb=%ld "
                                    "cpu_ms=%.3f",
                                    now - start, memory.hwm, memory.rss, memory.anon, memory.cpu);
                        first = map->window;
                    } else if (keysStarted > 0 && second == XCB_WINDOW_NONE &&
                               map->window != first) {
                        std::printf(" then_ms=%.3f", now - keysStarted);
                        second = map->window;
                    }
                }
            } else if (type == damageNotify) {
                const auto *damage = reinterpret_cast<xcb_damage_notify_event_t *>(event);
                bool done = false;
                if (damage->drawable == first && first != XCB_WINDOW_NONE && !firstDrawn) {
                    const Memory memory = memoryOf(pid);
                    const char *drawnSmaps = std::getenv("MAP_TIMER_DRAWN_SMAPS");
                    if (drawnSmaps && *drawnSmaps)
                        copySmaps(pid, drawnSmaps);
                    std::printf(" drawn_ms=%.3f drawn_vmhwm_kb=%ld drawn_cpu_ms=%.3f", now - start,
                                memory.hwm, memory.cpu);
                    firstDrawn = true;
                    done = !waitForSecond;
                    if (waitForSecond) {
                        xcb_set_input_focus(c, XCB_INPUT_FOCUS_POINTER_ROOT, first,
                                            XCB_CURRENT_TIME);
                        xcb_flush(c);
                        keysDue = monotonicMs() + pauseMs;
                    }
                } else if (damage->drawable == second && second != XCB_WINDOW_NONE) {
                    const Memory memory = memoryOf(pid);
                    std::printf(" then_drawn_ms=%.3f total_ms=%.3f then_vmhwm_kb=%ld "
                                "then_cpu_ms=%.3f",
                                now - keysStarted, now - start, memory.hwm, memory.cpu - keysCpu);
                    done = true;
                }
                if (done) {
                    std::printf("\n");
                    std::fflush(stdout);
                    std::free(event);
                    if (thenPid > 0)
                        waitpid(thenPid, nullptr, 0);
                    stop(pid);
                    xcb_disconnect(c);
                    return 0;
                }
            }
            std::free(event);
        }
        if (xcb_connection_has_error(c)) {
            std::fprintf(stderr, "map_timer: lost the display\n");
            stop(pid);
            return 1;
        }
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            std::fprintf(stderr, "map_timer: %s ended (status %d) before showing \"%s\"\n", argv[2],
                         status, title.c_str());
            return 2;
        }
        if (monotonicMs() - start > kGiveUpMs) {
            std::fprintf(stderr, "map_timer: no window \"%s\" drawn within %.0f s\n", title.c_str(),
                         kGiveUpMs / 1000);
            stop(pid);
            return 2;
        }
        if (keysDue > 0 && keysStarted == 0 && monotonicMs() >= keysDue) {
            std::fflush(stdout);
            keysCpu = cpuMs(pid);
            keysStarted = monotonicMs();
            thenPid = fork();
            if (thenPid == 0) {
                close(xcb_get_file_descriptor(c));
                setenv("MAP_TIMER_WINDOW", std::to_string(first).c_str(), 1);
                execl("/bin/sh", "sh", "-c", then, static_cast<char *>(nullptr));
                _exit(127);
            }
        }
        int waitMs = 100;
        if (keysDue > 0 && keysStarted == 0)
            waitMs = std::clamp(static_cast<int>(keysDue - monotonicMs()) + 1, 0, waitMs);
        if (poll(&watch, 1, waitMs) < 0 && errno != EINTR) {
            std::perror("map_timer: poll");
            stop(pid);
            return 1;
        }
    }
}
