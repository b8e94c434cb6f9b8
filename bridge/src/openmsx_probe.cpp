#include "openmsx_probe.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace bridge {

namespace {

std::string environmentValue(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

// FNV-1a: a stable hash, the same in every build.
std::uint64_t fnv1a(std::string_view text)
{
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : text)
        hash = (hash ^ c) * 1099511628211ull;
    return hash;
}

void describeFile(const fs::path& path, std::string& out)
{
    std::error_code ec;
    const auto size = fs::file_size(path, ec);
    const auto time = fs::last_write_time(path, ec).time_since_epoch().count();
    out += path.string() + (ec ? " missing" : " " + std::to_string(size) + " " + std::to_string(time)) + "\n";
}

bool isExecutableFile(const std::filesystem::path& path)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const auto status = fs::status(path, ec);
    if (ec || !fs::is_regular_file(status))
        return false;
    const auto anyExec = fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;
    return (status.permissions() & anyExec) != fs::perms::none;
}

} // namespace

std::string findProgram(std::string_view name, std::string_view pathVariable)
{
    if (name.find('/') != std::string_view::npos)
        return isExecutableFile(std::string(name)) ? std::string(name) : std::string();
    std::size_t start = 0;
    while (start <= pathVariable.size()) {
        std::size_t end = pathVariable.find(':', start);
        if (end == std::string_view::npos)
            end = pathVariable.size();
        std::string dir(pathVariable.substr(start, end - start));
        if (dir.empty())
            dir = "."; // an empty entry means the current directory
        const auto candidate = std::filesystem::path(dir) / name;
        if (isExecutableFile(candidate))
            return candidate.string();
        start = end + 1;
    }
    return {};
}

bool runQuietly(const std::string& program, const std::vector<std::string>& arguments, int timeoutSeconds)
{
    std::vector<std::string> words{program};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& w : words)
        argv.push_back(w.data());
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid < 0)
        return false;
    if (pid == 0) {
        const int devNull = open("/dev/null", O_RDWR);
        for (int fd = 0; fd <= 2 && devNull >= 0; ++fd)
            dup2(devNull, fd);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::vector<std::string> openMsxFolders(const std::string& openmsx)
{
    std::vector<fs::path> shares{fs::path(openmsx).parent_path().parent_path() / "share/openmsx",
                                 "/usr/share/openmsx", "/usr/local/share/openmsx"};
    if (auto data = environmentValue("OPENMSX_SYSTEM_DATA"); !data.empty())
        shares.emplace_back(data);
    if (auto home = environmentValue("OPENMSX_HOME"); !home.empty())
        shares.emplace_back(fs::path(home) / "share");
    else if (auto userHome = environmentValue("HOME"); !userHome.empty())
        shares.emplace_back(fs::path(userHome) / ".openMSX/share");
    std::vector<std::string> folders;
    for (const auto& share : shares)
        for (const char* sub : {"systemroms", "machines", "extensions"})
            folders.push_back((share / sub).string());
    return folders;
}

std::optional<MachineDescription> describeMachine(const std::string& openmsx, const std::string& machine)
{
    constexpr std::size_t largestDescription = 1024 * 1024;
    for (const auto& folder : openMsxFolders(openmsx)) {
        const fs::path file = fs::path(folder) / (machine + ".xml");
        std::error_code ec;
        if (fs::path(folder).filename() != "machines" || !fs::is_regular_file(file, ec))
            continue;
        std::ifstream in(file, std::ios::binary);
        std::string text(largestDescription, '\0');
        in.read(text.data(), static_cast<std::streamsize>(text.size()));
        text.resize(static_cast<std::size_t>(in.gcount()));
        // Each disk controller states its drives as <drives>N</drives>, each cartridge slot is
        // marked external="true": no need to read the rest.
        MachineDescription description;
        const std::string drives = "<drives>", slot = "external=\"true\"";
        for (auto at = text.find(drives); at != std::string::npos; at = text.find(drives, at + 1))
            description.drives += std::atoi(text.c_str() + at + drives.size());
        for (auto at = text.find(slot); at != std::string::npos; at = text.find(slot, at + 1))
            ++description.cartridgeSlots;
        // The machine's own <type> comes first, before those of its sound chips.
        const auto type = text.find("<type>");
        const auto end = text.find("</type>", type);
        const std::string kind = end == std::string::npos ? "" : text.substr(type + 6, end - type - 6);
        if (kind == "MSX")
            description.generation = Generation::Msx1;
        else if (kind == "MSX2" || kind == "MSX2+")
            description.generation = kind == "MSX2" ? Generation::Msx2 : Generation::Msx2Plus;
        return description;
    }
    return std::nullopt;
}

std::string answersKey(const std::string& openmsx)
{
    constexpr int mostFiles = 20000; // a bound against a home that links to the whole disk
    std::string listing;
    describeFile(openmsx, listing);
    int files = 0;
    for (const auto& folder : openMsxFolders(openmsx)) {
        std::error_code ec;
        auto it =
            fs::recursive_directory_iterator(folder, fs::directory_options::follow_directory_symlink, ec);
        for (; !ec && it != fs::recursive_directory_iterator() && files < mostFiles;
             it.increment(ec), ++files)
            describeFile(it->path(), listing);
    }
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(fnv1a(listing)));
    return hex;
}

