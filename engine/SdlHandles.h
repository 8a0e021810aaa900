// The SDL handles the engine owns, each released by its own SDL call when its
// owner lets it go. Internal to the engine: it includes SDL.
#pragma once

#include <SDL.h>

#include <memory>

struct SdlWindowDeleter {
    void operator()(SDL_Window* window) const { SDL_DestroyWindow(window); }
};
struct SdlRendererDeleter {
    void operator()(SDL_Renderer* renderer) const { SDL_DestroyRenderer(renderer); }
};
// Destroys a texture, or, while a command of the frame drawn or being drawn
// still uses it, as soon as none does (engine/Graphics.cpp).
void ReleaseSdlTexture(SDL_Texture* texture);
struct SdlTextureDeleter {
    void operator()(SDL_Texture* texture) const { ReleaseSdlTexture(texture); }
};

using SdlWindowPtr = std::unique_ptr<SDL_Window, SdlWindowDeleter>;
using SdlRendererPtr = std::unique_ptr<SDL_Renderer, SdlRendererDeleter>;
// A texture must go before the renderer that made it.
using SdlTexturePtr = std::unique_ptr<SDL_Texture, SdlTextureDeleter>;

// An open audio device; closing it waits for a running callback.
class SdlAudioDevice {
  public:
    SdlAudioDevice() = default;
    explicit SdlAudioDevice(SDL_AudioDeviceID id) : id_(id) {}
    ~SdlAudioDevice() { Close(); }
    SdlAudioDevice(SdlAudioDevice&& other) noexcept : id_(other.id_) { other.id_ = 0; }
    SdlAudioDevice& operator=(SdlAudioDevice&& other) noexcept {
        if (this != &other) {
            Close();
            id_ = other.id_;
            other.id_ = 0;
        }
        return *this;
    }
    SdlAudioDevice(const SdlAudioDevice&) = delete;
    SdlAudioDevice& operator=(const SdlAudioDevice&) = delete;

    SDL_AudioDeviceID Id() const { return id_; }
    explicit operator bool() const { return id_ != 0; }
    void Close() {
        if (id_ != 0) SDL_CloseAudioDevice(id_);
        id_ = 0;
    }

  private:
    SDL_AudioDeviceID id_ = 0;
};
