#include "engine/Audio.h"

#include <SDL.h>

#include <algorithm>
#include <unordered_map>

#include "engine/Mixer.h"
#include "engine/SdlHandles.h"
#include "engine/SoundDecoders.h"

namespace {

const char* const kDeviceDrivers[] = {"FreeAudio", "DirectSound", "OpenAL Generic Software"};
constexpr const char* kNoDriver = "None";
constexpr int kDefaultRate = 44100;
constexpr int kMinOutputRate = 1000;
constexpr int kMaxOutputRate = 768000;
// About 23 ms at 44.1 kHz: short enough for effects to feel immediate, long
// enough that a streamed chunk decoded in the callback never underruns.
constexpr Uint16 kDeviceBufferFrames = 1024;

enum class Output { Silent, Device, Manual };

// Main-thread state of the audio layer. It is never destroyed: channels held
// by other statics may still be released during exit, and the device thread
// may still be running when static destructors are.
struct AudioSystem {
    Mixer mixer{kDefaultRate};
    Output output = Output::Silent;
    SdlAudioDevice device;
    bool startedSdlAudio = false;
    std::string driver = kNoDriver;
    int nextChannelId = 1;
    std::unordered_map<int, VoiceSettings> channels;  // by channel id
};

AudioSystem& System() {
    static AudioSystem* system = new AudioSystem;
    return *system;
}

void SDLCALL FillDeviceBuffer(void* userdata, Uint8* stream, int bytes) {
    constexpr int kFrameBytes = 2 * int(sizeof(float));
    int frames = bytes / kFrameBytes;
    static_cast<Mixer*>(userdata)->Mix(reinterpret_cast<float*>(stream), frames);
    std::fill(stream + frames * kFrameBytes, stream + bytes, Uint8(0));
}

// Stops every channel: with the output gone they could never finish.
void CloseOutput() {
    AudioSystem& audio = System();
    audio.device.Close();  // waits for a running callback
    audio.output = Output::Silent;
    audio.mixer.StopAll();
}

// A device that disappears (unplugged, server gone) stops calling back; the
// game runs on in silence.
void CheckDevice() {
    AudioSystem& audio = System();
    if (audio.output == Output::Device &&
        SDL_GetAudioDeviceStatus(audio.device.Id()) == SDL_AUDIO_STOPPED) {
        CloseOutput();
    }
}

bool OpenDevice() {
    AudioSystem& audio = System();
    if (SDL_WasInit(SDL_INIT_AUDIO) == 0) {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
        audio.startedSdlAudio = true;
    }
    SDL_AudioSpec wanted{};
    wanted.freq = kDefaultRate;
    wanted.format = AUDIO_F32SYS;
    wanted.channels = 2;
    wanted.samples = kDeviceBufferFrames;
    wanted.callback = FillDeviceBuffer;
    wanted.userdata = &audio.mixer;
    SDL_AudioSpec obtained{};
    audio.device = SdlAudioDevice(
        SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE));
    if (!audio.device) return false;
    audio.mixer.SetOutputRate(obtained.freq);
    audio.output = Output::Device;
    SDL_PauseAudioDevice(audio.device.Id(), 0);
    return true;
}

bool IsDeviceDriver(const std::string& name) {
    return std::find(std::begin(kDeviceDrivers), std::end(kDeviceDrivers), name) !=
           std::end(kDeviceDrivers);
}

VoiceSettings& SettingsOf(int channelId) {
    return System().channels[channelId];
}

// Getters report what was set; the mixer clamps its own copy.
template <typename Change>
void ChangeSettings(int channelId, Change change) {
    VoiceSettings& settings = SettingsOf(channelId);
    change(settings);
    System().mixer.Apply(channelId, settings);
}

ChannelPtr StartSound(const TSound& sound, ChannelPtr channel, bool paused) {
    if (!channel) channel = AllocChannel();
    AudioSystem& audio = System();
    CheckDevice();
    audio.mixer.Stop(channel->Id());
    VoiceSettings& settings = SettingsOf(channel->Id());
    settings.paused = paused;
    if (audio.output == Output::Silent) return channel;

    const std::shared_ptr<SoundData>& data = sound.Data();
    std::unique_ptr<SoundStream> stream;
    if (data->Streamed()) {
        stream = OpenSoundStream(*data);
        if (!stream) return channel;
    }
    audio.mixer.Start(channel->Id(), data, sound.Looped(), settings, std::move(stream));
    return channel;
}

}  // namespace

