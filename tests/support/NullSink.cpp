#include "support/NullSink.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

using namespace std::chrono_literals;

// Every wait of these helpers is bounded by this.
constexpr auto kLongestWait = 10s;
constexpr auto kPollStep = 20ms;

bool onPath(const std::string &program)
{
    const char *path = std::getenv("PATH");
    std::string folders = path ? path : "/usr/bin:/bin";
    std::size_t from = 0;
    while (from <= folders.size()) {
        const std::size_t to = std::min(folders.find(':', from), folders.size());
        if (access((folders.substr(from, to - from) + "/" + program).c_str(), X_OK) == 0)
            return true;
        from = to + 1;
    }
    return false;
}

// Starts program with arguments, its standard output into outFd (or /dev/null when -1) and its
// standard error into /dev/null, with the environment changed as given ("NAME=value" replaces,
// "NAME" alone removes). Returns the process id, or 0.
pid_t spawn(const std::vector<std::string> &arguments, int outFd,
            const std::vector<std::string> &changes = {})
{
    std::vector<std::string> environment;
    for (char **variable = environ; *variable; ++variable) {
        const std::string entry = *variable;
        const std::string name = entry.substr(0, entry.find('='));
        const bool changed = std::any_of(changes.begin(), changes.end(), [&](const auto &change) {
            return change.substr(0, change.find('=')) == name;
        });
        if (!changed)
            environment.push_back(entry);
    }
    for (const std::string &change : changes)
        if (change.find('=') != std::string::npos)
            environment.push_back(change);

    std::vector<char *> argv, envp;
    std::vector<std::string> argumentCopies = arguments;
    for (std::string &argument : argumentCopies)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    for (std::string &variable : environment)
        envp.push_back(variable.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (outFd >= 0)
        posix_spawn_file_actions_adddup2(&actions, outFd, STDOUT_FILENO);
    else
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const int failed = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    return failed ? 0 : child;
}

// Ends the process: politely, then after a while for good.
void end(pid_t child)
{
    if (child <= 0)
        return;
    kill(child, SIGTERM);
    for (auto waited = 0ms; waited < kLongestWait; waited += kPollStep) {
        if (waitpid(child, nullptr, WNOHANG) == child)
            return;
        std::this_thread::sleep_for(kPollStep);
    }
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
}

bool takesConnections(const std::string &socketPath)
{
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, socketPath.c_str(), sizeof address.sun_path - 1);
    const bool connected
        = connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0;
    close(fd);
    return connected;
}

} // namespace

NullSink::NullSink()
{
    for (const char *program : { "pulseaudio", "parec" })
        if (!onPath(program)) {
            m_whyNot = std::string(program)
                + " is not installed (Debian packages pulseaudio and pulseaudio-utils)";
            return;
        }
    char folder[] = "/tmp/pokdeng-pulse-XXXXXX";
    if (!mkdtemp(folder)) {
        m_whyNot = std::string("no temporary folder: ") + std::strerror(errno);
        return;
    }
    m_folder = folder;
    const std::string socketPath = m_folder + "/native";
    m_address = "unix:" + socketPath;
    // Its state, cookie and runtime files in the folder too; no desktop session is asked.
    const pid_t server
        = spawn({ "pulseaudio", "--daemonize=no", "--exit-idle-time=-1", "-n", "--use-pid-file=no",
                  "--realtime=no", "--high-priority=no", "--disallow-exit=yes",
                  "--load=module-null-sink sink_name=out rate=44100",
                  "--load=module-native-protocol-unix auth-anonymous=1 socket=" + socketPath },
                -1,
                { "HOME=" + m_folder, "XDG_RUNTIME_DIR=" + m_folder, "XDG_CONFIG_HOME=" + m_folder,
                  "PULSE_SERVER", "DBUS_SESSION_BUS_ADDRESS" });
    if (!server) {
        m_whyNot = "pulseaudio could not be started";
        return;
    }
    for (auto waited = 0ms; waited < kLongestWait; waited += kPollStep) {
        if (takesConnections(socketPath)) {
            m_server = server;
            return;
        }
        if (waitpid(server, nullptr, WNOHANG) == server) {
            m_whyNot = "pulseaudio ended as it started";
            return;
        }
        std::this_thread::sleep_for(kPollStep);
    }
    end(server);
    m_whyNot = "pulseaudio took no connection within ten seconds";
}

NullSink::~NullSink()
{
    end(m_server);
    if (!m_folder.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }
}

SinkRecording::SinkRecording(const NullSink &sink)
{
    int out[2];
    if (!sink.isRunning() || pipe2(out, O_CLOEXEC) != 0)
        return;
    // Small fragments: each chunk comes about 2 ms after its last sample was played.
    m_recorder = spawn({ "parec", "--server=" + sink.address(), "--device=out.monitor", "--raw",
                         "--format=s16le", "--rate=" + std::to_string(kRate), "--channels=1",
                         "--latency-msec=2" },
                       out[1]);
    close(out[1]);
    if (!m_recorder) {
        close(out[0]);
        return;
    }
    m_pipe = out[0];
    m_reader = std::thread([this] { read(); });
}

