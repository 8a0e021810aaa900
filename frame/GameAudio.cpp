// The game object's audio: effects through the channel pool, one music
// track with fades, one speech line, and the volumes kept in the settings.
#include <algorithm>

#include "engine/Strings.h"
#include "frame/ErrorReport.h"
#include "frame/Game.h"
#include "frame/Screen.h"
#include "media/Sound.h"

namespace {

void SaveAndRestartTimer(TGame& game, int save) {
    if (save != 1) return;
    game.IniUpdate(1);
    game.FixedRateLogic->Init();
}

bool ChannelPlaying(const ChannelPtr& channel) {
    return channel && channel->Playing();
}

}  // namespace

// ---------------------------------------------------------------- music

void TGame::MusicLoad(const std::string& file, int looped) {
    if (Music) {
        MusicStop();
        MusicSample = LoadSoundOrFail(MusicPath + file, looped ? SOUND_LOOP : 0);
    }
    MusicLooped = looped;
    MusicRestart = 1;
    MusicFileName = file;
}

void TGame::MusicSet(const SoundPtr& sound, const std::string& file, int looped) {
    if (Music) {
        MusicStop();
        MusicSample = sound;
    }
    MusicLooped = looped;
    MusicRestart = 1;
    MusicFileName = file;
}

void TGame::MusicStop() {
    if (Music && ChannelPlaying(MusicChannel)) {
        MusicChannel->Stop();
        MusicChannel = AllocChannel();
    }
    MusicRestart = 1;
}

void TGame::MusicPlay(int fadeIn, int customVolume, int silent) {
    CustomMusicVolume = customVolume;
    if (Music && MusicChannel && MusicSample) {
        MusicFadeInCounter =
            fadeIn ? CalcAnimLength(static_cast<float>(TruncToInt(MusicFadeIn - 1))) : 0;
        MusicSample->Cue(MusicChannel);
        MusicFadeInApply();
        if (silent) MusicChannel->SetVolume(0);
        MusicChannel->SetPaused(false);
        MusicRestart = 0;
        MusicStopped = 0;
    } else if (!Music) {
        MusicRestart = 1;
    }
    MusicName = MusicFileName;
}

void TGame::MusicNone() {
    MusicFileName = MusicName = "none";
    MusicRestart = 1;
}

int TGame::GetMusicVolume() {
    return CustomMusicVolume == 0 ? MusicVolume
                                  : TruncToInt(MusicVolume * CustomMusicVolume / 100.0);
}

float TGame::MusicFadeInCalc() {
    const float length = CalcAnimLength(static_cast<float>(TruncToInt(MusicFadeIn)));
    return length > 0 ? (length - MusicFadeInCounter) / length : 1.0f;
}

float TGame::MusicFadeOutCalc() {
    const float length = CalcAnimLength(static_cast<float>(TruncToInt(MusicFadeOut)));
    return length > 0 ? (length - MusicFadeOutCounter) / length : 1.0f;
}

void TGame::MusicFadeInApply() {
    if (!MusicChannel) return;
    const float ratio = MusicFadeIn > 0 ? MusicFadeInCalc() : 1.0f;
    MusicChannel->SetVolume(GetMusicVolume() / 100.0f * ratio);
}

void TGame::MusicFadeOutApply() {
    if (!MusicChannel) return;
    const float ratio = MusicFadeOut > 0 ? MusicFadeOutCalc() : 1.0f;
    MusicChannel->SetVolume(GetMusicVolume() / 100.0f * (1.0f - ratio));
}

void TGame::MusicFadeInManage() {
    if (MusicFadeInDelay > 0) {
        MusicFadeInDelay -= Delta;
        if (MusicFadeInDelay > 0) return;
        MusicFadeInDelay = 0;
    }
    if (MusicFadeInCounter > 0) {
        MusicFadeInCounter = std::max(0.0f, MusicFadeInCounter - Delta);
        MusicFadeInApply();
    }
}

