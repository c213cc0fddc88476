// From exec to the first mapped and painted top-level window of a program,
// seen from outside: the X server is watched for the program's windows being
// mapped, and a mapped window that fits (title and size) is read back until
// its pixels are no longer one plain fill, which is when the program has drawn
// into it. The program itself is left as it is.
//
//   bench_firstpaint [--name TEXT] [--size WxH] [--rss-after MS] [--timeout MS]
//                    [--save FILE] -- PROGRAM [ARGS...]
//
// --name   a part of the window's title (WM_NAME or _NET_WM_NAME)
// --size   the least width and height the window must have
// --rss-after  after the paint, wait this long and read the program's
//          resident memory
// --save   write the window as it was then to a PPM file
// Prints "map_ms=…" (when the window that counted was mapped) and
// "paint_ms=…" (and "rss_kb=…", "anon_kb=…": all resident memory, and the
// part of it that is the program's own rather than pages of files such as
// libraries and typefaces), then ends the program. Needs DISPLAY
// with no window manager (the top-level windows are the root's children).
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <map>
#include <memory>
#include <string>

namespace {

double nowMs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

template <typename T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;
template <typename T>
Reply<T> reply(T* r) {
    return Reply<T>(r, &std::free);
}

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    auto r = reply(xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
    return r ? r->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

struct Options {
    std::string name;
    unsigned width = 0, height = 0;
    int rssAfterMs = -1;
    int timeoutMs = 30000;
    std::string save;
    char** argv = nullptr;
};

bool parse(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--" && i + 1 < argc) {
            o.argv = argv + i + 1;
            return true;
        }
        if (i + 1 >= argc) return false;
        if (a == "--name")
            o.name = argv[++i];
        else if (a == "--size") {
            if (std::sscanf(argv[++i], "%ux%u", &o.width, &o.height) != 2) return false;
        } else if (a == "--rss-after")
            o.rssAfterMs = std::atoi(argv[++i]);
        else if (a == "--timeout")
            o.timeoutMs = std::atoi(argv[++i]);
        else if (a == "--save")
            o.save = argv[++i];
        else
            return false;
    }
    return false;
}