std::string answersCachePath()
{
    fs::path base = environmentValue("XDG_CACHE_HOME");
    if (base.empty() || base.is_relative()) {
        const std::string home = environmentValue("HOME");
        if (home.empty())
            return {};
        base = fs::path(home) / ".cache";
    }
    return (base / "veldrun/openmsx-machines.txt").string();
}

TestConfigAnswers::TestConfigAnswers(std::string file_, std::string key_)
    : file(std::move(file_)), key(std::move(key_))
{
    std::error_code ec;
    if (file.empty() || !fs::is_regular_file(file, ec) || fs::file_size(file, ec) > 64 * 1024)
        return;
    std::ifstream in(file);
    std::string line;
    if (!std::getline(in, line) || line != "key " + key)
        return;
    while (std::getline(in, line)) {
        if (line.rfind("yes ", 0) == 0 || line.rfind("no ", 0) == 0)
            answers[line.substr(line.find(' ') + 1)] = line[0] == 'y';
    }
}

std::optional<bool> TestConfigAnswers::find(const std::string& question) const
{
    const auto it = answers.find(question);
    return it == answers.end() ? std::nullopt : std::optional<bool>(it->second);
}

std::vector<std::string> TestConfigAnswers::machinesAsked() const
{
    std::vector<std::string> names;
    for (const auto& entry : answers)
        if (entry.first.find(' ') == std::string::npos)
            names.push_back(entry.first);
    return names;
}

void TestConfigAnswers::remember(const std::string& question, bool starts)
{
    answers[question] = starts;
    changed = true;
}

void TestConfigAnswers::save() const
{
    if (!changed || file.empty())
        return;
    std::error_code ec;
    fs::create_directories(fs::path(file).parent_path(), ec);
    const std::string temporary = file + ".new" + std::to_string(getpid());
    {
        std::ofstream out(temporary, std::ios::trunc);
        out << "key " << key << '\n';
        for (const auto& [question, starts] : answers)
            out << (starts ? "yes " : "no ") << question << '\n';
        if (!out.flush())
            return fs::remove(temporary, ec), void();
    }
    fs::rename(temporary, file, ec);
    if (ec)
        fs::remove(temporary, ec);
}

Probe testConfigProbe(const std::string& openmsx, TestConfigAnswers& answers, std::vector<std::string>& log)
{
    return [&openmsx, &answers, &log](const std::string& machine, const std::string& extension) {
        const std::string question = machine + (extension.empty() ? "" : " -ext " + extension);
        if (const auto known = answers.find(question))
            return *known;
        std::vector<std::string> arguments{"-testconfig", "-machine", machine};
        if (!extension.empty())
            arguments.insert(arguments.end(), {"-ext", extension});
        const bool starts = runQuietly(openmsx, arguments, 20);
        log.push_back("asked openMSX: -testconfig -machine " + question + ": " +
                      (starts ? "starts" : "fails"));
        answers.remember(question, starts);
        return starts;
    };
}

} // namespace bridge