SinkRecording::~SinkRecording()
{
    stop();
}

void SinkRecording::read()
{
    unsigned char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(m_pipe, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        const auto now = Clock::now();
        std::lock_guard lock(m_mutex);
        m_partial.insert(m_partial.end(), buffer, buffer + n);
        const std::size_t whole = m_partial.size() / 2 * 2;
        for (std::size_t i = 0; i < whole; i += 2)
            m_samples.push_back(static_cast<std::int16_t>(m_partial[i] | (m_partial[i + 1] << 8)));
        m_partial.erase(m_partial.begin(), m_partial.begin() + static_cast<long>(whole));
        m_firsts.push_back(
            now
            - std::chrono::duration_cast<Clock::duration>(
                std::chrono::duration<double>(static_cast<double>(m_samples.size()) / kRate)));
    }
}

std::optional<SinkRecording::Clock::time_point> SinkRecording::first() const
{
    if (m_firsts.empty())
        return std::nullopt;
    std::vector<Clock::time_point> firsts = m_firsts;
    std::nth_element(firsts.begin(), firsts.begin() + firsts.size() / 2, firsts.end());
    return firsts[firsts.size() / 2];
}

bool SinkRecording::waitForStart()
{
    for (auto waited = 0ms; waited < kLongestWait; waited += kPollStep) {
        if (size() > 0)
            return true;
        std::this_thread::sleep_for(kPollStep);
    }
    return false;
}

void SinkRecording::stop()
{
    end(m_recorder);
    m_recorder = 0;
    if (m_reader.joinable())
        m_reader.join();
    if (m_pipe >= 0)
        close(m_pipe);
    m_pipe = -1;
}

std::size_t SinkRecording::size() const
{
    std::lock_guard lock(m_mutex);
    return m_samples.size();
}

SinkRecording::Clock::time_point SinkRecording::timeOf(std::size_t sample) const
{
    std::lock_guard lock(m_mutex);
    return first().value_or(Clock::time_point())
        + std::chrono::duration_cast<Clock::duration>(
               std::chrono::duration<double>(static_cast<double>(sample) / kRate));
}

std::optional<std::size_t> SinkRecording::sampleAt(Clock::time_point moment) const
{
    std::lock_guard lock(m_mutex);
    const auto origin = first();
    if (!origin || moment < *origin)
        return std::nullopt;
    const double seconds = std::chrono::duration<double>(moment - *origin).count();
    const auto index = static_cast<std::size_t>(seconds * kRate);
    if (index >= m_samples.size())
        return std::nullopt;
    return index;
}

int SinkRecording::loudest(Clock::time_point from, Clock::time_point to) const
{
    std::lock_guard lock(m_mutex);
    const auto origin = first();
    if (!origin || to <= from)
        return 0;
    const auto index = [&](Clock::time_point moment) {
        const double seconds = std::chrono::duration<double>(moment - *origin).count();
        return static_cast<std::size_t>(
            std::clamp(seconds * kRate, 0.0, static_cast<double>(m_samples.size())));
    };
    int most = 0;
    for (std::size_t i = index(from); i < index(to); ++i)
        most = std::max(most, std::abs(int(m_samples[i])));
    return most;
}

std::optional<SinkRecording::Clock::time_point>
SinkRecording::firstAbove(int threshold, Clock::time_point from, Clock::time_point to) const
{
    std::optional<std::size_t> found;
    {
        std::lock_guard lock(m_mutex);
        const auto origin = first();
        if (!origin || to <= from)
            return std::nullopt;
        const auto index = [&](Clock::time_point moment) {
            const double seconds = std::chrono::duration<double>(moment - *origin).count();
            return static_cast<std::size_t>(
                std::clamp(seconds * kRate, 0.0, static_cast<double>(m_samples.size())));
        };
        for (std::size_t i = index(from); i < index(to) && !found; ++i)
            if (std::abs(int(m_samples[i])) > threshold)
                found = i;
    }
    if (!found)
        return std::nullopt;
    return timeOf(*found);
}

std::vector<SinkRecording::Clock::time_point>
SinkRecording::onsets(int threshold, std::chrono::milliseconds gap) const
{
    std::vector<std::size_t> found;
    {
        std::lock_guard lock(m_mutex);
        const auto gapSamples = static_cast<std::size_t>(gap.count() * kRate / 1000);
        std::size_t quiet = gapSamples;
        for (std::size_t i = 0; i < m_samples.size(); ++i) {
            if (std::abs(int(m_samples[i])) <= threshold) {
                ++quiet;
                continue;
            }
            if (quiet >= gapSamples)
                found.push_back(i);
            quiet = 0;
        }
    }
    std::vector<Clock::time_point> moments;
    for (std::size_t sample : found)
        moments.push_back(timeOf(sample));
    return moments;
}