class Watch {
public:
    Watch(xcb_connection_t* c, const Options& o) : c_(c), o_(o) {
        root_ = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
        netName_ = atom(c, "_NET_WM_NAME");
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(c, root_, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(c);
    }

    // A window that fits and shows more than one colour.
    bool painted(xcb_window_t w) {
        auto attr =
            reply(xcb_get_window_attributes_reply(c_, xcb_get_window_attributes(c_, w), nullptr));
        if (!attr || attr->map_state != XCB_MAP_STATE_VIEWABLE) return false;
        auto geo = reply(xcb_get_geometry_reply(c_, xcb_get_geometry(c_, w), nullptr));
        if (!geo || geo->width < o_.width || geo->height < o_.height) return false;
        if (!o_.name.empty() && title(w).find(o_.name) == std::string::npos) return false;
        auto img = reply(xcb_get_image_reply(
            c_, xcb_get_image(c_, XCB_IMAGE_FORMAT_Z_PIXMAP, w, 0, 0, geo->width, geo->height, ~0u),
            nullptr));
        if (!img) return false;
        const auto* p = reinterpret_cast<const uint32_t*>(xcb_get_image_data(img.get()));
        const int n = xcb_get_image_data_length(img.get()) / 4;
        for (int i = 1; i < n; ++i) {
            if ((p[i] & 0xffffff) == (p[0] & 0xffffff)) continue;
            if (!o_.save.empty()) save(p, geo->width, geo->height);
            return true;
        }
        return false;
    }

    // Waits for a fitting window to be painted; the time it was seen, or a
    // negative number at the timeout or when the program ended.
    double run(pid_t child, double deadline) {
        std::map<xcb_window_t, double> mapped;  // and when it was seen mapped
        while (nowMs() < deadline) {
            while (xcb_generic_event_t* e = xcb_poll_for_event(c_)) {
                const auto type = e->response_type & 0x7f;
                if (type == XCB_MAP_NOTIFY)
                    mapped.emplace(reinterpret_cast<xcb_map_notify_event_t*>(e)->window, nowMs());
                else if (type == XCB_UNMAP_NOTIFY)
                    mapped.erase(reinterpret_cast<xcb_unmap_notify_event_t*>(e)->window);
                else if (type == XCB_DESTROY_NOTIFY)
                    mapped.erase(reinterpret_cast<xcb_destroy_notify_event_t*>(e)->window);
                std::free(e);
            }
            if (xcb_connection_has_error(c_)) return -1;
            for (const auto& [w, at] : mapped) {
                if (painted(w)) {
                    mappedAt = at;
                    return nowMs();
                }
            }
            int status = 0;
            if (waitpid(child, &status, WNOHANG) == child) return -1;
            usleep(mapped.empty() ? 500 : 1000);
        }
        return -1;
    }

    double mappedAt = 0;  // when the painted window was mapped

private:
    // The window as it was when it counted as painted, for a look.
    void save(const uint32_t* p, unsigned width, unsigned height) {
        std::ofstream out(o_.save, std::ios::binary);
        out << "P6\n" << width << ' ' << height << "\n255\n";
        for (unsigned i = 0; i < width * height; ++i) {
            const char rgb[3] = {static_cast<char>(p[i] >> 16), static_cast<char>(p[i] >> 8),
                                 static_cast<char>(p[i])};
            out.write(rgb, 3);
        }
    }

    std::string title(xcb_window_t w) {
        for (xcb_atom_t property : {netName_, static_cast<xcb_atom_t>(XCB_ATOM_WM_NAME)}) {
            auto r = reply(xcb_get_property_reply(
                c_, xcb_get_property(c_, 0, w, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 4096),
                nullptr));
            if (r && xcb_get_property_value_length(r.get()) > 0)
                return std::string(
                    static_cast<const char*>(xcb_get_property_value(r.get())),
                    static_cast<std::size_t>(xcb_get_property_value_length(r.get())));
        }
        return {};
    }

    xcb_connection_t* c_;
    const Options& o_;
    xcb_window_t root_ = 0;
    xcb_atom_t netName_ = 0;
};

// A line of a /proc file that starts with the key, as a number.
long procValue(pid_t pid, const char* file, const std::string& key) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/" + file);
    std::string line;
    while (std::getline(in, line))
        if (line.rfind(key, 0) == 0) return std::atol(line.c_str() + key.size());
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    if (!parse(argc, argv, o)) {
        std::fprintf(stderr,
                     "usage: bench_firstpaint [--name TEXT] [--size WxH] [--rss-after MS] "
                     "[--timeout MS] [--save FILE] -- PROGRAM [ARGS...]\n");
        return 2;
    }
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "bench_firstpaint: no X display\n");
        return 2;
    }
    Watch watch(c, o);

    const double start = nowMs();
    const pid_t child = fork();
    if (child == 0) {
        setpgid(0, 0);
        execvp(o.argv[0], o.argv);
        _exit(127);
    }
    const double seen = watch.run(child, start + o.timeoutMs);
    int rc = 0;
    if (seen < 0) {
        std::fprintf(stderr, "bench_firstpaint: no painted window of %s\n", o.argv[0]);
        rc = 1;
    } else {
        std::printf("map_ms=%.1f\npaint_ms=%.1f\n", watch.mappedAt - start, seen - start);
        if (o.rssAfterMs >= 0) {
            usleep(static_cast<useconds_t>(o.rssAfterMs) * 1000);
            std::printf("rss_kb=%ld\nanon_kb=%ld\n", procValue(child, "status", "VmRSS:"),
                        procValue(child, "smaps_rollup", "Anonymous:"));
        }
    }
    std::fflush(stdout);
    kill(-child, SIGTERM);
    int status = 0;
    waitpid(child, &status, 0);
    xcb_disconnect(c);
    return rc;
}
