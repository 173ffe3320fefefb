#include "toolkit/SoundPlayer.h"

#include <QFile>
#include <QTemporaryDir>

#include <canberra.h>
#include <dlfcn.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <string>

struct SoundPlayer::Shared
{
    std::mutex mutex;
    std::condition_variable wake;
    std::condition_variable finished;
    std::deque<Sound> waiting;
    bool stopping = false;
    bool done = false;
    std::atomic<int> asked = 0;
    std::atomic<int> started = 0;
    std::atomic<int> failed = 0;
};

namespace {

// Sounds still waiting beyond this many are dropped: the server is not keeping up.
constexpr std::size_t kMostWaiting = 4;

// How long the program's end waits for the thread.
constexpr std::chrono::milliseconds kEndWait(300);

struct SoundFile
{
    Sound sound;
    const char *file;
    const char *eventId; // the name the server caches it under
};
const SoundFile kSoundFiles[] = {
    { Sound::SlideOut, "slide-out.wav", "pokdeng-slide-out" },
    { Sound::Land, "land.wav", "pokdeng-land" },
    { Sound::TurnOver, "turn-over.wav", "pokdeng-turn-over" },
    { Sound::Bet, "bet.wav", "pokdeng-bet" },
    { Sound::Win, "win.wav", "pokdeng-win" },
    { Sound::Lose, "lose.wav", "pokdeng-lose" },
};

const SoundFile &soundFile(Sound sound)
{
    for (const SoundFile &file : kSoundFiles)
        if (file.sound == sound)
            return file;
    return kSoundFiles[0];
}

// libcanberra, loaded when the first sound is asked for. Its functions' types come from its own
// header, so a change there fails the build rather than a call.
struct Canberra
{
    decltype(&ca_context_create) create = nullptr;
    decltype(&ca_context_destroy) destroy = nullptr;
    decltype(&ca_context_change_props) changeProps = nullptr;
    decltype(&ca_context_open) open = nullptr;
    decltype(&ca_context_play) play = nullptr;

    // Nothing when the library is not installed. It stays loaded: its sound server's library
    // may keep threads and handlers of its own.
    static std::optional<Canberra> load()
    {
        void *library = dlopen("libcanberra.so.0", RTLD_NOW | RTLD_LOCAL);
        if (!library)
            return std::nullopt;
        Canberra canberra;
        const auto find = [library](auto &function, const char *name) {
            function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(
                dlsym(library, name));
            return function != nullptr;
        };
        if (!find(canberra.create, "ca_context_create")
            || !find(canberra.destroy, "ca_context_destroy")
            || !find(canberra.changeProps, "ca_context_change_props")
            || !find(canberra.open, "ca_context_open") || !find(canberra.play, "ca_context_play"))
            return std::nullopt;
        return canberra;
    }
};

// What the thread holds: the library, its connection to the sound server and the files.
class Playing
{
public:
    ~Playing() { close(); }

    bool play(Sound sound)
    {
        if (!open())
            return false;
        const SoundFile &file = soundFile(sound);
        const std::string path
            = QFile::encodeName(m_folder->filePath(QLatin1String(file.file))).toStdString();
        // Cached by the server after the first time, so later ones start sooner.
        const int error = m_library->play(
            m_context, 0, CA_PROP_MEDIA_FILENAME, path.c_str(), CA_PROP_EVENT_ID, file.eventId,
            CA_PROP_CANBERRA_CACHE_CONTROL, "volatile", static_cast<const char *>(nullptr));
        if (error == CA_SUCCESS)
            return true;
        // The server may have gone away: the next sound connects afresh.
        close();
        return false;
    }

    void close()
    {
        if (m_context)
            m_library->destroy(m_context);
        m_context = nullptr;
    }

private:
    bool open()
    {
        if (m_context)
            return true;
        if (!m_library)
            m_library = Canberra::load();
        if (!m_library || !writeFiles())
            return false;
        if (m_library->create(&m_context) != CA_SUCCESS) {
            m_context = nullptr;
            return false;
        }
        m_library->changeProps(m_context, CA_PROP_APPLICATION_NAME, "ป๊อกเด้ง",
                               CA_PROP_APPLICATION_ID, "th.pokdeng.PokDeng",
                               CA_PROP_APPLICATION_ICON_NAME, "pokdeng",
                               static_cast<const char *>(nullptr));
        if (m_library->open(m_context) != CA_SUCCESS) {
            close();
            return false;
        }
        return true;
    }

    // The library reads sounds from files: the embedded ones are copied out once.
    bool writeFiles()
    {
        if (m_folder)
            return true;
        auto folder = std::make_unique<QTemporaryDir>(QDir::tempPath()
                                                      + QStringLiteral("/pokdeng-sounds-XXXXXX"));
        if (!folder->isValid())
            return false;
        for (const SoundFile &file : kSoundFiles) {
            const QString name = QLatin1String(file.file);
            if (!QFile::copy(QStringLiteral(":/sounds/") + name, folder->filePath(name)))
                return false;
        }
        m_folder = std::move(folder);
        return true;
    }

    std::optional<Canberra> m_library;
    ca_context *m_context = nullptr;
    std::unique_ptr<QTemporaryDir> m_folder;
};

void work(std::shared_ptr<SoundPlayer::Shared> shared)
{
    Playing playing;
    std::unique_lock lock(shared->mutex);
    for (;;) {
        shared->wake.wait(lock, [&] { return shared->stopping || !shared->waiting.empty(); });
        if (shared->stopping)
            break;
        const Sound sound = shared->waiting.front();
        shared->waiting.pop_front();
        lock.unlock();
        ++(playing.play(sound) ? shared->started : shared->failed);
        lock.lock();
    }
    lock.unlock();
    playing.close();
    lock.lock();
    shared->done = true;
    shared->finished.notify_all();
}

} // namespace

SoundPlayer::SoundPlayer()
    : m_shared(std::make_shared<Shared>())
{
}

SoundPlayer::~SoundPlayer()
{
    std::unique_lock lock(m_shared->mutex);
    if (!m_thread.joinable())
        return;
    m_shared->stopping = true;
    m_shared->wake.notify_all();
    const bool finished
        = m_shared->finished.wait_for(lock, kEndWait, [this] { return m_shared->done; });
    lock.unlock();
    if (finished)
        m_thread.join();
    else
        m_thread.detach();
}

void SoundPlayer::play(Sound sound)
{
    ++m_shared->asked;
    std::lock_guard lock(m_shared->mutex);
    if (m_shared->waiting.size() >= kMostWaiting) {
        ++m_shared->failed;
        return;
    }
    m_shared->waiting.push_back(sound);
    if (!m_thread.joinable())
        m_thread = std::thread(work, m_shared);
    m_shared->wake.notify_one();
}

int SoundPlayer::asked() const
{
    return m_shared->asked;
}

int SoundPlayer::started() const
{
    return m_shared->started;
}

int SoundPlayer::failed() const
{
    return m_shared->failed;
}

const char *SoundPlayer::fileName(Sound sound)
{
    return soundFile(sound).file;
}
