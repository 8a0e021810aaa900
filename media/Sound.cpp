#include "media/Sound.h"

#include <algorithm>

#include "engine/Files.h"
#include "engine/Strings.h"
#include "frame/ErrorReport.h"
#include "frame/Game.h"

TSoundBank SoundBank;
TGameChannelPtr DropChannel;

TGameSoundPtr TGameSound::Create(const std::string& file, int flags) {
    auto sound = std::make_shared<TGameSound>();
    sound->Load(file, flags);
    return sound;
}

void TGameSound::Load(const std::string& file, int flags) {
    name = Upper(StripAll(file));
    sound = LoadSoundOrFail(file, flags);
}

void TGameSound::PlayInChannel(ChannelPtr& channel, float pan) {
    if (Game) Game->GameSoundPlay(channel, weak_from_this().lock(), pan);
}

void TSoundBank::SetPath(const std::string& path) {
    Path = path;
    if (!Path.empty() && Path.back() != '/' && Path.back() != '\\') Path += "/";
}

TGameSoundPtr TSoundBank::Load(const std::string& file, float pitch, float volume,
                               const std::string& name, int flags) {
    const std::string ext = ExtractExt(file).empty() ? Ext : "." + ExtractExt(file);
    TGameSoundPtr sound = TGameSound::Create(Path + StripExt(file) + ext, flags);
    sound->pitch = pitch;
    sound->volume = volume;
    if (!name.empty()) sound->name = Upper(name);
    Insert(sound->name, sound);
    return sound;
}

TGameSoundPtr TSoundBank::Find(const std::string& name) const {
    const std::string key = Upper(name);
    TGameSoundPtr sound = ValueForKey(key);
    if (!sound) ReportError("Sound '" + key + "' was not found in the SoundBank", 1);
    return sound;
}

TGameChannelPtr TGameChannel::Create() {
    auto channel = std::make_shared<TGameChannel>();
    channel->Channel = AllocChannel();
    return channel;
}

void TGameChannel::Kill() {
    if (Channel) Channel->Stop();
    Channel.reset();
}

TChannelArrayPtr TChannelArray::Create(int count) {
    auto pool = std::make_shared<TChannelArray>();
    for (int i = 0; i < count; ++i)
        pool->AddLast(TGameChannel::Create());
    pool->Current = pool->First();
    return pool;
}

TGameChannelPtr TChannelArray::GetChannel() {
    if (IsEmpty()) return nullptr;
    auto start = std::find(begin(), end(), Current);
    if (start == end()) start = begin();
    // Walk cyclically from the channel after Current back round to it; the
    // starting channel itself is never handed out in this call.
    auto it = start;
    while (true) {
        if (++it == end()) it = begin();
        if (it == start) return nullptr;
        const TGameChannelPtr& candidate = *it;
        const bool busy =
            candidate->PlayWhenFinished && candidate->Channel && candidate->Channel->Playing();
        if (!candidate->Reserved && !busy) {
            Current = candidate;
            return candidate;
        }
    }
}

int TChannelArray::CountPlaying() {
    int playing = 0;
    for (const TGameChannelPtr& channel : *this) {
        if (channel->Channel && channel->Channel->Playing()) ++playing;
    }
    return playing;
}

float TChannelArray::BalanceVolumes(int extra) {
    const int playing = CountPlaying() + extra;
    const float factor = playing == 0 ? 1.0f : std::min(1.0f, MaxVol / playing);
    SetVolume(factor);
    return factor;
}

void TChannelArray::SetVolume(float factor) {
    const float soundVolume = Game ? Game->SoundVolume / 100.0f : 1.0f;
    for (const TGameChannelPtr& channel : *this) {
        if (channel->Channel)
            channel->Channel->SetVolume(channel->OriginalVolume * factor * soundVolume);
    }
}

TGameChannelPtr TChannelArray::ChannelByIndex(int index) {
    return ValueAtIndex(index - 1);
}

void TChannelArray::Manage() {
    BalanceVolumes(0);
}

TGameChannelPtr TChannelArray::PlayGameSound(const TGameSoundPtr& sound, TGameChannelPtr channel,
                                             float volume, float pan) {
    if (!channel) channel = GetChannel();
    if (!channel || !sound) return nullptr;
    channel->OriginalVolume = volume;
    channel->name = sound->name;  // which sound the channel carries, for debugging and tests
    sound->volume = volume * BalanceVolumes(1);
    sound->PlayInChannel(channel->Channel, pan);
    return channel;
}

TGameChannelPtr PlaySound(const TGameSoundPtr& sound, float volume, float pan,
                          const TGameChannelPtr& channel) {
    if (!sound || !Game || !Game->Channels) return nullptr;
    return Game->Channels->PlayGameSound(sound, channel, volume, pan);
}

void PlaySoundOrOwnChannel(const TGameSoundPtr& sound, ChannelPtr& ownChannel) {
    if (!sound || !Game) return;
    if (Game->Channels) {
        PlaySound(sound);
    } else {
        sound->PlayInChannel(ownChannel, 0);
    }
}

TGameChannelPtr PlaySoundAtPitch(const TGameSoundPtr& sound, float pitch, float volume, float pan,
                                 const TGameChannelPtr& channel) {
    if (!sound) return nullptr;
    const float ownPitch = sound->pitch;
    sound->pitch = pitch;
    TGameChannelPtr used = PlaySound(sound, volume, pan, channel);
    sound->pitch = ownPitch;
    return used;
}

TGameChannelPtr PlayNamedSound(const std::string& name, float volume, float pan) {
    if (!Game || !Game->Channels) return nullptr;
    return PlaySound(SoundBank.Find(name), volume, pan);
}

void TChannelArray::StopGameChannel(const TGameChannelPtr& channel) {
    if (!channel) return;
    Remove(channel);
    if (channel->Channel) channel->Channel->Stop();
    TGameChannelPtr fresh = TGameChannel::Create();
    AddLast(fresh);
    Current = fresh;
}

void TChannelArray::Kill() {
    for (const TGameChannelPtr& channel : *this)
        channel->Kill();
    Clear();
    Current.reset();
}