void TGame::MusicFadeOutManage() {
    if (MusicFadeOutCounter > 0) {
        MusicFadeOutCounter = std::max(0.0f, MusicFadeOutCounter - Delta);
        MusicFadeOutApply();
    }
}

void TGame::MusicFadeOutSet(float ms) {
    MusicFadeOut = ms;
    MusicFadeOutCounter = CalcAnimLength(ms);
}

void TGame::MusicSetVolume(int volume, int save) {
    MusicVolume = std::clamp(volume, 0, 100);
    if (MusicChannel) MusicChannel->SetVolume(GetMusicVolume() / 100.0f);
    SaveAndRestartTimer(*this, save);
}

void TGame::MusicChangeVolume(int delta) {
    MusicSetVolume(MusicVolume + delta, 1);
}

void TGame::ToggleMusic() {
    if (Paused) return;
    if (Music) {
        MusicOff();
    } else {
        MusicOn();
    }
    SaveAndRestartTimer(*this, 1);
}

int TGame::MusicOff() {
    if (SpecialChannel) SpecialChannel->SetPaused(true);
    if (MusicRestart) return 0;
    Music = 0;
    if (MusicChannel) MusicChannel->SetPaused(true);
    return 1;
}

int TGame::MusicOn() {
    if (SpecialChannel) SpecialChannel->SetPaused(false);
    if (Music == 1) return 0;
    Music = 1;
    if (MusicRestart == 1 || !MusicChannel) {
        if (!MusicChannel) MusicChannel = AllocChannel();
        if (MusicFileName != "none") MusicLoad(MusicFileName, MusicLooped);
        if (MusicName != "none") MusicPlay(1, 0, 0);
    } else if (MusicLooped || !MusicStopped) {
        MusicChannel->SetPaused(false);
    }
    return 1;
}

void TGame::SilenceForPause() {
    for (const ChannelPtr& channel : {SpecialChannel, MusicChannel, SpeechChannel}) {
        if (channel) channel->SetPaused(true);
    }
}

// What was on plays on where it stopped; a track or line that had ended, or
// that was never started, stays silent.
void TGame::EndPauseSilence() {
    if (PausedMusicState && Music) {
        if (SpecialChannel) SpecialChannel->SetPaused(false);
        if (MusicChannel && !MusicRestart && (MusicLooped || !MusicStopped))
            MusicChannel->SetPaused(false);
    }
    if (PausedSpeechState && Speech && SpeechChannel && !SpeechStopped)
        SpeechChannel->SetPaused(false);
}

float TGame::PauseFadeCalc() {
    const float length = CalcAnimLength(PauseFadeLength);
    return length > 0 ? (length - PauseFadeCounter) / length : 1.0f;
}

void TGame::PauseFadeApply() {
    float ratio = PauseFadeLength > 0 ? PauseFadeCalc() : 1.0f;
    if (PauseFadeDirection == 0) ratio = 1.0f - ratio;
    if (MusicChannel) MusicChannel->SetVolume(GetMusicVolume() / 100.0f * ratio);
}

void TGame::PauseFadeManage() {
    if (PauseFadeCounter <= 0) return;
    PauseFadeCounter = std::max(0.0f, PauseFadeCounter - Delta);
    PauseFadeApply();
}

// ---------------------------------------------------------------- channels and driver

void TGame::ChannelsCreate(int count) {
    Channels = TChannelArray::Create(count);
    Channels->MaxVol = static_cast<float>(count);
    // The first channel is kept for the board's gem landings.
    DropChannel = Channels->First();
    if (DropChannel) DropChannel->Reserved = 1;
}

void TGame::ChannelsKill() {
    if (Channels) Channels->Kill();
    Channels.reset();
    DropChannel.reset();
}

void TGame::ChangeSoundDriver(const std::string& name, int save) {
    SoundDriver = SetAudioDriver(name) ? name : "None";
    IniUpdate(save);
    FixedRateLogic->Init();
}

// ---------------------------------------------------------------- effects

