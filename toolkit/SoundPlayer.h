#pragma once

#include "toolkit/Toolkit.h"

#include <memory>
#include <thread>

// Plays the table's sounds through libcanberra, the desktop's library for short event sounds,
// on a thread of its own. Loading the library, reaching the sound server and starting a sound
// all happen there, so play() never waits: with no server or device, or a server that hangs,
// the game plays on in silence and says nothing.
//
// Nothing happens until the first sound is asked for: only then does the thread start, load the
// library (dlopen, so a game with sounds off never loads it and the program starts as fast
// without it), and write the embedded sound files into a private temporary folder for it to
// read. When the library or a server cannot be had, each later sound tries again.
class SoundPlayer final
{
public:
    SoundPlayer();
    // Lets a sound being started finish and closes the library; a thread stuck with a sound
    // server that does not answer is left behind after 0.3 s rather than holding up the end.
    ~SoundPlayer();
    SoundPlayer(const SoundPlayer &) = delete;
    SoundPlayer &operator=(const SoundPlayer &) = delete;

    // Starts sound as soon as the thread gets to it. When several are still waiting (a server
    // that hangs), the new one is dropped: a late sound would only confuse.
    void play(Sound sound);

    // What has become of the sounds asked for so far: for tests and benchmarks. A sound is
    // counted started once the library has accepted it, failed when there was no library,
    // server or file for it or it was dropped; until then it is neither.
    int asked() const;
    int started() const;
    int failed() const;

    // The name of the file sound plays, "land.wav": embedded as ":/sounds/land.wav".
    static const char *fileName(Sound sound);

    struct Shared;

private:
    // Held by the thread too, so that a thread left behind at the end never reaches a player
    // that is gone.
    std::shared_ptr<Shared> m_shared;
    std::thread m_thread;
};