std::vector<std::string> AudioDrivers() {
    std::vector<std::string> names(std::begin(kDeviceDrivers), std::end(kDeviceDrivers));
    names.push_back(kNoDriver);
    return names;
}

bool SetAudioDriver(const std::string& name) {
    CloseOutput();
    AudioSystem& audio = System();
    if (name == kNoDriver) {
        audio.driver = kNoDriver;
        return true;
    }
    if (!IsDeviceDriver(name) || !OpenDevice()) return false;
    audio.driver = name;
    return true;
}

std::string AudioDriver() {
    return System().driver;
}

bool AudioDeviceOpen() {
    CheckDevice();
    return System().output == Output::Device;
}

int MixerSampleRate() {
    return System().mixer.OutputRate();
}

void ShutdownAudio() {
    CloseOutput();
    AudioSystem& audio = System();
    if (audio.startedSdlAudio) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        audio.startedSdlAudio = false;
    }
}

void UseManualAudioOutput(int sampleRate) {
    CloseOutput();
    AudioSystem& audio = System();
    audio.mixer.SetOutputRate(std::clamp(sampleRate, kMinOutputRate, kMaxOutputRate));
    audio.output = Output::Manual;
}

void MixAudio(float* stereoOut, int frames) {
    if (!stereoOut || frames <= 0) return;
    if (System().output == Output::Silent) {
        std::fill(stereoOut, stereoOut + 2 * size_t(frames), 0.0f);
        return;
    }
    System().mixer.Mix(stereoOut, frames);
}

// ---------------------------------------------------------------- TSound

SoundPtr TSound::Load(const std::string& path, int flags) {
    std::shared_ptr<SoundData> data = LoadSoundData(path);
    if (!data) return nullptr;
    return std::make_shared<TSound>(std::move(data), flags);
}

SoundPtr TSound::FromSamples(const std::vector<int16_t>& samples, int channels, int sampleRate,
                             int flags) {
    std::shared_ptr<SoundData> data = SoundDataFromSamples(samples, channels, sampleRate);
    if (!data) return nullptr;
    return std::make_shared<TSound>(std::move(data), flags);
}

ChannelPtr TSound::Play(ChannelPtr channel) {
    return StartSound(*this, std::move(channel), false);
}

ChannelPtr TSound::Cue(ChannelPtr channel) {
    return StartSound(*this, std::move(channel), true);
}

int TSound::SampleRate() const {
    return data_->sampleRate;
}

int TSound::ChannelCount() const {
    return data_->channels;
}

double TSound::LengthSeconds() const {
    return double(data_->frames) / data_->sampleRate;
}

bool TSound::Streamed() const {
    return data_->Streamed();
}

// ---------------------------------------------------------------- TChannel

TChannel::TChannel() : id_(System().nextChannelId++) {
    SettingsOf(id_);
}

// Dropping the handle does not cut a sound off: fire-and-forget effects play
// to their end. A cued sound could never be started again, so it goes.
TChannel::~TChannel() {
    AudioSystem& audio = System();
    audio.mixer.Release(id_);
    audio.channels.erase(id_);
}

void TChannel::Stop() {
    System().mixer.Stop(id_);
}

void TChannel::SetPaused(bool paused) {
    ChangeSettings(id_, [&](VoiceSettings& settings) { settings.paused = paused; });
}

void TChannel::SetVolume(float volume) {
    ChangeSettings(id_, [&](VoiceSettings& settings) { settings.volume = volume; });
}

void TChannel::SetPan(float pan) {
    ChangeSettings(id_, [&](VoiceSettings& settings) { settings.pan = pan; });
}

void TChannel::SetDepth(float) {}

void TChannel::SetRate(float rate) {
    ChangeSettings(id_, [&](VoiceSettings& settings) { settings.rate = rate; });
}

bool TChannel::Playing() const {
    CheckDevice();
    return System().mixer.Active(id_);
}

bool TChannel::Paused() const {
    return SettingsOf(id_).paused;
}

float TChannel::Volume() const {
    return SettingsOf(id_).volume;
}

float TChannel::Pan() const {
    return SettingsOf(id_).pan;
}

float TChannel::Rate() const {
    return SettingsOf(id_).rate;
}

ChannelPtr AllocChannel() {
    return std::make_shared<TChannel>();
}
