// Sound effects by name, and the pool of game channels that balances the
// total volume of what plays at once.
#pragma once

#include <memory>
#include <string>

#include "engine/Audio.h"
#include "engine/Containers.h"

class TGameSound;
using TGameSoundPtr = std::shared_ptr<TGameSound>;

class TGameSound : public std::enable_shared_from_this<TGameSound> {
  public:
    std::string name;  // upper case
    SoundPtr sound;
    float pitch = 1.0f;   // playback rate
    float volume = 1.0f;  // 0..1, relative

    // Failure is fatal: "Error loading sample " + file.
    static TGameSoundPtr Create(const std::string& file, int flags = 0);
    void Load(const std::string& file, int flags = 0);
    // Plays on the channel held by `channel` (Game->GameSoundPlay).
    void PlayInChannel(ChannelPtr& channel, float pan);
};

class TSoundBank : public TMap<TGameSoundPtr> {
  public:
    std::string Path;
    std::string Ext = ".wav";

    void SetPath(const std::string& path);
    TGameSoundPtr Load(const std::string& file, float pitch = 1.0f, float volume = 1.0f,
                       const std::string& name = "", int flags = 0);
    // Fatal when missing: "Sound '" + NAME + "' was not found in the SoundBank".
    TGameSoundPtr Find(const std::string& name) const;
};

class TGameChannel;
using TGameChannelPtr = std::shared_ptr<TGameChannel>;

class TGameChannel {
  public:
    ChannelPtr Channel;
    std::string name;
    int Reserved = 0;          // never handed out by the pool
    int PlayWhenFinished = 1;  // reused only after its sound ended
    float OriginalVolume = 1.0f;

    static TGameChannelPtr Create();
    void Kill();
};

class TChannelArray;
using TChannelArrayPtr = std::shared_ptr<TChannelArray>;

class TChannelArray : public TList<TGameChannelPtr> {
  public:
    float MaxVol = 1.5f;
    TGameChannelPtr Current;

    float BalanceVolumes(int extra);
    TGameChannelPtr ChannelByIndex(int index);  // 1-based
    int CountPlaying();
    static TChannelArrayPtr Create(int count);
    // The next free channel after Current, or null when none is free.
    TGameChannelPtr GetChannel();
    void Kill();
    void Manage();
    // Plays through the given channel or a free one; null when none is free.
    TGameChannelPtr PlayGameSound(const TGameSoundPtr& sound, TGameChannelPtr channel, float volume,
                                  float pan);
    void SetVolume(float factor);
    void StopGameChannel(const TGameChannelPtr& channel);
};

extern TSoundBank SoundBank;

// Sound effects through the game's channel pool (Game->Channels), at a
// volume relative to the sound volume and a pan from -1 (left) to 1 (right).
// Nothing plays without a sound or before the pool exists (audio not set up
// yet); the result is the channel used, or null. A channel the caller keeps
// is used again when given (what it played is cut off).
TGameChannelPtr PlaySound(const TGameSoundPtr& sound, float volume = 1.0f, float pan = 0.0f,
                          const TGameChannelPtr& channel = nullptr);
// The same at another playback rate; the sound's own rate is put back after.
TGameChannelPtr PlaySoundAtPitch(const TGameSoundPtr& sound, float pitch, float volume = 1.0f,
                                 float pan = 0.0f, const TGameChannelPtr& channel = nullptr);
// Through the pool when it exists, else on a channel of the caller's own
// (controls made before the pool, on the loading screen, keep one).
void PlaySoundOrOwnChannel(const TGameSoundPtr& sound, ChannelPtr& ownChannel);
// A sound of the bank by name (a missing name is fatal, as in Find), looked
// up only when the pool exists.
TGameChannelPtr PlayNamedSound(const std::string& name, float volume = 1.0f, float pan = 0.0f);
// The first channel of the pool, reserved for the board's gem landings.
extern TGameChannelPtr DropChannel;
