// A fake adb for bench_click: appends the CLOCK_MONOTONIC time it came up at
// (in nanoseconds) to the file BENCH_STAMPS names. Linked statically, so
// that no loader stands between the execve and this line.
#include <cstdio>
#include <cstdlib>
#include <ctime>

int main() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    const char* file = std::getenv("BENCH_STAMPS");
    if (!file) return 1;
    FILE* f = std::fopen(file, "a");
    if (!f) return 1;
    std::fprintf(f, "%lld\n", static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec);
    std::fclose(f);
    return 0;
}
