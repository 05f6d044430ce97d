// Start-up to the first painted frame: Ortolino with a fresh home (first start:
// the font notice is its first window), Ortolino with a warm home (the splash),
// a bare full-screen Qt window, and the same bare program showing its window
// as Ortolino shows its own (bare_window --covering), in turns in one loop.
// Run it on a screen of its own, bare or with a window manager:
//   xvfb-run -a -s "-screen 0 1280x800x24" build/bin/bench_startup [RUNS [OTHER]]
//   xvfb-run -a -s "-screen 0 1280x800x24" sh -c 'openbox & sleep 1; build/bin/bench_startup'
// OTHER is another build of ortolino (say, before a change), measured warm in
// the same loop.
// It watches the X server: every top-level window gets a DAMAGE object as soon
// as it is created, and the first drawing into a mapped one ends the run. The
// child is then killed. Prints the medians (time on the clock, and CPU time of
// all the child's threads, which a loaded machine disturbs less), the warm
// start's ratio to the bare window (the target is 1.1 at most) and the shared
// libraries mapped by then. Both run inside a D-Bus session, as on a desktop.
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <set>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>
#include <xcb/damage.h>
#include <xcb/xcb.h>

namespace {

using Clock = std::chrono::steady_clock;

struct Home
{
    std::string root;
    std::vector<std::string> variables() const
    {
        return {"XDG_CONFIG_HOME=" + root + "/config", "XDG_DATA_HOME=" + root + "/data",
                "XDG_RUNTIME_DIR=" + root + "/runtime"};
    }
};

Home freshHome()
{
    char pattern[] = "/tmp/ortolino-startup-XXXXXX";
    const char* made = mkdtemp(pattern);
    if (made == nullptr) {
        std::perror("mkdtemp");
        std::exit(1);
    }
    Home home{made};
    // A new user's home: the configuration and data folders exist, empty.
    mkdir((home.root + "/config").c_str(), 0700);
    mkdir((home.root + "/data").c_str(), 0700);
    mkdir((home.root + "/runtime").c_str(), 0700);
    return home;
}

void removeHome(const Home& home)
{
    const std::string command = "rm -rf '" + home.root + "'";
    if (std::system(command.c_str()) != 0)
        std::fprintf(stderr, "could not remove %s\n", home.root.c_str());
}

// CPU time the process has used so far, all threads, in milliseconds: on a
// loaded machine it varies far less than the time on the clock.
double cpuMilliseconds(pid_t pid)
{
    double total = 0;
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    if (DIR* folder = opendir(tasks.c_str())) {
        while (const dirent* task = readdir(folder)) {
            if (task->d_name[0] == '.')
                continue;
            std::ifstream schedstat(tasks + "/" + task->d_name + "/schedstat");
            double nanoseconds = 0;
            if (schedstat >> nanoseconds)
                total += nanoseconds / 1e6;
        }
        closedir(folder);
    }
    return total;
}

// Distinct shared libraries mapped by a process.
int sharedLibraries(pid_t pid)
{
    std::ifstream maps("/proc/" + std::to_string(pid) + "/maps");
    std::set<std::string> libraries;
    std::string line;
    while (std::getline(maps, line)) {
        const size_t slash = line.find('/');
        if (slash != std::string::npos && line.find(".so", slash) != std::string::npos)
            libraries.insert(line.substr(slash));
    }
    return int(libraries.size());
}

class Screen
{
public:
    Screen()
    {
        connection_ = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(connection_)) {
            std::fputs("no X display: run under xvfb-run\n", stderr);
            std::exit(1);
        }
        const xcb_query_extension_reply_t* damage =
            xcb_get_extension_data(connection_, &xcb_damage_id);
        if (damage == nullptr || !damage->present) {
            std::fputs("the X server has no DAMAGE extension\n", stderr);
            std::exit(1);
        }
        damageEvent_ = damage->first_event + XCB_DAMAGE_NOTIFY;
        free(xcb_damage_query_version_reply(connection_,
                                            xcb_damage_query_version(connection_, 1, 1), nullptr));
        root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(connection_);
    }
    ~Screen() { xcb_disconnect(connection_); }

    struct Frame
    {
        double ms = -1;
        double cpuMs = -1;
        int libraries = 0;
    };

    // Starts the program and waits for its first drawn frame (30 s at most).
    // `keepFrames` frames are awaited (on distinct windows) before the child
    // is killed; `between` runs after each frame but the last.
    Frame run(const std::vector<std::string>& command, const std::vector<std::string>& environment,
              int keepFrames = 1, void (*between)(uint32_t window) = nullptr)
    {
        mapped_.clear();
        drawn_.clear();
        const Clock::time_point start = Clock::now();
        const pid_t child = fork();
        if (child == 0) {
            for (const std::string& variable : environment)
                putenv(strdup(variable.c_str()));
            std::vector<char*> argv;
            for (const std::string& word : command)
                argv.push_back(strdup(word.c_str()));
            argv.push_back(nullptr);
            execv(argv[0], argv.data());
            std::_Exit(127);
        }
        Frame frame;
        int frames = 0;
        while (frames < keepFrames) {
            xcb_generic_event_t* event = waitForEvent(start);
            if (event == nullptr)
                break;
            const uint8_t type = event->response_type & 0x7f;
            if (type == XCB_CREATE_NOTIFY) {
                const auto* created = reinterpret_cast<xcb_create_notify_event_t*>(event);
                xcb_damage_create(connection_, xcb_generate_id(connection_), created->window,
                                  XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
                xcb_flush(connection_);
            } else if (type == XCB_MAP_NOTIFY) {
                mapped_.insert(reinterpret_cast<xcb_map_notify_event_t*>(event)->window);
            } else if (type == damageEvent_) {
                const auto* damage = reinterpret_cast<xcb_damage_notify_event_t*>(event);
                if (mapped_.count(damage->drawable) != 0 &&
                    drawn_.insert(damage->drawable).second) {
                    if (++frames == 1) {
                        frame.ms =
                            std::chrono::duration<double, std::milli>(Clock::now() - start).count();
                        frame.cpuMs = cpuMilliseconds(child);
                        frame.libraries = sharedLibraries(child);
                    }
                    if (frames < keepFrames && between != nullptr)
                        between(damage->drawable);
                }
            }
            free(event);
        }
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        settle();
        return frame;
    }

private:
    xcb_generic_event_t* waitForEvent(Clock::time_point start)
    {
        while (Clock::now() - start < std::chrono::seconds(30)) {
            if (xcb_generic_event_t* event = xcb_poll_for_event(connection_))
                return event;
            if (xcb_connection_has_error(connection_))
                return nullptr;
            usleep(100);
        }
        std::fputs("no frame within 30 s\n", stderr);
        return nullptr;
    }

    // Lets the killed program's windows go and drops their events.
    void settle()
    {
        usleep(200'000);
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection_))
            free(event);
    }

