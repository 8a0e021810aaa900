// Shared between the drawing and image code of the engine only.
#pragma once

#include "engine/SdlHandles.h"

struct ImageTexture {
    SdlTexturePtr texture;
    int width = 0;
    int height = 0;
    bool opaque = false;  // every texel at full alpha
};

// The renderer of the open graphics, or null.
SDL_Renderer* CurrentSdlRenderer();
SDL_Window* CurrentSdlWindow();

// Frees every image texture (before the renderer is destroyed).
void DropAllImageTextures();

// The focus and minimised state the window events read so far describe (the
// headless drivers have no desktop to ask).
bool FocusFromEvents();
bool MinimisedFromEvents();

// To be called before a texture's content changes: a draw of it already
// made this frame is drawn with what it holds now, and draws from here on
// count as different from those of earlier frames.
void TextureContentChanging(SDL_Texture* texture);