void TGame::SoundPlay(const SoundPtr& sound) {
    if (!Sound || !sound) return;
    ChannelPtr channel = sound->Cue();
    channel->SetVolume(SoundVolume / 100.0f);
    channel->SetPaused(false);
}

void TGame::SoundPlaySameChannel(ChannelPtr& channel, const SoundPtr& sound) {
    if (!Sound || !sound) return;
    if (ChannelPlaying(channel)) channel->SetVolume(0.1f);
    channel = sound->Cue(channel);
    channel->SetVolume(SoundVolume / 100.0f);
    channel->SetPaused(false);
}

void TGame::SoundPlayReturnChannel(ChannelPtr& channel, const SoundPtr& sound, float rate) {
    if (!Sound || !sound) return;
    // The old sound plays on, quietly.
    if (ChannelPlaying(channel)) channel->SetVolume(0.1f);
    channel = sound->Cue();
    channel->SetVolume(SoundVolume / 100.0f);
    channel->SetRate(rate);
    channel->SetPaused(false);
}

void TGame::GameSoundPlay(ChannelPtr& channel, const std::shared_ptr<TGameSound>& sound,
                          float pan) {
    if (!Sound || !sound || !sound->sound || !channel) return;
    if (channel->Playing()) channel->SetVolume(0.1f);
    sound->sound->Cue(channel);
    float volume = SoundVolume / 100.0f * sound->volume;
    // Sounds fade with the screen.
    if (GameFade->Active) volume *= GameFade->Ratio;
    channel->SetVolume(volume);
    channel->SetPan(pan);
    channel->SetRate(sound->pitch);
    channel->SetPaused(false);
}

void TGame::SoundSetVolume(int volume, int save) {
    SoundVolume = std::clamp(volume, 0, 100);
    SaveAndRestartTimer(*this, save);
}

void TGame::SoundChangeVolume(int delta) {
    SoundSetVolume(SoundVolume + delta, 1);
}

void TGame::ToggleSound() {
    Sound = !Sound;
    SaveAndRestartTimer(*this, 1);
}

void TGame::SoundOff() {
    Sound = 0;
}
void TGame::SoundOn() {
    Sound = 1;
}

// ---------------------------------------------------------------- speech

void TGame::SpeechStop() {
    if (Speech && ChannelPlaying(SpeechChannel)) {
        SpeechChannel->Stop();
        SpeechChannel = AllocChannel();
    }
}

void TGame::SpeechPlay(const std::shared_ptr<TGameSound>& sound, int interrupt) {
    if (!Speech || !SpeechChannel || !sound || !sound->sound) return;
    if (SpeechChannel->Playing() && interrupt == 0) return;
    sound->sound->Cue(SpeechChannel);
    SpeechChannel->SetVolume(SpeechVolume / 100.0f);
    SpeechChannel->SetPaused(false);
    SpeechStopped = 0;
}

void TGame::SpeechSetVolume(int volume, int save) {
    SpeechVolume = std::clamp(volume, 0, 100);
    if (SpeechChannel) SpeechChannel->SetVolume(SpeechVolume / 100.0f);
    SaveAndRestartTimer(*this, save);
}

void TGame::SpeechChangeVolume(int delta) {
    SpeechSetVolume(SpeechVolume + delta, 1);
}

void TGame::SpeechOff() {
    Speech = 0;
    if (SpeechChannel) SpeechChannel->SetPaused(true);
}

int TGame::SpeechOn() {
    if (Speech) return 0;
    Speech = 1;
    if (SpeechChannel && !SpeechStopped) SpeechChannel->SetPaused(false);
    return 1;
}

void TGame::StopChannels() {
    if (MusicChannel) MusicChannel->Stop();
    if (SpeechChannel) SpeechChannel->Stop();
    MusicChannel = AllocChannel();
    SpeechChannel = AllocChannel();
}

void TGame::SetEscapeSound(const std::string& name) {
    EscapeSound = TGameSound::Create(SoundPath + name + ".wav");
}

void TGame::EscapeSoundPlay() {
    if (EscapeSound) GameSoundPlay(EscapeChannel, EscapeSound, 0);
}
