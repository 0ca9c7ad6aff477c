#include "tests/e2e/installer/WinePrefix.h"

#include <unistd.h>

#include <fstream>

namespace e2e {

namespace {

// Replaces every doubled backslash of a registry file by a single one.
std::string unescaped(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        out += text[i];
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == '\\') ++i;
    }
    return out;
}

// Adds the keys of one registry file, named with root in front: a key's
// line is "[name] time stamp", its values follow until an empty line;
// "#" lines are Wine's bookkeeping.
void readRegistry(const fs::path& file, const std::string& root,
                  std::map<std::string, std::vector<std::string>>& keys) {
    std::ifstream in(file);
    std::vector<std::string>* values = nullptr;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("[", 0) == 0) {
            values = &keys[root + unescaped(line.substr(1, line.find(']') - 1))];
        } else if (values != nullptr && !line.empty() && line[0] != '#') {
            values->push_back(unescaped(line));
        }
    }
}

}  // namespace

WinePrefix::WinePrefix()
    : dir_(fs::temp_directory_path() / ("hangman-wine-" + std::to_string(getpid()))), prefix_(dir_ / "prefix") {
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "home");
    x_ = std::make_unique<XSession>(dir_);
    env_ = {{"PATH", "/usr/bin:/bin"},
            {"HOME", (dir_ / "home").string()},
            {"WINEPREFIX", prefix_.string()},
            {"WINEDEBUG", "-all"},
            // No menu entries outside the prefix, no offer to download
            // Mono or Gecko.
            {"WINEDLLOVERRIDES", "winemenubuilder.exe=d;mscoree=d;mshtml=d"},
            {"DISPLAY", x_->display()}};
    booted_ = x_->ok() && run({"wineboot", "--init"}, dir_, 300) == 0;
    settle();
}

WinePrefix::~WinePrefix() {
    Background stop({WINESERVER, "-k"}, env_, dir_ / "wineserver-k.txt");
    stop.wait(30);
    x_.reset();
    fs::remove_all(dir_);
}

std::string WinePrefix::lastErrors() const { return fileText(dir_ / "stderr.txt"); }

std::vector<std::string> WinePrefix::command(const std::vector<std::string>& argv, const fs::path& cwd) const {
    std::vector<std::string> all{"/bin/sh", "-c", "cd \"$1\" && shift && exec \"$@\"", "sh", cwd.string(), WINE64};
    all.insert(all.end(), argv.begin(), argv.end());
    return all;
}

int WinePrefix::run(const std::vector<std::string>& argv, const fs::path& cwd, int seconds) {
    Background program(command(argv, cwd), env_, dir_ / "stderr.txt");
    return program.wait(seconds);
}

std::unique_ptr<Background> WinePrefix::start(const std::vector<std::string>& argv, const fs::path& cwd) {
    return std::make_unique<Background>(command(argv, cwd), env_, dir_ / "stderr.txt");
}

void WinePrefix::settle() {
    Background wait({WINESERVER, "-w"}, env_, dir_ / "wineserver-w.txt");
    wait.wait(120);
}

WinePrefix::Snapshot WinePrefix::snapshot() const {
    Snapshot s;
    for (const auto& entry : fs::recursive_directory_iterator(driveC())) {
        s.files.insert(fs::relative(entry.path(), driveC()).string());
    }
    readRegistry(prefix_ / "system.reg", "HKLM\\", s.keys);
    readRegistry(prefix_ / "user.reg", "HKCU\\", s.keys);
    return s;
}

}  // namespace e2e