    xcb_connection_t* connection_ = nullptr;
    xcb_window_t root_ = 0;
    uint8_t damageEvent_ = 0;
    std::set<uint32_t> mapped_;
    std::set<uint32_t> drawn_;
};

double median(std::vector<double> values)
{
    if (values.empty())
        return -1;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// The first start's font notice is answered, so that the home is left as a
// person's would be after it.
void answerNotice(uint32_t window)
{
    const std::string command = "xdotool mousemove --window " + std::to_string(window) +
                                " 5 5 sleep 0.3 key Return >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0)
        std::fputs("xdotool could not answer the font notice\n", stderr);
}

std::string beside(const char* argv0, const char* name)
{
    std::string path = argv0;
    const size_t slash = path.rfind('/');
    return (slash == std::string::npos ? std::string(".") : path.substr(0, slash)) + "/" + name;
}

} // namespace

int main(int argc, char* argv[])
{
    // A desktop session has a D-Bus session bus, which Qt's accessibility
    // bridge joins with the first window's controls. Without one, every start
    // would launch a bus helper on the way to its first frame, something no
    // user's start pays: measure inside a session of its own instead.
    if (std::getenv("DBUS_SESSION_BUS_ADDRESS") == nullptr) {
        std::vector<char*> command{const_cast<char*>("dbus-run-session"), const_cast<char*>("--")};
        command.insert(command.end(), argv, argv + argc);
        command.push_back(nullptr);
        execvp(command[0], command.data());
        std::fputs("dbus-run-session not found: starts include launching a session bus\n", stderr);
    }
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    const std::string ortolino = beside(argv[0], "ortolino");
    const std::string bare = beside(argv[0], "bare_window");
    const std::string other = argc > 2 ? argv[2] : "";
    Screen screen;

    // The warm home: one start whose font notice is answered and whose splash
    // is then shown.
    const Home warm = freshHome();
    screen.run({ortolino}, warm.variables(), 2, answerNotice);

    std::vector<double> bareMs, coveringMs, warmMs, freshMs, otherMs, bareCpu, warmCpu, otherCpu;
    int bareLibraries = 0, warmLibraries = 0, otherLibraries = 0;
    for (int i = 0; i < runs; ++i) {
        const Screen::Frame b = screen.run({bare}, warm.variables());
        const Screen::Frame c = screen.run({bare, "--covering"}, warm.variables());
        const Screen::Frame w = screen.run({ortolino}, warm.variables());
        if (!other.empty()) {
            const Screen::Frame o = screen.run({other}, warm.variables());
            otherMs.push_back(o.ms);
            otherCpu.push_back(o.cpuMs);
            otherLibraries = o.libraries;
        }
        const Home fresh = freshHome();
        const Screen::Frame f = screen.run({ortolino}, fresh.variables());
        removeHome(fresh);
        if (b.ms < 0 || c.ms < 0 || w.ms < 0 || f.ms < 0)
            return 1;
        bareMs.push_back(b.ms);
        coveringMs.push_back(c.ms);
        warmMs.push_back(w.ms);
        bareCpu.push_back(b.cpuMs);
        warmCpu.push_back(w.cpuMs);
        freshMs.push_back(f.ms);
        bareLibraries = b.libraries;
        warmLibraries = w.libraries;
    }
    removeHome(warm);

    std::printf("start to first painted frame, median of %d runs\n", runs);
    std::printf("  bare full-screen Qt window: %7.1f ms, CPU %6.1f ms  (%d shared libraries)\n",
                median(bareMs), median(bareCpu), bareLibraries);
    std::printf("  Ortolino, warm home:        %7.1f ms, CPU %6.1f ms  (%d shared libraries)\n",
                median(warmMs), median(warmCpu), warmLibraries);
    std::printf("  Ortolino, fresh home:       %7.1f ms  (the font notice)\n", median(freshMs));
    std::printf("  warm / bare: %.2f, in CPU time %.2f (target: 1.10 at most)\n",
                median(warmMs) / median(bareMs), median(warmCpu) / median(bareCpu));
    std::printf("  bare window shown as Ortolino shows its own (--covering): %.1f ms; "
                "warm / it: %.2f\n",
                median(coveringMs), median(warmMs) / median(coveringMs));
    if (!other.empty()) {
        std::printf("  %s, warm home: %.1f ms, CPU %.1f ms (%d shared libraries); / bare: %.2f, "
                    "in CPU time %.2f\n",
                    other.c_str(), median(otherMs), median(otherCpu), otherLibraries,
                    median(otherMs) / median(bareMs), median(otherCpu) / median(bareCpu));
    }
    return 0;
}
