// A second baseline: an empty process that loads the C++ runtime library,
// as the executable does; separates that cost from the stub's own work.
#include <string>

int main() {
    static const std::string nothing;
    return static_cast<int>(nothing.size());
}
