// Seam: the music, sound and speech operations of the game object belong to
// the sound and music module, which replaces this file. Until then only the
// driver choice and the volumes are real; nothing plays.
#include <algorithm>

#include "frame/Game.h"

void TGame::MusicLoad(const std::string& file, int looped) {
    MusicLooped = looped;
    MusicRestart = 1;
    MusicFileName = file;
}
void TGame::MusicSet(const SoundPtr&, const std::string& file, int looped) {
    MusicLoad(file, looped);
}
void TGame::MusicStop() {
    MusicRestart = 1;
}
void TGame::MusicPlay(int, int customVolume, int) {
    CustomMusicVolume = customVolume;
    MusicName = MusicFileName;
}
void TGame::MusicNone() {
    MusicFileName = MusicName = "none";
    MusicRestart = 1;
}
int TGame::GetMusicVolume() {
    return CustomMusicVolume == 0 ? MusicVolume
                                  : static_cast<int>(MusicVolume * CustomMusicVolume / 100.0f);
}
float TGame::MusicFadeInCalc() {
    return 1.0f;
}
float TGame::MusicFadeOutCalc() {
    return 1.0f;
}
void TGame::MusicFadeInApply() {}
void TGame::MusicFadeOutApply() {}
void TGame::MusicFadeInManage() {}
void TGame::MusicFadeOutManage() {}
void TGame::MusicFadeOutSet(float ms) {
    MusicFadeOut = ms;
}
void TGame::MusicSetVolume(int volume, int save) {
    MusicVolume = std::clamp(volume, 0, 100);
    if (save == 1) IniUpdate(1);
}
void TGame::MusicChangeVolume(int delta) {
    MusicSetVolume(MusicVolume + delta, 1);
}
void TGame::ToggleMusic() {}
int TGame::MusicOff() {
    return 0;
}
int TGame::MusicOn() {
    return 0;
}
float TGame::PauseFadeCalc() {
    return 1.0f;
}
void TGame::PauseFadeApply() {}
void TGame::PauseFadeManage() {}
void TGame::ChannelsCreate(int) {}
void TGame::ChannelsKill() {}
void TGame::ChangeSoundDriver(const std::string& name, int save) {
    SoundDriver = SetAudioDriver(name) ? name : "None";
    IniUpdate(save);
    FixedRateLogic->Init();
}
void TGame::SoundPlay(const SoundPtr&) {}
void TGame::SoundPlaySameChannel(ChannelPtr&, const SoundPtr&) {}
void TGame::SoundPlayReturnChannel(ChannelPtr&, const SoundPtr&, float) {}
void TGame::GameSoundPlay(ChannelPtr&, const std::shared_ptr<TGameSound>&, float) {}
void TGame::SoundSetVolume(int volume, int save) {
    SoundVolume = std::clamp(volume, 0, 100);
    if (save == 1) IniUpdate(1);
}
void TGame::SoundChangeVolume(int delta) {
    SoundSetVolume(SoundVolume + delta, 1);
}
void TGame::ToggleSound() {}
void TGame::SoundOff() {
    Sound = 0;
}
void TGame::SoundOn() {
    Sound = 1;
}
void TGame::SpeechStop() {}
void TGame::SpeechPlay(const std::shared_ptr<TGameSound>&, int) {}
void TGame::SpeechSetVolume(int volume, int save) {
    SpeechVolume = std::clamp(volume, 0, 100);
    if (save == 1) IniUpdate(1);
}
void TGame::SpeechChangeVolume(int delta) {
    SpeechSetVolume(SpeechVolume + delta, 1);
}
void TGame::SpeechOff() {}
int TGame::SpeechOn() {
    return 0;
}
void TGame::StopChannels() {}
void TGame::SetEscapeSound(const std::string&) {}
void TGame::EscapeSoundPlay() {}
