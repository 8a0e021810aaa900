#include "engine/Graphics.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <set>
#include <unordered_map>
#include <unordered_set>

#include "engine/BuiltinFont.h"
#include "engine/Compose.h"
#include "engine/FrameDiff.h"
#include "engine/Input.h"
#include "engine/RenderInternal.h"
#include "engine/platform/Platform.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

struct DrawState {
    int blend = SOLIDBLEND;
    float alpha = 1.0f;
    uint8_t r = 255, g = 255, b = 255;
    uint8_t clsR = 0, clsG = 0, clsB = 0;
    float rotation = 0, scaleX = 1, scaleY = 1;
    // The transform matrix: local (x, y) -> (x*ix + y*iy, x*jx + y*jy).
    float ix = 1, iy = 0, jx = 0, jy = 1;
    float handleX = 0, handleY = 0;
    float originX = 0, originY = 0;
    float lineWidth = 1;
    int viewX = 0, viewY = 0, viewW = 0, viewH = 0;
};

// The window, its renderer and the render target, declared so that they are
// released in the right order: the target before the renderer before the
// window.
struct Display {
    SdlWindowPtr window;
    SdlRendererPtr renderer;
    // The frame is drawn straight into the window's back buffer at its place
    // (the renderer's viewport) when it can be; otherwise, or while the frame
    // is to be kept from one Flip to the next, it is drawn here and copied to
    // the window at Flip.
    SdlTexturePtr target;
    bool direct = false;  // drawing goes to the window
    // The window's back buffer still holds the frame presented last after
    // it is presented (known of Mesa's software rasterisers on X11).
    bool keepsBackBuffer = false;
    bool keepFrame = false;  // drawing goes to the target, asked for
    bool watching = false;   // the window's size changes are watched
    // Where batches drawn by the engine itself go back to the target.
    SdlTexturePtr composeTexture;
    int composeWidth = 0, composeHeight = 0;
    int width = 0, height = 0, depth = 0;
    // Where the target is presented in the window's drawable, in pixels; the
    // rest of the drawable is painted in the bar colour.
    SDL_Rect frame{0, 0, 0, 0};
    uint8_t barR = 0, barG = 0, barB = 0;
    long presented = 0;
    float virtualWidth = 0, virtualHeight = 0;
    float toPhysicalX = 1, toPhysicalY = 1;  // physical pixels per virtual pixel
    RendererKind wanted = RendererKind::Accelerated;
    RendererKind current = RendererKind::Software;
    std::string rendererName;
    std::string title = "Hollowmere";
    int vsync = -1;
    ImagePtr font;
};

DrawState g_state;
// Never destroyed: images held by other statics release their textures
// during exit, which needs the renderer. CloseGraphics releases it all.
Display& g_display = *new Display;
bool g_videoStarted = false;

// Frees the pictures of every frame layer (before the renderer goes).
void DropAllLayers();

struct Point {
    float x, y;
};

Point ToScreen(float localX, float localY, float x, float y) {
    const float vx = localX * g_state.ix + localY * g_state.iy + x + g_state.originX;
    const float vy = localX * g_state.jx + localY * g_state.jy + y + g_state.originY;
    return {vx * g_display.toPhysicalX, vy * g_display.toPhysicalY};
}

bool IsAxisAligned() {
    return g_state.iy == 0 && g_state.jx == 0;
}

SDL_BlendMode SdlBlend(int mode) {
    switch (mode) {
        case MASKBLEND:
        case ALPHABLEND:
            return SDL_BLENDMODE_BLEND;
        case LIGHTBLEND:
            return SDL_BLENDMODE_ADD;
        case SHADEBLEND:
            return SDL_BLENDMODE_MOD;
        default:
            return SDL_BLENDMODE_NONE;
    }
}

// Alpha as the renderer should apply it: mask and solid drawing ignore it.
uint8_t EffectiveAlpha() {
    if (g_state.blend == MASKBLEND || g_state.blend == SOLIDBLEND) return 255;
    return static_cast<uint8_t>(std::lround(std::clamp(g_state.alpha, 0.0f, 1.0f) * 255.0f));
}

SDL_Color VertexColour() {
    return {g_state.r, g_state.g, g_state.b, EffectiveAlpha()};
}

DrawnPixels g_drawn;

// The physical clip rectangle of the viewport, as ApplyClip sets it.
SDL_Rect ClipRect() {
    const float sx = g_display.toPhysicalX, sy = g_display.toPhysicalY;
    SDL_Rect clip;
    clip.x = static_cast<int>(std::lround(g_state.viewX * sx));
    clip.y = static_cast<int>(std::lround(g_state.viewY * sy));
    clip.w = static_cast<int>(std::lround((g_state.viewX + g_state.viewW) * sx)) - clip.x;
    clip.h = static_cast<int>(std::lround((g_state.viewY + g_state.viewH) * sy)) - clip.y;
    if (clip.w <= 0 || clip.h <= 0) clip = {0, 0, 0, 0};
    return clip;
}

void CountPixels(SDL_BlendMode mode, long long pixels) {
    switch (mode) {
        case SDL_BLENDMODE_NONE:
            g_drawn.solid += pixels;
            break;
        case SDL_BLENDMODE_BLEND:
            g_drawn.alpha += pixels;
            break;
        case SDL_BLENDMODE_ADD:
            g_drawn.light += pixels;
            break;
        default:
            g_drawn.shade += pixels;
            break;
    }
}

// Positions far outside any frame, kept as they are by float arithmetic but
// not by a cast to int.
float Tame(float position) {
    return std::isfinite(position) ? std::clamp(position, -1e7f, 1e7f) : 0.0f;
}

// The pixels a draw covering the physical box (left, top)-(right, bottom)
// counts: those whose centres lie inside it and inside the clip rectangle.
ComposeBox CountedBox(const SDL_Rect& clip, float left, float top, float right, float bottom) {
    const auto centre = [](float edge) { return static_cast<int>(std::ceil(Tame(edge) - 0.5f)); };
    ComposeBox box{std::max(centre(left), clip.x), std::max(centre(top), clip.y),
                   std::min(centre(right), clip.x + clip.w),
                   std::min(centre(bottom), clip.y + clip.h)};
    return box.Empty() ? ComposeBox{} : box;
}

// Whether a draw blended this way with this colour and alpha leaves the frame
// as it was: a transparent blend, or adding nothing.
bool ChangesNothing(SDL_BlendMode mode, uint8_t r, uint8_t g, uint8_t b, uint8_t alpha) {
    if (mode == SDL_BLENDMODE_BLEND) return alpha == 0;
    if (mode == SDL_BLENDMODE_ADD) return alpha == 0 || (r == 0 && g == 0 && b == 0);
    return false;
}

// How a picture is blended: one every texel of which is opaque, drawn at full
// alpha by source alpha, gives the same pixels written as they are.
SDL_BlendMode PictureBlend(const ImageTexture& texture, int blend, uint8_t alpha) {
    if ((blend == ALPHABLEND || blend == MASKBLEND) && texture.opaque && alpha == 255)
        return SDL_BLENDMODE_NONE;
    return SdlBlend(blend);
}

void ApplyClip() {
    if (!g_display.renderer) return;
    const SDL_Rect clip = ClipRect();
    SDL_RenderSetClipRect(g_display.renderer.get(), &clip);
}

// ---------------------------------------------------------------- commands
//
// Every draw aimed at the frame becomes a command holding all its call to the
// renderer needs. Drawn at once, it is made and forgotten; while the frame is
// retained, the frame's commands are kept and, at Flip, compared with those
// of the frame the target holds: only the boxes where the two differ are
// drawn again, each with the commands that reach into it clipped to it.

enum class CommandKind : uint8_t { Clear, FillRect, Line, Copy, Geometry };

struct DrawCommand {
    CommandKind kind = CommandKind::FillRect;
    SDL_BlendMode blend = SDL_BLENDMODE_NONE;
    SDL_Color colour{255, 255, 255, 255};  // the texture's colour and alpha, or the draw colour
    SDL_Texture* texture = nullptr;
    uint64_t version = 0;  // of the texture's content
    SDL_Rect clip{0, 0, 0, 0};
    SDL_Rect src{0, 0, 0, 0};
    SDL_FRect dst{0, 0, 0, 0};  // a line goes from (x, y) to (w, h)
    int flip = SDL_FLIP_NONE;
    // Geometry: vertices of the list, and indices counted from the first.
    int firstVertex = 0, vertexCount = 0, firstIndex = 0, indexCount = 0;
    // Geometry of one batch (not 0) goes to the renderer in one call, as it
    // does drawn at once; not part of the hash.
    uint32_t batch = 0;
    ComposeBox bounds;   // every pixel it may change
    ComposeBox counted;  // the pixels it counts
    long long countedPixels = 0;
    uint64_t hash = 0;
};

struct CommandList {
    std::vector<DrawCommand> commands;
    std::vector<SDL_Vertex> vertices;
    std::vector<int> indices;
    void Clear() {
        commands.clear();
        vertices.clear();
        indices.clear();
    }
};

// Pairs of commands compared at most to match what differs between frames.
constexpr size_t kDiffCellCap = size_t{1} << 20;
// Dirty boxes drawn one by one; more are merged.
constexpr size_t kMostDirtyBoxes = 8;
// Above this share of the frame (in tenths), the whole frame is drawn.
constexpr long kWholeFrameTenths = 6;

struct RetainedFrame {
    RetainedFrame() {
        const char* setting = SDL_getenv("HOLLOWMERE_RETAINED_FRAME");
        wanted = !(setting && std::strcmp(setting, "0") == 0);
    }
    bool wanted = true;
    CommandList pending;      // this frame's commands
    CommandList shown;        // those of the frame the target holds
    bool shownValid = false;  // shown tells what the target holds
    size_t flushed = 0;       // pending commands already drawn, whole
    bool broken = false;      // drawn at once since the engine composed into the frame
    bool needPresent = true;  // the window lost what it showed
    bool presentedLast = false;
    int layerDepth = 0;  // frame layers being drawn into
    // Textures the commands of either list use: they stay alive while they
    // do, so that no other texture takes their place under the same pointer.
    std::unordered_set<SDL_Texture*> pendingTextures, shownTextures;
    std::vector<SDL_Texture*> released;
    std::unordered_map<SDL_Texture*, uint64_t> versions;
    uint64_t nextVersion = 1;
    std::vector<FrameEntry> before, after;
    // What the last Flip drew again: the whole frame, or these boxes.
    std::vector<ComposeBox> lastDirty;
    bool lastWhole = true;
};
RetainedFrame& g_retained = *new RetainedFrame;
CommandList& g_atOnce = *new CommandList;
std::vector<int>& g_runIndices = *new std::vector<int>;

// Drawing goes to the frame's target and is replayed from there.
bool RetainingFrame() {
    return g_retained.wanted && !g_display.keepFrame && !g_display.direct &&
           g_display.target != nullptr;
}

bool Recording() {
    return RetainingFrame() && g_retained.layerDepth == 0 && !g_retained.broken;
}

uint64_t TextureVersion(SDL_Texture* texture) {
    const auto found = g_retained.versions.find(texture);
    return found == g_retained.versions.end() ? 0 : found->second;
}

void DestroyUnusedTextures() {
    RetainedFrame& r = g_retained;
    auto kept = r.released.begin();
    for (SDL_Texture* texture : r.released) {
        if (r.pendingTextures.count(texture) || r.shownTextures.count(texture)) {
            *kept++ = texture;
        } else {
            r.versions.erase(texture);
            SDL_DestroyTexture(texture);
        }
    }
    r.released.erase(kept, r.released.end());
}

// Where a draw's command goes: the frame's list, or a list drawn at once.
CommandList& CommandSink() {
    return Recording() ? g_retained.pending : g_atOnce;
}

DrawCommand& NewCommand(CommandList& list, CommandKind kind) {
    DrawCommand& command = list.commands.emplace_back();
    command.kind = kind;
    command.clip = ClipRect();
    return command;
}

uint64_t Mix(uint64_t hash, uint64_t value) {
    hash ^= value + 0x9E3779B97F4A7C15ull + (hash << 6) + (hash >> 2);
    hash ^= hash >> 31;
    return hash * 0xBF58476D1CE4E5B9ull;
}
uint64_t Bits(float value) {
    uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}
uint64_t Pack(int a, int b) {
    return static_cast<uint64_t>(static_cast<uint32_t>(a)) << 32 | static_cast<uint32_t>(b);
}
uint64_t Pack(const SDL_Color& c) {
    return uint64_t{c.r} << 24 | uint64_t{c.g} << 16 | uint64_t{c.b} << 8 | c.a;
}

uint64_t HashCommand(const CommandList& list, const DrawCommand& c) {
    uint64_t hash = Mix(static_cast<uint64_t>(c.kind), static_cast<uint64_t>(c.blend));
    hash = Mix(hash, Pack(c.colour));
    if (c.kind == CommandKind::Clear) {
        hash = Mix(hash, Pack(c.bounds.right, c.bounds.bottom));
        return hash;
    }
    hash = Mix(hash, reinterpret_cast<uintptr_t>(c.texture));
    hash = Mix(hash, c.version);
    hash = Mix(hash, Pack(c.clip.x, c.clip.y));
    hash = Mix(hash, Pack(c.clip.w, c.clip.h));
    hash = Mix(hash, Pack(c.src.x, c.src.y));
    hash = Mix(hash, Pack(c.src.w, c.src.h));
    hash = Mix(hash, Bits(c.dst.x) << 32 | Bits(c.dst.y));
    hash = Mix(hash, Bits(c.dst.w) << 32 | Bits(c.dst.h));
    hash = Mix(hash, Pack(c.flip, c.vertexCount));
    for (int i = 0; i < c.vertexCount; ++i) {
        const SDL_Vertex& v = list.vertices[static_cast<size_t>(c.firstVertex + i)];
        hash = Mix(hash, Bits(v.position.x) << 32 | Bits(v.position.y));
        hash = Mix(hash, Bits(v.tex_coord.x) << 32 | Bits(v.tex_coord.y));
        hash = Mix(hash, Pack(v.color));
    }
    for (int i = 0; i < c.indexCount; ++i)
        hash =
            Mix(hash, static_cast<uint64_t>(list.indices[static_cast<size_t>(c.firstIndex + i)]));
    return hash;
}

// Completes a command covering the physical box (left, top)-(right, bottom):
// what it may change, what it counts and its hash.
void FinishCommand(CommandList& list, DrawCommand& c, float left, float top, float right,
                   float bottom) {
    const ComposeBox frame{0, 0, g_display.width, g_display.height};
    const ComposeBox clip{c.clip.x, c.clip.y, c.clip.x + c.clip.w, c.clip.y + c.clip.h};
    // A pixel of margin: rasterisers round edges their own way.
    const ComposeBox reach{static_cast<int>(std::floor(Tame(left))) - 1,
                           static_cast<int>(std::floor(Tame(top))) - 1,
                           static_cast<int>(std::ceil(Tame(right))) + 1,
                           static_cast<int>(std::ceil(Tame(bottom))) + 1};
    c.bounds = IntersectBox(IntersectBox(reach, clip), frame);
    c.counted = CountedBox(c.clip, left, top, right, bottom);
    c.countedPixels = c.counted.Area();
    if (&list != &g_retained.pending) return;
    c.hash = HashCommand(list, c);
    if (c.texture) g_retained.pendingTextures.insert(c.texture);
}

// Adds a geometry command's vertices and indices.
void AddGeometry(CommandList& list, DrawCommand& c, const SDL_Vertex* vertices, int vertexCount,
                 const int* indices, int indexCount) {
    c.firstVertex = static_cast<int>(list.vertices.size());
    c.vertexCount = vertexCount;
    c.firstIndex = static_cast<int>(list.indices.size());
    c.indexCount = indexCount;
    list.vertices.insert(list.vertices.end(), vertices, vertices + vertexCount);
    list.indices.insert(list.indices.end(), indices, indices + indexCount);
}

SDL_BlendMode CountMode(const DrawCommand& c) {
    return c.kind == CommandKind::Clear ? SDL_BLENDMODE_NONE : c.blend;
}

// Whether two geometry commands that follow each other go in one call.
bool SameCall(const DrawCommand& a, const DrawCommand& b) {
    return a.kind == CommandKind::Geometry && b.kind == CommandKind::Geometry && a.batch != 0 &&
           a.batch == b.batch && a.texture == b.texture && a.blend == b.blend &&
           a.colour.r == b.colour.r && a.colour.g == b.colour.g && a.colour.b == b.colour.b &&
           a.colour.a == b.colour.a && a.clip.x == b.clip.x && a.clip.y == b.clip.y &&
           a.clip.w == b.clip.w && a.clip.h == b.clip.h &&
           b.firstVertex == a.firstVertex + a.vertexCount;
}

SDL_Rect ToRect(const ComposeBox& box) {
    return {box.left, box.top, box.right - box.left, box.bottom - box.top};
}

// Makes the calls of commands [first, last) of a list: whole, or only inside
// `dirty` (those that reach into it, clipped to it).
void RunCommands(const CommandList& list, size_t first, size_t last, const ComposeBox* dirty) {
    SDL_Renderer* renderer = g_display.renderer.get();
    if (!renderer) return;
    for (size_t n = first; n < last; ++n) {
        const DrawCommand& c = list.commands[n];
        if (dirty && IntersectBox(c.bounds, *dirty).Empty()) continue;
        ++g_drawn.draws;
        if (!dirty) {
            CountPixels(CountMode(c), c.countedPixels);
        } else if (c.kind == CommandKind::Line) {
            CountPixels(CountMode(c), c.countedPixels);
        } else {
            CountPixels(CountMode(c), IntersectBox(c.counted, *dirty).Area());
        }
        SDL_Rect clip = c.clip;
        if (dirty)
            clip = ToRect(IntersectBox({clip.x, clip.y, clip.x + clip.w, clip.y + clip.h}, *dirty));
        switch (c.kind) {
            case CommandKind::Clear: {
                SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
                SDL_SetRenderDrawColor(renderer, c.colour.r, c.colour.g, c.colour.b, 255);
                if (dirty) {
                    const SDL_Rect area = ToRect(IntersectBox(c.bounds, *dirty));
                    SDL_RenderSetClipRect(renderer, &area);
                    SDL_RenderFillRect(renderer, &area);
                } else if (SDL_GetRenderTarget(renderer)) {
                    SDL_RenderClear(renderer);
                } else {
                    SDL_RenderSetClipRect(renderer, nullptr);
                    SDL_RenderFillRect(renderer, nullptr);
                }
                break;
            }
            case CommandKind::FillRect:
            case CommandKind::Line:
                SDL_RenderSetClipRect(renderer, &clip);
                SDL_SetRenderDrawBlendMode(renderer, c.blend);
                SDL_SetRenderDrawColor(renderer, c.colour.r, c.colour.g, c.colour.b, c.colour.a);
                if (c.kind == CommandKind::FillRect)
                    SDL_RenderFillRectF(renderer, &c.dst);
                else
                    SDL_RenderDrawLineF(renderer, c.dst.x, c.dst.y, c.dst.w, c.dst.h);
                break;
            case CommandKind::Copy:
                SDL_RenderSetClipRect(renderer, &clip);
                SDL_SetTextureBlendMode(c.texture, c.blend);
                SDL_SetTextureColorMod(c.texture, c.colour.r, c.colour.g, c.colour.b);
                SDL_SetTextureAlphaMod(c.texture, c.colour.a);
                if (c.flip == SDL_FLIP_NONE) {
                    SDL_RenderCopyF(renderer, c.texture, &c.src, &c.dst);
                } else {
                    SDL_RenderCopyExF(renderer, c.texture, &c.src, &c.dst, 0, nullptr,
                                      static_cast<SDL_RendererFlip>(c.flip));
                }
                break;
            case CommandKind::Geometry: {
                // The geometry that follows with the same texture, blend and
                // clip goes in the same call.
                size_t end = n + 1;
                while (end < last && SameCall(list.commands[end - 1], list.commands[end]) &&
                       !(dirty && IntersectBox(list.commands[end].bounds, *dirty).Empty())) {
                    const DrawCommand& next = list.commands[end];
                    ++g_drawn.draws;
                    CountPixels(CountMode(next), dirty ? IntersectBox(next.counted, *dirty).Area()
                                                       : next.countedPixels);
                    ++end;
                }
                g_runIndices.clear();
                for (size_t k = n; k < end; ++k) {
                    const DrawCommand& part = list.commands[k];
                    const int offset = part.firstVertex - c.firstVertex;
                    for (int i = 0; i < part.indexCount; ++i)
                        g_runIndices.push_back(
                            list.indices[static_cast<size_t>(part.firstIndex + i)] + offset);
                }
                const DrawCommand& lastPart = list.commands[end - 1];
                const int vertexCount = lastPart.firstVertex + lastPart.vertexCount - c.firstVertex;
                SDL_RenderSetClipRect(renderer, &clip);
                if (c.texture) {
                    SDL_SetTextureBlendMode(c.texture, c.blend);
                    SDL_SetTextureColorMod(c.texture, 255, 255, 255);
                    SDL_SetTextureAlphaMod(c.texture, 255);
                } else {
                    SDL_SetRenderDrawBlendMode(renderer, c.blend);
                }
                SDL_RenderGeometry(renderer, c.texture,
                                   &list.vertices[static_cast<size_t>(c.firstVertex)], vertexCount,
                                   g_runIndices.data(), static_cast<int>(g_runIndices.size()));
                n = end - 1;
                break;
            }
        }
    }
}

// Draws what was put in the list to be drawn at once.
void Commit(CommandList& list) {
    if (&list != &g_atOnce) return;
    RunCommands(list, 0, list.commands.size(), nullptr);
    list.Clear();
}

// Draws the frame's commands not drawn yet, whole, into the frame's target:
// for what needs the frame's real pixels before Flip.
void FlushPending() {
    RetainedFrame& r = g_retained;
    if (!RetainingFrame() || r.broken || r.flushed >= r.pending.commands.size()) return;
    SDL_Renderer* renderer = g_display.renderer.get();
    SDL_Texture* current = SDL_GetRenderTarget(renderer);
    if (current != g_display.target.get()) SDL_SetRenderTarget(renderer, g_display.target.get());
    RunCommands(r.pending, r.flushed, r.pending.commands.size(), nullptr);
    r.flushed = r.pending.commands.size();
    if (current != g_display.target.get()) SDL_SetRenderTarget(renderer, current);
    ApplyClip();
}

// The frame's commands become the frame the target holds.
void SettleFrame(bool describesTarget) {
    RetainedFrame& r = g_retained;
    std::swap(r.shown, r.pending);
    r.pending.Clear();
    r.shownValid = describesTarget;
    if (!describesTarget) r.shown.Clear();
    r.flushed = 0;
    r.broken = false;
    std::swap(r.shownTextures, r.pendingTextures);
    r.pendingTextures.clear();
    if (!describesTarget) r.shownTextures.clear();
    DestroyUnusedTextures();
}

// Whether a command clipped to a part of the frame draws there exactly the
// pixels it draws whole: clearing, filled rectangles and unscaled pictures at
// whole pixels.
bool SameWhenCut(const DrawCommand& c) {
    switch (c.kind) {
        case CommandKind::Clear:
        case CommandKind::FillRect:
            return true;
        case CommandKind::Copy:
            return c.flip == SDL_FLIP_NONE && static_cast<float>(c.src.w) == c.dst.w &&
                   static_cast<float>(c.src.h) == c.dst.h && c.dst.x == std::floor(c.dst.x) &&
                   c.dst.y == std::floor(c.dst.y);
        default:
            return false;
    }
}

// The software renderer steps through a scaled, turned or flipped picture, a
// shape or a line from where the clip rectangle cuts it, which can move its
// pixels by one: there, a dirty box that cuts such a command grows to hold it
// (the frame's whole when that does not settle).
void HoldCutCommands(std::vector<ComposeBox>& boxes, const CommandList& list) {
    if (g_display.current != RendererKind::Software) return;
    constexpr int kMostRounds = 16;
    for (int round = 0; round < kMostRounds; ++round) {
        bool grown = false;
        for (const DrawCommand& c : list.commands) {
            if (c.bounds.Empty() || SameWhenCut(c)) continue;
            for (ComposeBox& box : boxes) {
                const long shared = IntersectBox(box, c.bounds).Area();
                if (shared == 0 || shared == c.bounds.Area()) continue;
                box = UnionBox(box, c.bounds);
                grown = true;
            }
        }
        if (!grown) return;
        boxes = MergeBoxes(std::move(boxes), kMostDirtyBoxes);
    }
    boxes = {ComposeBox{0, 0, g_display.width, g_display.height}};
}

// Draws into the target what changed of the frame since the frame it holds;
// false when nothing did.
bool DrawRetainedFrame() {
    RetainedFrame& r = g_retained;
    const CommandList& now = r.pending;
    const size_t count = now.commands.size();
    r.lastWhole = true;
    if (r.broken || r.flushed > 0 || !r.shownValid) {
        RunCommands(now, r.flushed, count, nullptr);
        SettleFrame(!r.broken);
        return true;
    }
    r.before.clear();
    r.after.clear();
    for (const DrawCommand& c : r.shown.commands)
        r.before.push_back({c.hash, c.bounds});
    for (const DrawCommand& c : now.commands)
        r.after.push_back({c.hash, c.bounds});
    std::vector<ComposeBox> dirty =
        MergeBoxes(ChangedBoxes(r.before, r.after, kDiffCellCap), kMostDirtyBoxes);
    HoldCutCommands(dirty, now);
    long area = 0;
    for (const ComposeBox& box : dirty)
        area += box.Area();
    const long whole = static_cast<long>(g_display.width) * g_display.height;
    if (area * 10 > whole * kWholeFrameTenths) {
        RunCommands(now, 0, count, nullptr);
    } else {
        for (const ComposeBox& box : dirty)
            RunCommands(now, 0, count, &box);
        r.lastWhole = false;
        r.lastDirty = dirty;
    }
    SettleFrame(true);
    return !dirty.empty();
}

// Forgets every command and lets every texture they held go.
void DropRetainedFrame() {
    RetainedFrame& r = g_retained;
    r.pending.Clear();
    r.shown.Clear();
    r.pendingTextures.clear();
    r.shownTextures.clear();
    DestroyUnusedTextures();
    r.versions.clear();
    r.shownValid = false;
    r.flushed = 0;
    r.broken = false;
    r.needPresent = true;
    r.lastWhole = true;
    r.layerDepth = 0;
    g_atOnce.Clear();
}

void UpdateScale() {
    g_display.toPhysicalX =
        g_display.virtualWidth > 0 ? g_display.width / g_display.virtualWidth : 1.0f;
    g_display.toPhysicalY =
        g_display.virtualHeight > 0 ? g_display.height / g_display.virtualHeight : 1.0f;
}

void UpdateMatrix() {
    const double radians = g_state.rotation * kPi / 180.0;
    float c = static_cast<float>(std::cos(radians));
    float s = static_cast<float>(std::sin(radians));
    // Keep right angles exact so the fast axis-aligned paths stay in use.
    if (std::fabs(c) < 1e-6f) c = 0;
    if (std::fabs(s) < 1e-6f) s = 0;
    g_state.ix = c * g_state.scaleX;
    g_state.iy = -s * g_state.scaleY;
    g_state.jx = s * g_state.scaleX;
    g_state.jy = c * g_state.scaleY;
}

// Cuts an unscaled picture at whole pixels down to the part inside the
// viewport, which the renderer then neither reads nor sends; a scaled one is
// left whole (cutting it could move its filtering by a fraction of a texel).
// False when nothing of it is inside.
bool CropToClip(SDL_Rect& src, SDL_FRect& dst) {
    if (dst.w != static_cast<float>(src.w) || dst.h != static_cast<float>(src.h) ||
        dst.x != std::floor(dst.x) || dst.y != std::floor(dst.y))
        return true;
    const SDL_Rect clip = ClipRect();
    const int left = std::max(static_cast<int>(dst.x), clip.x);
    const int top = std::max(static_cast<int>(dst.y), clip.y);
    const int right = std::min(static_cast<int>(dst.x) + src.w, clip.x + clip.w);
    const int bottom = std::min(static_cast<int>(dst.y) + src.h, clip.y + clip.h);
    if (right <= left || bottom <= top) return false;
    src.x += left - static_cast<int>(dst.x);
    src.y += top - static_cast<int>(dst.y);
    src.w = right - left;
    src.h = bottom - top;
    dst = {static_cast<float>(left), static_cast<float>(top), static_cast<float>(src.w),
           static_cast<float>(src.h)};
    return true;
}

// Draws the local rectangle (x0, y0)-(x1, y1), placed at (x, y), textured
// with the texture rectangle (u0, v0)-(u1, v1) in texels.
void DrawTexturedQuad(ImageTexture* texture, float x0, float y0, float x1, float y1, float u0,
                      float v0, float u1, float v1, float x, float y) {
    if (!g_display.renderer || !texture) return;
    SDL_Texture* sdlTexture = texture->texture.get();
    const SDL_BlendMode mode = PictureBlend(*texture, g_state.blend, EffectiveAlpha());
    if (ChangesNothing(mode, g_state.r, g_state.g, g_state.b, EffectiveAlpha())) return;
    CommandList& list = CommandSink();
    const bool integerSource = u0 == std::floor(u0) && v0 == std::floor(v0) &&
                               u1 == std::floor(u1) && v1 == std::floor(v1);
    if (IsAxisAligned() && g_state.ix != 0 && g_state.jy != 0 && integerSource && u1 > u0 &&
        v1 > v0) {
        const Point a = ToScreen(x0, y0, x, y);
        const Point b = ToScreen(x1, y1, x, y);
        SDL_FRect dst{std::min(a.x, b.x), std::min(a.y, b.y), std::fabs(b.x - a.x),
                      std::fabs(b.y - a.y)};
        SDL_Rect src{static_cast<int>(u0), static_cast<int>(v0), static_cast<int>(u1 - u0),
                     static_cast<int>(v1 - v0)};
        int flip = SDL_FLIP_NONE;
        if (b.x < a.x) flip |= SDL_FLIP_HORIZONTAL;
        if (b.y < a.y) flip |= SDL_FLIP_VERTICAL;
        if (flip == SDL_FLIP_NONE && !CropToClip(src, dst)) return;
        DrawCommand& copy = NewCommand(list, CommandKind::Copy);
        copy.texture = sdlTexture;
        copy.version = TextureVersion(sdlTexture);
        copy.blend = mode;
        copy.colour = VertexColour();
        copy.src = src;
        copy.dst = dst;
        copy.flip = flip;
        FinishCommand(list, copy, dst.x, dst.y, dst.x + dst.w, dst.y + dst.h);
        Commit(list);
        return;
    }
    const float tw = static_cast<float>(texture->width), th = static_cast<float>(texture->height);
    const SDL_Color colour = VertexColour();
    const float localX[4] = {x0, x1, x1, x0};
    const float localY[4] = {y0, y0, y1, y1};
    const float texU[4] = {u0 / tw, u1 / tw, u1 / tw, u0 / tw};
    const float texV[4] = {v0 / th, v0 / th, v1 / th, v1 / th};
    SDL_Vertex vertices[4];
    for (int i = 0; i < 4; ++i) {
        const Point p = ToScreen(localX[i], localY[i], x, y);
        vertices[i] = {{p.x, p.y}, colour, {texU[i], texV[i]}};
    }
    static const int indices[6] = {0, 1, 2, 0, 2, 3};
    DrawCommand& quad = NewCommand(list, CommandKind::Geometry);
    quad.texture = sdlTexture;
    quad.version = TextureVersion(sdlTexture);
    quad.blend = mode;
    AddGeometry(list, quad, vertices, 4, indices, 6);
    FinishCommand(list, quad,
                  std::min({vertices[0].position.x, vertices[1].position.x, vertices[2].position.x,
                            vertices[3].position.x}),
                  std::min({vertices[0].position.y, vertices[1].position.y, vertices[2].position.y,
                            vertices[3].position.y}),
                  std::max({vertices[0].position.x, vertices[1].position.x, vertices[2].position.x,
                            vertices[3].position.x}),
                  std::max({vertices[0].position.y, vertices[1].position.y, vertices[2].position.y,
                            vertices[3].position.y}));
    Commit(list);
}

// A primitive at full alpha blended by source alpha is written as it is.
SDL_BlendMode PrimitiveBlend() {
    if ((g_state.blend == ALPHABLEND || g_state.blend == MASKBLEND) && EffectiveAlpha() == 255)
        return SDL_BLENDMODE_NONE;
    return SdlBlend(g_state.blend);
}

// Whether an untextured primitive is drawn: mask blending draws it solid when
// alpha is at least one half and not at all below.
bool PreparePrimitive() {
    if (!g_display.renderer) return false;
    if (g_state.blend == MASKBLEND && g_state.alpha < 0.5f) return false;
    return !ChangesNothing(PrimitiveBlend(), g_state.r, g_state.g, g_state.b, EffectiveAlpha());
}

// A filled polygon of screen points, as a fan from the first one.
void FillScreenPolygon(const std::vector<Point>& points) {
    if (points.size() < 3) return;
    float left = points[0].x, top = points[0].y, right = left, bottom = top;
    for (const Point& p : points) {
        left = std::min(left, p.x);
        top = std::min(top, p.y);
        right = std::max(right, p.x);
        bottom = std::max(bottom, p.y);
    }
    const SDL_Color colour = VertexColour();
    std::vector<SDL_Vertex> vertices;
    vertices.reserve(points.size());
    for (const Point& p : points)
        vertices.push_back({{p.x, p.y}, colour, {0, 0}});
    std::vector<int> indices;
    indices.reserve((points.size() - 2) * 3);
    for (size_t i = 1; i + 1 < points.size(); ++i) {
        indices.push_back(0);
        indices.push_back(static_cast<int>(i));
        indices.push_back(static_cast<int>(i + 1));
    }
    CommandList& list = CommandSink();
    DrawCommand& shape = NewCommand(list, CommandKind::Geometry);
    shape.blend = PrimitiveBlend();
    AddGeometry(list, shape, vertices.data(), static_cast<int>(vertices.size()), indices.data(),
                static_cast<int>(indices.size()));
    FinishCommand(list, shape, left, top, right, bottom);
    Commit(list);
}

// A rectangle of screen points, or a thin line from its corner (x, y) to (w, h).
void FillScreenRect(CommandKind kind, const SDL_FRect& rect) {
    CommandList& list = CommandSink();
    DrawCommand& shape = NewCommand(list, kind);
    shape.blend = PrimitiveBlend();
    shape.colour = VertexColour();
    shape.dst = rect;
    if (kind == CommandKind::Line) {
        FinishCommand(list, shape, std::min(rect.x, rect.w), std::min(rect.y, rect.h),
                      std::max(rect.x, rect.w), std::max(rect.y, rect.h));
        shape.counted = shape.bounds;
        shape.countedPixels =
            1 + std::lround(std::max(std::fabs(rect.w - rect.x), std::fabs(rect.h - rect.y)));
    } else {
        FinishCommand(list, shape, rect.x, rect.y, rect.x + rect.w, rect.y + rect.h);
    }
    Commit(list);
}

int RenderDriverIndex(const char* name) {
    const int count = SDL_GetNumRenderDrivers();
    for (int i = 0; i < count; ++i) {
        SDL_RendererInfo info;
        if (SDL_GetRenderDriverInfo(i, &info) == 0 && std::strcmp(info.name, name) == 0) return i;
    }
    return -1;
}

bool AcceleratedDriverExists() {
    const int count = SDL_GetNumRenderDrivers();
    for (int i = 0; i < count; ++i) {
        SDL_RendererInfo info;
        if (SDL_GetRenderDriverInfo(i, &info) == 0 && (info.flags & SDL_RENDERER_ACCELERATED) &&
            std::strcmp(info.name, "software") != 0) {
            return true;
        }
    }
    return false;
}

SDL_Renderer* CreateRendererOfKind(SDL_Window* window, RendererKind kind) {
    const Uint32 flags = SDL_RENDERER_TARGETTEXTURE;
    switch (kind) {
        case RendererKind::Accelerated: {
            if (!AcceleratedDriverExists()) return nullptr;
            return SDL_CreateRenderer(window, -1, flags | SDL_RENDERER_ACCELERATED);
        }
        case RendererKind::OpenGL: {
            const int index = RenderDriverIndex("opengl");
            return index < 0 ? nullptr
                             : SDL_CreateRenderer(window, index, flags | SDL_RENDERER_ACCELERATED);
        }
        case RendererKind::Software: {
            const int index = RenderDriverIndex("software");
            return SDL_CreateRenderer(window, index, SDL_RENDERER_SOFTWARE | flags);
        }
    }
    return nullptr;
}

// Whether the renderer just made presents by copying a back buffer of its
// own that it keeps: Mesa's software rasterisers on X11 do.
bool BackBufferKept() {
    const char* setting = SDL_getenv("HOLLOWMERE_PARTIAL_PRESENT");
    if (setting && std::strcmp(setting, "0") == 0) return false;
    if (g_display.rendererName != "opengl" || VideoDriverName() != "x11") return false;
    using GetString = const unsigned char* (*)(unsigned int);
    constexpr unsigned int kGlRenderer = 0x1F01;
    const auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    const unsigned char* name = getString ? getString(kGlRenderer) : nullptr;
    if (!name) return false;
    const std::string renderer(reinterpret_cast<const char*>(name));
    return renderer.find("llvmpipe") != std::string::npos ||
           renderer.find("softpipe") != std::string::npos ||
           renderer.find("Software Rasterizer") != std::string::npos;
}

bool OpenRenderer() {
    RendererKind order[3] = {g_display.wanted, RendererKind::Accelerated, RendererKind::Software};
    if (g_display.wanted == RendererKind::Accelerated) order[1] = RendererKind::OpenGL;
    for (RendererKind kind : order) {
        g_display.renderer.reset(CreateRendererOfKind(g_display.window.get(), kind));
        if (g_display.renderer) {
            g_display.current = kind;
            SDL_RendererInfo info;
            SDL_GetRendererInfo(g_display.renderer.get(), &info);
            g_display.rendererName = info.name;
            g_display.keepsBackBuffer = BackBufferKept();
            return true;
        }
    }
    return false;
}

void CreateBuiltinFontImage() {
    // All printable characters in one row of cells, white, alpha from the
    // glyph bits.
    const int first = 32, count = 95;
    PixmapPtr pixels =
        TPixmap::Create(BUILTIN_GLYPH_WIDTH * count, BUILTIN_GLYPH_HEIGHT, PixelFormat::RGBA8888);
    pixels->ClearPixels(0x00FFFFFFu);
    for (int c = 0; c < count; ++c) {
        const uint8_t* rows = BuiltinGlyph(first + c);
        for (int y = 0; y < BUILTIN_GLYPH_HEIGHT; ++y) {
            for (int x = 0; x < BUILTIN_GLYPH_WIDTH; ++x) {
                if (rows[y] & (0x80 >> x))
                    pixels->WritePixel(c * BUILTIN_GLYPH_WIDTH + x, y, 0xFFFFFFFFu);
            }
        }
    }
    const bool autoMid = AutoMidHandleEnabled();
    AutoMidHandle(false);
    g_display.font = TImage::FromPixmap(pixels, 0);
    AutoMidHandle(autoMid);
}

void ResetViewState() {
    g_display.virtualWidth = static_cast<float>(g_display.width);
    g_display.virtualHeight = static_cast<float>(g_display.height);
    UpdateScale();
    g_state.viewX = g_state.viewY = 0;
    g_state.viewW = g_display.width;
    g_state.viewH = g_display.height;
    g_state.originX = g_state.originY = 0;
    ApplyClip();
}

// The rectangle of the frame (or of the picture being drawn into) where
// drawing lands, in the coordinates SDL_RenderReadPixels reads by.
SDL_Rect DrawingPlace(const SDL_Rect& rect) {
    SDL_Rect place;
    SDL_RenderGetViewport(g_display.renderer.get(), &place);
    return {rect.x + place.x, rect.y + place.y, rect.w, rect.h};
}

PixmapPtr ReadPhysical(const SDL_Rect& rect) {
    if (!g_display.renderer || rect.w <= 0 || rect.h <= 0) return nullptr;
    // The frame's pixels are what its commands draw.
    if (g_retained.layerDepth == 0) FlushPending();
    PixmapPtr pixels = TPixmap::Create(rect.w, rect.h, PixelFormat::RGBA8888);
    const SDL_Rect place = DrawingPlace(rect);
    if (SDL_RenderReadPixels(g_display.renderer.get(), &place, SDL_PIXELFORMAT_RGBA32,
                             pixels->Pixels(), pixels->Pitch()) != 0) {
        return nullptr;
    }
    // The back buffer's alpha means nothing to a picture of it.
    uint8_t* p = pixels->Pixels();
    for (int i = 0; i < rect.w * rect.h; ++i, p += 4)
        p[3] = 255;
    return pixels;
}

// A window resize makes SDL put the viewport back over the whole window:
// the frame goes back to its place (the caller then follows the new size).
int KeepFramePlace(void*, SDL_Event* event) {
    // What the window showed may be gone: the next Flip presents even an
    // unchanged frame; a renderer that lost its targets draws it whole.
    if (event->type == SDL_RENDER_TARGETS_RESET || event->type == SDL_RENDER_DEVICE_RESET) {
        g_retained.shownValid = false;
        g_retained.needPresent = true;
    }
    if (event->type == SDL_WINDOWEVENT) {
        switch (event->window.event) {
            case SDL_WINDOWEVENT_SHOWN:
            case SDL_WINDOWEVENT_EXPOSED:
            case SDL_WINDOWEVENT_RESIZED:
            case SDL_WINDOWEVENT_SIZE_CHANGED:
            case SDL_WINDOWEVENT_MAXIMIZED:
            case SDL_WINDOWEVENT_RESTORED:
                g_retained.needPresent = true;
                break;
            default:
                break;
        }
    }
    if (event->type != SDL_WINDOWEVENT || event->window.event != SDL_WINDOWEVENT_SIZE_CHANGED)
        return 0;
    SDL_Renderer* renderer = g_display.renderer.get();
    if (renderer && g_display.direct && !SDL_GetRenderTarget(renderer)) {
        SDL_RenderSetViewport(renderer, &g_display.frame);
        ApplyClip();
    }
    return 0;
}

// Sends drawing to the frame at `frame` in the drawable: straight into the
// window when it can, else into the target made again at the frame's size (the
// old one goes once it is no longer the target). A target made while drawing
// went to the window starts as the frame held. The view state is left alone.
bool PlaceFrame(const SDL_Rect& frame) {
    SDL_Renderer* renderer = g_display.renderer.get();
    if (!renderer || frame.w <= 0 || frame.h <= 0) return false;
    if (!g_display.watching) {
        SDL_AddEventWatch(KeepFramePlace, nullptr);
        g_display.watching = true;
    }
    // What this frame drew so far goes into the frame it drew it for.
    if (g_retained.layerDepth == 0) FlushPending();
    g_retained.shownValid = false;
    g_retained.needPresent = true;
    std::vector<uint32_t> held;
    if (g_display.direct && g_display.keepFrame && g_display.width == frame.w &&
        g_display.height == frame.h) {
        held.resize(static_cast<size_t>(frame.w) * frame.h);
        const SDL_Rect place = DrawingPlace({0, 0, frame.w, frame.h});
        if (SDL_RenderReadPixels(renderer, &place, SDL_PIXELFORMAT_ARGB8888, held.data(),
                                 frame.w * 4) != 0)
            held.clear();
    }
    SDL_SetRenderTarget(renderer, nullptr);
    SDL_RenderSetClipRect(renderer, nullptr);
    g_display.direct =
        !g_display.keepFrame && !g_retained.wanted && SDL_RenderSetViewport(renderer, &frame) == 0;
    if (g_display.direct) {
        g_display.target.reset();
    } else {
        SDL_RenderSetViewport(renderer, nullptr);
        if (!g_display.target || frame.w != g_display.width || frame.h != g_display.height) {
            g_display.target.reset(SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888,
                                                     SDL_TEXTUREACCESS_TARGET, frame.w, frame.h));
        }
        if (!g_display.target || SDL_SetRenderTarget(renderer, g_display.target.get()) != 0) {
            g_display.target.reset();
            g_display.width = g_display.height = 0;
            return false;
        }
        if (!held.empty())
            SDL_UpdateTexture(g_display.target.get(), nullptr, held.data(), frame.w * 4);
    }
    g_display.width = frame.w;
    g_display.height = frame.h;
    g_display.frame = frame;
    return true;
}

bool PlaceFrameFillDrawable() {
    int width = 0, height = 0;
    GetDrawableSize(width, height);
    if (!PlaceFrame({0, 0, width, height})) return false;
    ResetViewState();
    return true;
}

}  // namespace

SDL_Renderer* CurrentSdlRenderer() {
    return g_display.renderer.get();
}
SDL_Window* CurrentSdlWindow() {
    return g_display.window.get();
}

bool InitVideo() {
    if (g_videoStarted) return true;
    // Closing the window is an event of its own; the game decides whether
    // that ends it.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) return false;
    g_videoStarted = true;
    return true;
}

std::string VideoDriverName() {
    const char* name = g_videoStarted ? SDL_GetCurrentVideoDriver() : nullptr;
    return name ? name : "";
}

std::vector<GraphicsMode> GraphicsModes() {
    std::vector<GraphicsMode> modes;
    if (!InitVideo()) return modes;
    const int count = SDL_GetNumDisplayModes(0);
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode mode;
        if (SDL_GetDisplayMode(0, i, &mode) != 0) continue;
        modes.push_back({mode.w, mode.h, static_cast<int>(SDL_BYTESPERPIXEL(mode.format)) * 8,
                         mode.refresh_rate});
    }
    return modes;
}

int CountGraphicsModes() {
    return static_cast<int>(GraphicsModes().size());
}

bool GraphicsModeExists(int width, int height, int depth, int hertz) {
    for (const GraphicsMode& mode : GraphicsModes()) {
        if (mode.width != width || mode.height != height) continue;
        if (depth != 0 && mode.depth != depth) continue;
        if (hertz != 0 && mode.hertz != 0 && mode.hertz != hertz) continue;
        return true;
    }
    return false;
}

bool RendererAvailable(RendererKind kind) {
    if (!InitVideo()) return false;
    switch (kind) {
        case RendererKind::Accelerated:
            return AcceleratedDriverExists();
        case RendererKind::OpenGL:
            return RenderDriverIndex("opengl") >= 0;
        case RendererKind::Software:
            return RenderDriverIndex("software") >= 0;
    }
    return false;
}

void SetRenderer(RendererKind kind) {
    g_display.wanted = kind;
}
RendererKind CurrentRenderer() {
    return g_display.current;
}
std::string RendererName() {
    return g_display.rendererName;
}

bool Graphics(int width, int height, int depth, int /*hertz: full screen keeps the desktop mode*/) {
    CloseGraphics();
    if (width <= 0 || height <= 0 || !InitVideo()) return false;
    Uint32 flags = SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;
    if (g_display.wanted == RendererKind::OpenGL) flags |= SDL_WINDOW_OPENGL;
    g_display.window.reset(SDL_CreateWindow(g_display.title.c_str(), SDL_WINDOWPOS_CENTERED,
                                            SDL_WINDOWPOS_CENTERED, width, height, flags));
    if (!g_display.window) return false;
    if (depth > 0 &&
        SDL_SetWindowFullscreen(g_display.window.get(), SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) {
        CloseGraphics();
        return false;
    }
    if (!OpenRenderer()) {
        CloseGraphics();
        return false;
    }
    SDL_SetWindowMinimumSize(g_display.window.get(), kMinimumWindowWidth, kMinimumWindowHeight);
    // Full screen keeps the desktop's own mode: the back buffer is the size
    // of the desktop, and the caller maps its virtual screen onto it. On a
    // high-density display the back buffer has the drawable's pixels.
    g_display.depth = depth;
    g_display.vsync = -1;
    g_display.presented = 0;
    if (!PlaceFrameFillDrawable()) {
        CloseGraphics();
        return false;
    }
    SDL_StartTextInput();
    CreateBuiltinFontImage();
    PrepareAllImages();
    return true;
}

bool ChangeWindowMode(int width, int height, bool fullScreen) {
    if (!g_display.window || width <= 0 || height <= 0) return false;
    if (fullScreen) {
        if (SDL_SetWindowFullscreen(g_display.window.get(), SDL_WINDOW_FULLSCREEN_DESKTOP) != 0)
            return false;
    } else {
        if (SDL_SetWindowFullscreen(g_display.window.get(), 0) != 0) return false;
        SDL_SetWindowSize(g_display.window.get(), width, height);
        CentreWindow();
    }
    g_display.depth = fullScreen ? 32 : 0;
    return PlaceFrameFillDrawable();
}

void CloseGraphics() {
    DropRetainedFrame();
    g_display.font.reset();
    DropAllImageTextures();
    DropAllLayers();
    g_display.composeTexture.reset();
    g_display.composeWidth = g_display.composeHeight = 0;
    g_display.target.reset();
    g_display.direct = false;
    g_display.keepsBackBuffer = false;
    if (g_display.watching) SDL_DelEventWatch(KeepFramePlace, nullptr);
    g_display.watching = false;
    g_display.renderer.reset();
    g_display.window.reset();
    g_display.width = g_display.height = g_display.depth = 0;
    g_display.rendererName.clear();
}

bool GraphicsOpen() {
    return g_display.renderer != nullptr;
}
int GraphicsWidth() {
    return g_display.width;
}
int GraphicsHeight() {
    return g_display.height;
}
int GraphicsDepth() {
    return g_display.depth;
}

void SetWindowTitle(const std::string& title) {
    g_display.title = title;
    if (g_display.window.get()) SDL_SetWindowTitle(g_display.window.get(), title.c_str());
}

void GetWindowPosition(int& x, int& y) {
    x = y = 0;
    if (g_display.window.get()) SDL_GetWindowPosition(g_display.window.get(), &x, &y);
}

void SetWindowPosition(int x, int y) {
    if (g_display.window.get()) SDL_SetWindowPosition(g_display.window.get(), x, y);
}

void CentreWindow() {
    if (g_display.window)
        SDL_SetWindowPosition(g_display.window.get(), SDL_WINDOWPOS_CENTERED,
                              SDL_WINDOWPOS_CENTERED);
}

void MinimiseWindow() {
    if (g_display.window.get()) SDL_MinimizeWindow(g_display.window.get());
}

void RaiseWindow() {
    if (!g_display.window) return;
    // The headless drivers have no desktop to do it: send what one would.
    if (HeadlessVideo()) {
        if (MinimisedFromEvents()) InjectWindowMinimised(false);
        if (!FocusFromEvents()) InjectWindowFocus(true);
        return;
    }
    if (SDL_GetWindowFlags(g_display.window.get()) & SDL_WINDOW_MINIMIZED)
        SDL_RestoreWindow(g_display.window.get());
    SDL_RaiseWindow(g_display.window.get());
}

bool WindowHasFocus() {
    if (!g_display.window) return false;
    // The headless drivers have no desktop to give or take the focus: their
    // one window has it unless a window event said otherwise.
    if (HeadlessVideo()) return FocusFromEvents();
    return (SDL_GetWindowFlags(g_display.window.get()) & SDL_WINDOW_INPUT_FOCUS) != 0;
}

bool WindowMinimised() {
    if (!g_display.window) return false;
    if (HeadlessVideo()) return MinimisedFromEvents();
    return (SDL_GetWindowFlags(g_display.window.get()) & SDL_WINDOW_MINIMIZED) != 0;
}

bool WindowShown() {
    if (!g_display.window) return false;
    if (HeadlessVideo()) return !MinimisedFromEvents();
    return (SDL_GetWindowFlags(g_display.window.get()) &
            (SDL_WINDOW_MINIMIZED | SDL_WINDOW_HIDDEN)) == 0;
}

void WaitForWindowEvent(int timeoutMs) {
    if (!SDL_WasInit(SDL_INIT_EVENTS)) return;
    // Looks without taking: the event stays queued for the game to read.
    SDL_WaitEventTimeout(nullptr, std::max(0, timeoutMs));
    // Waiting marks the end of the events it found; a later poll would stop
    // there and leave what came after it for the poll after.
    SDL_FlushEvent(SDL_POLLSENTINEL);
}

void GetWindowSize(int& width, int& height) {
    width = height = 0;
    if (g_display.window) SDL_GetWindowSize(g_display.window.get(), &width, &height);
}

void GetDrawableSize(int& width, int& height) {
    width = height = 0;
    // Not the renderer's output size: that is the target's while one is set.
    if (g_display.window) SDL_GetWindowSizeInPixels(g_display.window.get(), &width, &height);
}

void SetWindowSize(int width, int height) {
    if (g_display.window && width > 0 && height > 0)
        SDL_SetWindowSize(g_display.window.get(), width, height);
}

bool WindowMaximised() {
    return g_display.window &&
           (SDL_GetWindowFlags(g_display.window.get()) & SDL_WINDOW_MAXIMIZED) != 0;
}

std::vector<DisplayArea> DisplayAreas() {
    std::vector<DisplayArea> areas;
    if (!g_videoStarted) return areas;
    const int count = SDL_GetNumVideoDisplays();
    for (int i = 0; i < count; ++i) {
        SDL_Rect bounds;
        if (SDL_GetDisplayUsableBounds(i, &bounds) != 0 && SDL_GetDisplayBounds(i, &bounds) != 0)
            continue;
        areas.push_back({bounds.x, bounds.y, bounds.w, bounds.h});
    }
    return areas;
}

bool SetFrameRect(int x, int y, int width, int height) {
    if (!g_display.renderer || width <= 0 || height <= 0) return false;
    if (!PlaceFrame({x, y, width, height})) return false;
    ResetViewState();
    return true;
}

void SetBarColor(int r, int g, int b) {
    g_display.barR = static_cast<uint8_t>(std::clamp(r, 0, 255));
    g_display.barG = static_cast<uint8_t>(std::clamp(g, 0, 255));
    g_display.barB = static_cast<uint8_t>(std::clamp(b, 0, 255));
}

namespace {
// Sets a switch of where the frame is drawn: what was drawn so far goes to
// the old place first, and the frame is placed again.
void SwitchFrameDrawing(bool& setting, bool value) {
    if (value == setting) return;
    if (g_retained.layerDepth == 0) FlushPending();
    setting = value;
    if (g_display.renderer && g_display.width > 0 && PlaceFrame(g_display.frame)) ApplyClip();
}
}  // namespace

void RetainFrame(bool retain) {
    SwitchFrameDrawing(g_retained.wanted, retain);
}

bool FrameRetained() {
    return RetainingFrame();
}

bool FlipPresented() {
    return g_retained.presentedLast;
}

void KeepFrame(bool keep) {
    // The frame kept starts as what was drawn so far.
    SwitchFrameDrawing(g_display.keepFrame, keep);
}

bool FrameKept() {
    return g_display.keepFrame;
}

bool FrameDrawnDirect() {
    return g_display.direct;
}

long PresentedFrames() {
    return g_display.presented;
}

void SetVirtualResolution(float width, float height) {
    if (width <= 0 || height <= 0) return;
    g_display.virtualWidth = width;
    g_display.virtualHeight = height;
    UpdateScale();
    ApplyClip();
}

float VirtualResolutionWidth() {
    return g_display.virtualWidth;
}
float VirtualResolutionHeight() {
    return g_display.virtualHeight;
}
float VirtualMouseX(int physicalX) {
    return physicalX / g_display.toPhysicalX;
}
float VirtualMouseY(int physicalY) {
    return physicalY / g_display.toPhysicalY;
}

void SetViewport(int x, int y, int width, int height) {
    g_state.viewX = x;
    g_state.viewY = y;
    g_state.viewW = std::max(0, width);
    g_state.viewH = std::max(0, height);
    ApplyClip();
}

void GetViewport(int& x, int& y, int& width, int& height) {
    x = g_state.viewX;
    y = g_state.viewY;
    width = g_state.viewW;
    height = g_state.viewH;
}

void SetOrigin(float x, float y) {
    g_state.originX = x;
    g_state.originY = y;
}

void GetOrigin(float& x, float& y) {
    x = g_state.originX;
    y = g_state.originY;
}

void SetBlend(int mode) {
    g_state.blend = (mode >= MASKBLEND && mode <= SHADEBLEND) ? mode : SOLIDBLEND;
}
int GetBlend() {
    return g_state.blend;
}
void SetAlpha(float alpha) {
    g_state.alpha = std::clamp(alpha, 0.0f, 1.0f);
}
float GetAlpha() {
    return g_state.alpha;
}

void SetColor(int r, int g, int b) {
    g_state.r = static_cast<uint8_t>(std::clamp(r, 0, 255));
    g_state.g = static_cast<uint8_t>(std::clamp(g, 0, 255));
    g_state.b = static_cast<uint8_t>(std::clamp(b, 0, 255));
}

void GetColor(int& r, int& g, int& b) {
    r = g_state.r;
    g = g_state.g;
    b = g_state.b;
}

void SetClsColor(int r, int g, int b) {
    g_state.clsR = static_cast<uint8_t>(std::clamp(r, 0, 255));
    g_state.clsG = static_cast<uint8_t>(std::clamp(g, 0, 255));
    g_state.clsB = static_cast<uint8_t>(std::clamp(b, 0, 255));
}

void GetClsColor(int& r, int& g, int& b) {
    r = g_state.clsR;
    g = g_state.clsG;
    b = g_state.clsB;
}

void SetTransform(float rotation, float scaleX, float scaleY) {
    g_state.rotation = rotation;
    g_state.scaleX = scaleX;
    g_state.scaleY = scaleY;
    UpdateMatrix();
}

void SetRotation(float rotation) {
    SetTransform(rotation, g_state.scaleX, g_state.scaleY);
}
float GetRotation() {
    return g_state.rotation;
}
void SetScale(float scaleX, float scaleY) {
    SetTransform(g_state.rotation, scaleX, scaleY);
}

void GetScale(float& scaleX, float& scaleY) {
    scaleX = g_state.scaleX;
    scaleY = g_state.scaleY;
}

void SetHandle(float x, float y) {
    g_state.handleX = x;
    g_state.handleY = y;
}

void GetHandle(float& x, float& y) {
    x = g_state.handleX;
    y = g_state.handleY;
}

void SetLineWidth(float width) {
    g_state.lineWidth = std::max(0.0f, width);
}
float GetLineWidth() {
    return g_state.lineWidth;
}

DrawStateGuard::DrawStateGuard()
    : blend_(g_state.blend),
      alpha_(g_state.alpha),
      red_(g_state.r),
      green_(g_state.g),
      blue_(g_state.b),
      rotation_(g_state.rotation),
      scaleX_(g_state.scaleX),
      scaleY_(g_state.scaleY),
      handleX_(g_state.handleX),
      handleY_(g_state.handleY),
      originX_(g_state.originX),
      originY_(g_state.originY),
      lineWidth_(g_state.lineWidth) {}

DrawStateGuard::~DrawStateGuard() {
    SetBlend(blend_);
    SetAlpha(alpha_);
    SetColor(red_, green_, blue_);
    SetTransform(rotation_, scaleX_, scaleY_);
    SetHandle(handleX_, handleY_);
    SetOrigin(originX_, originY_);
    SetLineWidth(lineWidth_);
}

void Cls() {
    if (!g_display.renderer) return;
    // Clearing fills the whole frame, or the picture drawn into, whatever the
    // viewport; in the window, the frame is its part.
    SDL_Rect place;
    SDL_RenderGetViewport(g_display.renderer.get(), &place);
    CommandList& list = CommandSink();
    DrawCommand& clear = NewCommand(list, CommandKind::Clear);
    clear.colour = {g_state.clsR, g_state.clsG, g_state.clsB, 255};
    clear.bounds = clear.counted = {0, 0, place.w, place.h};
    clear.countedPixels = clear.counted.Area();
    if (&list == &g_retained.pending) clear.hash = HashCommand(list, clear);
    Commit(list);
}

void DrawImage(TImage& image, float x, float y, int frame) {
    const float x0 = -image.HandleX(), y0 = -image.HandleY();
    DrawTexturedQuad(image.Texture(frame, g_state.blend == MASKBLEND), x0, y0, x0 + image.Width(),
                     y0 + image.Height(), 0, 0, static_cast<float>(image.Width()),
                     static_cast<float>(image.Height()), x, y);
}

namespace {

// Room of the batched drawing, kept from one batch to the next.
struct BatchRoom {
    std::vector<ComposePicture> pictures;
    std::vector<uint32_t> pixels;
};
BatchRoom& Room() {
    static auto* room = new BatchRoom;
    return *room;
}
int g_composedBatches = 0;

// What one instance looks like on the physical target: texel (u, v) of its
// frame lands at (m00 u + m01 v + tx, m10 u + m11 v + ty).
struct Placement {
    float m00, m01, m10, m11, tx, ty;
    uint8_t alpha;
};

uint8_t InstanceAlpha(const ImageInstance& one) {
    const bool alphaApplies = one.blend != MASKBLEND && one.blend != SOLIDBLEND;
    return alphaApplies
               ? static_cast<uint8_t>(std::lround(std::clamp(one.alpha, 0.0f, 1.0f) * 255.0f))
               : 255;
}

Placement Place(const ImageInstance& one) {
    float c = 1, s = 0;
    if (one.rotation != 0) {
        const double radians = one.rotation * kPi / 180.0;
        c = static_cast<float>(std::cos(radians));
        s = static_cast<float>(std::sin(radians));
    }
    const float ix = c * one.scaleX, iy = -s * one.scaleY;
    const float jx = s * one.scaleX, jy = c * one.scaleY;
    const float hx = one.image->HandleX(), hy = one.image->HandleY();
    const float px = one.x + g_state.originX, py = one.y + g_state.originY;
    const float toX = g_display.toPhysicalX, toY = g_display.toPhysicalY;
    const uint8_t alpha = InstanceAlpha(one);
    return {ix * toX,
            iy * toX,
            jx * toY,
            jy * toY,
            (px - ix * hx - iy * hy) * toX,
            (py - jx * hx - jy * hy) * toY,
            alpha};
}

bool SameRun(const ImageInstance& a, const ImageInstance& b) {
    return a.image == b.image && a.frame == b.frame && a.blend == b.blend;
}

// A run of one image frame and blend, in one call to the renderer.
void DrawRun(const ImageInstance* run, size_t count) {
    TImage& image = *run->image;
    ImageTexture* texture = image.Texture(run->frame, run->blend == MASKBLEND);
    if (!texture) return;
    SDL_Texture* sdlTexture = texture->texture.get();
    // Written as they are when every picture of the run is at full alpha.
    uint8_t lowestAlpha = 255;
    for (size_t n = 0; n < count; ++n)
        lowestAlpha = std::min(lowestAlpha, InstanceAlpha(run[n]));
    const SDL_BlendMode mode = PictureBlend(*texture, run->blend, lowestAlpha);
    const uint64_t version = TextureVersion(sdlTexture);
    CommandList& list = CommandSink();
    static uint32_t batches = 0;
    if (++batches == 0) ++batches;
    const float w = static_cast<float>(image.Width()), h = static_cast<float>(image.Height());
    const float u1 = w / texture->width, v1 = h / texture->height;
    const float localU[4] = {0, w, w, 0};
    const float localV[4] = {0, 0, h, h};
    const float texU[4] = {0, u1, u1, 0};
    const float texV[4] = {0, 0, v1, v1};
    // One command a picture, so that a picture that moves changes only its
    // own part of the frame; drawn at once, the run still goes in one call.
    static const int indices[6] = {0, 1, 2, 0, 2, 3};
    for (size_t n = 0; n < count; ++n) {
        const ImageInstance& one = run[n];
        const Placement at = Place(one);
        if (ChangesNothing(mode, one.red, one.green, one.blue, at.alpha)) continue;
        const SDL_Color colour{one.red, one.green, one.blue, at.alpha};
        SDL_Vertex corner[4];
        float left = 0, top = 0, right = 0, bottom = 0;
        for (int i = 0; i < 4; ++i) {
            corner[i].position = {at.m00 * localU[i] + at.m01 * localV[i] + at.tx,
                                  at.m10 * localU[i] + at.m11 * localV[i] + at.ty};
            corner[i].color = colour;
            corner[i].tex_coord = {texU[i], texV[i]};
            left = i == 0 ? corner[i].position.x : std::min(left, corner[i].position.x);
            top = i == 0 ? corner[i].position.y : std::min(top, corner[i].position.y);
            right = i == 0 ? corner[i].position.x : std::max(right, corner[i].position.x);
            bottom = i == 0 ? corner[i].position.y : std::max(bottom, corner[i].position.y);
        }
        DrawCommand& quad = NewCommand(list, CommandKind::Geometry);
        quad.texture = sdlTexture;
        quad.version = version;
        quad.blend = mode;
        quad.batch = batches;
        AddGeometry(list, quad, corner, 4, indices, 6);
        FinishCommand(list, quad, left, top, right, bottom);
    }
    Commit(list);
}

// What a pixel costs on the software renderer, in quarter nanoseconds as
// measured by the particle benchmark: under a turned picture through the
// renderer, under one through Compose, and read back or written over.
constexpr long kRendererPixelCost = 48, kComposePixelCost = 14, kCopyPixelCost = 2;

// The physical rectangle drawing may touch: the viewport within the target.
ComposeBox DrawableBox() {
    int width = 0, height = 0;
    if (SDL_Texture* target = SDL_GetRenderTarget(g_display.renderer.get())) {
        SDL_QueryTexture(target, nullptr, nullptr, &width, &height);
    } else {
        width = g_display.width;
        height = g_display.height;
    }
    const float sx = g_display.toPhysicalX, sy = g_display.toPhysicalY;
    ComposeBox box{static_cast<int>(std::lround(g_state.viewX * sx)),
                   static_cast<int>(std::lround(g_state.viewY * sy)),
                   static_cast<int>(std::lround((g_state.viewX + g_state.viewW) * sx)),
                   static_cast<int>(std::lround((g_state.viewY + g_state.viewH) * sy))};
    box.left = std::max(box.left, 0);
    box.top = std::max(box.top, 0);
    box.right = std::min(box.right, width);
    box.bottom = std::min(box.bottom, height);
    return box;
}

// On the software renderer, a batch of many turned pictures is drawn here:
// the part of the frame it covers is read back, the pictures are drawn into
// it and it is put back. False, with nothing drawn, when that would not be
// quicker or a picture's blend is not one Compose knows.
bool ComposeBatch(const ImageInstance* instances, size_t count) {
    if (g_display.current != RendererKind::Software) return false;
    const ComposeBox drawable = DrawableBox();
    if (drawable.Empty()) return false;
    BatchRoom& room = Room();
    room.pictures.clear();
    ComposeBox covered{drawable.right, drawable.bottom, drawable.left, drawable.top};
    long area = 0, alphaArea = 0, lightArea = 0;
    for (size_t n = 0; n < count; ++n) {
        const ImageInstance& one = instances[n];
        if (one.blend != ALPHABLEND && one.blend != LIGHTBLEND) return false;
        if (ChangesNothing(SdlBlend(one.blend), one.red, one.green, one.blue, InstanceAlpha(one)))
            continue;
        const PixmapPtr pixels = one.image->Lock(one.frame);
        if (!pixels || pixels->Format() != PixelFormat::RGBA8888 ||
            pixels->Width() != one.image->Width() || pixels->Height() != one.image->Height())
            return false;
        const Placement at = Place(one);
        ComposePicture picture;
        picture.texels = pixels->Pixels();
        picture.pitch = pixels->Pitch();
        picture.width = pixels->Width();
        picture.height = pixels->Height();
        picture.m00 = at.m00;
        picture.m01 = at.m01;
        picture.m10 = at.m10;
        picture.m11 = at.m11;
        picture.tx = at.tx;
        picture.ty = at.ty;
        picture.red = one.red;
        picture.green = one.green;
        picture.blue = one.blue;
        picture.alpha = at.alpha;
        picture.additive = one.blend == LIGHTBLEND;
        ComposeBox bounds = ComposeBounds(picture);
        bounds.left = std::max(bounds.left, drawable.left);
        bounds.top = std::max(bounds.top, drawable.top);
        bounds.right = std::min(bounds.right, drawable.right);
        bounds.bottom = std::min(bounds.bottom, drawable.bottom);
        if (bounds.Empty()) continue;
        area += bounds.Area();
        (picture.additive ? lightArea : alphaArea) += bounds.Area();
        covered.left = std::min(covered.left, bounds.left);
        covered.top = std::min(covered.top, bounds.top);
        covered.right = std::max(covered.right, bounds.right);
        covered.bottom = std::max(covered.bottom, bounds.bottom);
        room.pictures.push_back(picture);
    }
    if (room.pictures.empty()) return true;  // nothing in sight
    if (area * kRendererPixelCost < covered.Area() * 2 * kCopyPixelCost + area * kComposePixelCost)
        return false;
    const int width = covered.right - covered.left, height = covered.bottom - covered.top;
    if (!g_display.composeTexture || g_display.composeWidth < covered.right ||
        g_display.composeHeight < covered.bottom) {
        const int w = std::max(covered.right, drawable.right);
        const int h = std::max(covered.bottom, drawable.bottom);
        g_display.composeTexture.reset(SDL_CreateTexture(
            g_display.renderer.get(), SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, w, h));
        if (!g_display.composeTexture) return false;
        SDL_SetTextureBlendMode(g_display.composeTexture.get(), SDL_BLENDMODE_NONE);
        g_display.composeWidth = w;
        g_display.composeHeight = h;
    }
    // What lies under the batch has to be in the frame's pixels: from here on
    // this frame is drawn at once, and the next one whole.
    if (Recording()) {
        FlushPending();
        g_retained.broken = true;
    }
    ApplyClip();
    room.pixels.resize(static_cast<size_t>(width) * height);
    const SDL_Rect rect{covered.left, covered.top, width, height};
    const SDL_Rect place = DrawingPlace(rect);
    if (SDL_RenderReadPixels(g_display.renderer.get(), &place, SDL_PIXELFORMAT_ARGB8888,
                             room.pixels.data(), width * 4) != 0)
        return false;
    const ComposeTarget target{room.pixels.data(), width,         covered.left,
                               covered.top,        covered.right, covered.bottom};
    for (const ComposePicture& picture : room.pictures)
        Compose(target, picture);
    SDL_UpdateTexture(g_display.composeTexture.get(), &rect, room.pixels.data(), width * 4);
    SDL_RenderCopy(g_display.renderer.get(), g_display.composeTexture.get(), &rect, &rect);
    ++g_composedBatches;
    g_drawn.draws += static_cast<long long>(room.pictures.size());
    CountPixels(SDL_BLENDMODE_BLEND, alphaArea);
    CountPixels(SDL_BLENDMODE_ADD, lightArea);
    CountPixels(SDL_BLENDMODE_NONE, covered.Area());
    return true;
}

}  // namespace

void DrawImageInstances(const ImageInstance* instances, size_t count) {
    if (!g_display.renderer || count == 0 || !instances) return;
    for (size_t n = 0; n < count; ++n)
        if (!instances[n].image) return;
    if (ComposeBatch(instances, count)) return;
    size_t first = 0;
    for (size_t n = 1; n <= count; ++n) {
        if (n < count && SameRun(instances[first], instances[n])) continue;
        DrawRun(instances + first, n - first);
        first = n;
    }
}

int ComposedBatches() {
    return g_composedBatches;
}

void DrawImageRect(TImage& image, float x, float y, float width, float height, int frame) {
    if (image.Width() <= 0 || image.Height() <= 0) return;
    const float x0 = -image.HandleX() * width / image.Width();
    const float y0 = -image.HandleY() * height / image.Height();
    DrawTexturedQuad(image.Texture(frame, g_state.blend == MASKBLEND), x0, y0, x0 + width,
                     y0 + height, 0, 0, static_cast<float>(image.Width()),
                     static_cast<float>(image.Height()), x, y);
}

void DrawSubImageRect(TImage& image, float x, float y, float width, float height, float sx,
                      float sy, float sw, float sh, float hx, float hy, int frame) {
    if (sw <= 0 || sh <= 0) return;
    const float x0 = -hx * width / sw, y0 = -hy * height / sh;
    DrawTexturedQuad(image.Texture(frame, g_state.blend == MASKBLEND), x0, y0, x0 + width,
                     y0 + height, sx, sy, sx + sw, sy + sh, x, y);
}

void DrawRect(float x, float y, float width, float height) {
    if (!PreparePrimitive()) return;
    const float x0 = -g_state.handleX, y0 = -g_state.handleY;
    const Point a = ToScreen(x0, y0, x, y);
    if (IsAxisAligned()) {
        const Point b = ToScreen(x0 + width, y0 + height, x, y);
        FillScreenRect(CommandKind::FillRect, {std::min(a.x, b.x), std::min(a.y, b.y),
                                               std::fabs(b.x - a.x), std::fabs(b.y - a.y)});
        return;
    }
    FillScreenPolygon({a, ToScreen(x0 + width, y0, x, y), ToScreen(x0 + width, y0 + height, x, y),
                       ToScreen(x0, y0 + height, x, y)});
}

void DrawLine(float x1, float y1, float x2, float y2) {
    if (!PreparePrimitive()) return;
    const float hx = -g_state.handleX, hy = -g_state.handleY;
    const Point a = ToScreen(x1 + hx, y1 + hy, 0, 0);
    const Point b = ToScreen(x2 + hx, y2 + hy, 0, 0);
    const float widthPx =
        g_state.lineWidth * 0.5f * (g_display.toPhysicalX + g_display.toPhysicalY);
    if (widthPx <= 1.0f) {
        FillScreenRect(CommandKind::Line, {a.x, a.y, b.x, b.y});
        return;
    }
    const float dx = b.x - a.x, dy = b.y - a.y;
    const float length = std::sqrt(dx * dx + dy * dy);
    if (length <= 0) return;
    const float nx = -dy / length * widthPx * 0.5f, ny = dx / length * widthPx * 0.5f;
    FillScreenPolygon(
        {{a.x + nx, a.y + ny}, {b.x + nx, b.y + ny}, {b.x - nx, b.y - ny}, {a.x - nx, a.y - ny}});
}

void DrawOval(float x, float y, float width, float height) {
    if (!PreparePrimitive()) return;
    const float rx = width * 0.5f, ry = height * 0.5f;
    const float cx = -g_state.handleX + rx, cy = -g_state.handleY + ry;
    const float screenRadius =
        std::max(std::fabs(rx * g_state.scaleX), std::fabs(ry * g_state.scaleY)) *
        std::max(g_display.toPhysicalX, g_display.toPhysicalY);
    const int segments = std::clamp(static_cast<int>(screenRadius * 0.75f), 12, 128);
    std::vector<Point> points;
    points.reserve(segments);
    for (int i = 0; i < segments; ++i) {
        const double angle = 2.0 * kPi * i / segments;
        points.push_back(ToScreen(cx + rx * static_cast<float>(std::cos(angle)),
                                  cy + ry * static_cast<float>(std::sin(angle)), x, y));
    }
    FillScreenPolygon(points);
}

void Plot(float x, float y) {
    if (!PreparePrimitive()) return;
    const Point p = ToScreen(0, 0, x, y);
    FillScreenRect(CommandKind::FillRect, {p.x, p.y, std::max(1.0f, g_display.toPhysicalX),
                                           std::max(1.0f, g_display.toPhysicalY)});
}

void DrawPoly(const std::vector<float>& xy) {
    if (xy.size() < 6 || !PreparePrimitive()) return;
    std::vector<Point> points;
    points.reserve(xy.size() / 2);
    for (size_t i = 0; i + 1 < xy.size(); i += 2) {
        points.push_back(ToScreen(xy[i] - g_state.handleX, xy[i + 1] - g_state.handleY, 0, 0));
    }
    FillScreenPolygon(points);
}

void DrawPixmap(const TPixmap& pixmap, float x, float y) {
    if (!g_display.renderer || pixmap.Width() <= 0 || pixmap.Height() <= 0) return;
    PixmapPtr rgba =
        pixmap.Format() == PixelFormat::RGBA8888 ? nullptr : pixmap.Convert(PixelFormat::RGBA8888);
    const TPixmap& source = rgba ? *rgba : pixmap;
    SdlTexturePtr texture(SDL_CreateTexture(g_display.renderer.get(), SDL_PIXELFORMAT_RGBA32,
                                            SDL_TEXTUREACCESS_STATIC, source.Width(),
                                            source.Height()));
    if (!texture) return;
    SDL_UpdateTexture(texture.get(), nullptr, source.Pixels(), source.Pitch());
    const SDL_FRect dst{(x + g_state.originX) * g_display.toPhysicalX,
                        (y + g_state.originY) * g_display.toPhysicalY,
                        static_cast<float>(source.Width()), static_cast<float>(source.Height())};
    // The texture is let go here, but lives on as long as a command holds it.
    CommandList& list = CommandSink();
    DrawCommand& copy = NewCommand(list, CommandKind::Copy);
    copy.texture = texture.get();
    copy.blend = SdlBlend(g_state.blend);
    copy.src = {0, 0, source.Width(), source.Height()};
    copy.dst = dst;
    FinishCommand(list, copy, dst.x, dst.y, dst.x + dst.w, dst.y + dst.h);
    Commit(list);
}

void DrawText(const std::string& text, float x, float y) {
    if (!g_display.font) return;
    // Solid drawing would fill each glyph's cell; the glyphs' own alpha is
    // all-or-nothing, so mask drawing gives the same letters in any mode.
    const int blend = g_state.blend;
    if (blend == SOLIDBLEND) g_state.blend = MASKBLEND;
    ImageTexture* texture = g_display.font->Texture(0, false);
    float cursor = -g_state.handleX;
    const float top = -g_state.handleY;
    for (unsigned char c : text) {
        const int cell = (c >= 32 && c <= 126) ? c - 32 : '?' - 32;
        const float u = static_cast<float>(cell * BUILTIN_GLYPH_WIDTH);
        DrawTexturedQuad(texture, cursor, top, cursor + BUILTIN_GLYPH_WIDTH,
                         top + BUILTIN_GLYPH_HEIGHT, u, 0, u + BUILTIN_GLYPH_WIDTH,
                         BUILTIN_GLYPH_HEIGHT, x, y);
        cursor += BUILTIN_GLYPH_WIDTH;
    }
    g_state.blend = blend;
}

int TextWidth(const std::string& text) {
    return static_cast<int>(text.size()) * BUILTIN_GLYPH_WIDTH;
}
int TextHeight(const std::string&) {
    return BUILTIN_GLYPH_HEIGHT;
}

// ---------------------------------------------------------------- layers

struct TFrameLayer::Room {
    SdlTexturePtr texture;
    int width = 0, height = 0;
    bool drawing = false;
    bool ready = false;
    SDL_Texture* previous = nullptr;  // where drawing went before Begin
};

namespace {

// Every live layer, so their pictures go before the renderer does.
std::set<TFrameLayer::Room*>& LiveLayers() {
    // Never destroyed: layers held by other statics may outlive any static.
    static auto* layers = new std::set<TFrameLayer::Room*>;
    return *layers;
}

// The size of the frame drawing goes to.
void FrameSize(int& width, int& height) {
    width = g_display.renderer ? g_display.width : 0;
    height = g_display.renderer ? g_display.height : 0;
}

void DropAllLayers() {
    g_retained.layerDepth = 0;
    for (TFrameLayer::Room* room : LiveLayers()) {
        room->texture.reset();
        room->drawing = room->ready = false;
        room->previous = nullptr;
    }
}

}  // namespace

TFrameLayer::TFrameLayer() : room_(std::make_unique<Room>()) {
    LiveLayers().insert(room_.get());
}

TFrameLayer::~TFrameLayer() {
    End();
    LiveLayers().erase(room_.get());
}

bool TFrameLayer::Begin() {
    SDL_Renderer* renderer = g_display.renderer.get();
    if (!renderer || room_->drawing || !SDL_RenderTargetSupported(renderer)) return false;
    int width = 0, height = 0;
    FrameSize(width, height);
    if (width <= 0 || height <= 0) return false;
    if (!room_->texture || room_->width != width || room_->height != height) {
        room_->texture.reset(SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888,
                                               SDL_TEXTUREACCESS_TARGET, width, height));
        if (!room_->texture) return false;
        SDL_SetTextureScaleMode(room_->texture.get(), SDL_ScaleModeNearest);
        room_->width = width;
        room_->height = height;
    }
    room_->ready = false;
    TextureContentChanging(room_->texture.get());
    room_->previous = SDL_GetRenderTarget(renderer);
    if (SDL_SetRenderTarget(renderer, room_->texture.get()) != 0) return false;
    room_->drawing = true;
    ++g_retained.layerDepth;
    ApplyClip();
    Cls();
    return true;
}

void TFrameLayer::End() {
    if (!room_->drawing) return;
    SDL_SetRenderTarget(g_display.renderer.get(), room_->previous);
    ApplyClip();
    room_->drawing = false;
    g_retained.layerDepth = std::max(0, g_retained.layerDepth - 1);
    room_->ready = true;
}

bool TFrameLayer::Ready() const {
    if (!room_->ready || !room_->texture || !g_display.renderer) return false;
    int width = 0, height = 0;
    FrameSize(width, height);
    return width == room_->width && height == room_->height;
}

void TFrameLayer::Draw() {
    if (!Ready()) return;
    const float width = static_cast<float>(room_->width);
    const float height = static_cast<float>(room_->height);
    CommandList& list = CommandSink();
    DrawCommand& copy = NewCommand(list, CommandKind::Copy);
    copy.texture = room_->texture.get();
    copy.version = TextureVersion(copy.texture);
    copy.src = {0, 0, room_->width, room_->height};
    copy.dst = {0, 0, width, height};
    FinishCommand(list, copy, 0, 0, width, height);
    Commit(list);
}

void TFrameLayer::Drop() {
    End();
    room_->texture.reset();
    room_->ready = false;
}

// ---------------------------------------------------------------- counting

DrawnPixels CountedPixels() {
    // Pixels are counted as they are drawn: the frame so far is drawn now.
    if (g_retained.layerDepth == 0) FlushPending();
    return g_drawn;
}

void ResetDrawnPixels() {
    // What was drawn before counts before.
    if (g_retained.layerDepth == 0) FlushPending();
    g_drawn = DrawnPixels{};
}

bool VSyncActive() {
    if (!g_display.renderer || g_display.vsync != 1) return false;
    SDL_RendererInfo info;
    return SDL_GetRendererInfo(g_display.renderer.get(), &info) == 0 &&
           (info.flags & SDL_RENDERER_PRESENTVSYNC) != 0 &&
           g_display.current != RendererKind::Software;
}

void Flip(int sync) {
    if (!g_display.renderer) return;
    const int wantVsync = sync != 0 ? 1 : 0;
    if (wantVsync != g_display.vsync) {
        SDL_RenderSetVSync(g_display.renderer.get(), wantVsync);
        g_display.vsync = wantVsync;
    }
    SDL_Renderer* renderer = g_display.renderer.get();
    if (RetainingFrame() && g_retained.layerDepth == 0) {
        // Nothing changed and the window still shows the last frame: nothing
        // to copy or present.
        if (!DrawRetainedFrame() && !g_retained.needPresent) {
            g_retained.presentedLast = false;
            ApplyClip();
            return;
        }
    } else {
        FlushPending();
        SettleFrame(false);
        g_retained.lastWhole = true;
    }
    const bool wasNeeded = g_retained.needPresent;
    g_retained.needPresent = false;
    g_retained.presentedLast = true;
    ++g_display.presented;
    SDL_SetRenderTarget(renderer, nullptr);
    SDL_RenderSetClipRect(renderer, nullptr);
    SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
    if (g_display.direct) {
        // The window keeps nothing from one frame to the next: the part of the
        // frame outside the viewport, where only clearing reaches, is painted
        // in the clear colour as clearing left it.
        const SDL_Rect view = ClipRect();
        const int width = g_display.width, height = g_display.height;
        const int right = view.x + view.w, bottom = view.y + view.h;
        const SDL_Rect margins[4] = {{0, 0, width, view.y},
                                     {0, bottom, width, height - bottom},
                                     {0, view.y, view.x, view.h},
                                     {right, view.y, width - right, view.h}};
        SDL_SetRenderDrawColor(renderer, g_state.clsR, g_state.clsG, g_state.clsB, 255);
        for (const SDL_Rect& margin : margins) {
            if (margin.w <= 0 || margin.h <= 0 || view.w <= 0) continue;
            ++g_drawn.draws;
            CountPixels(SDL_BLENDMODE_NONE, static_cast<long long>(margin.w) * margin.h);
            SDL_RenderFillRect(renderer, &margin);
        }
        SDL_RenderSetViewport(renderer, nullptr);
    }
    int width = 0, height = 0;
    SDL_GetRendererOutputSize(renderer, &width, &height);
    const SDL_Rect& frame = g_display.frame;
    // The bars: what the frame leaves of the drawable on each side.
    const SDL_Rect bars[4] = {{0, 0, width, frame.y},
                              {0, frame.y + frame.h, width, height - frame.y - frame.h},
                              {0, frame.y, frame.x, frame.h},
                              {frame.x + frame.w, frame.y, width - frame.x - frame.w, frame.h}};
    // The window still shows the last frame presented, bars and all: only
    // what changed since goes into it.
    if (g_display.keepsBackBuffer && g_display.target && !g_retained.lastWhole && !wasNeeded) {
        for (const ComposeBox& box : g_retained.lastDirty) {
            const SDL_Rect src = ToRect(box);
            const SDL_Rect dst{src.x + frame.x, src.y + frame.y, src.w, src.h};
            ++g_drawn.draws;
            CountPixels(SDL_BLENDMODE_NONE, box.Area());
            SDL_RenderCopy(renderer, g_display.target.get(), &src, &dst);
        }
        SDL_RenderPresent(renderer);
        SDL_SetRenderTarget(renderer, g_display.target.get());
        ApplyClip();
        return;
    }
    SDL_SetRenderDrawColor(renderer, g_display.barR, g_display.barG, g_display.barB, 255);
    for (const SDL_Rect& bar : bars)
        if (bar.w > 0 && bar.h > 0) SDL_RenderFillRect(renderer, &bar);
    if (g_display.target) {
        SDL_SetTextureBlendMode(g_display.target.get(), SDL_BLENDMODE_NONE);
        ++g_drawn.draws;
        CountPixels(SDL_BLENDMODE_NONE, static_cast<long long>(frame.w) * frame.h);
        SDL_RenderCopy(renderer, g_display.target.get(), nullptr, &frame);
    }
    SDL_RenderPresent(renderer);
    if (g_display.target) {
        SDL_SetRenderTarget(renderer, g_display.target.get());
    } else if (g_display.direct) {
        SDL_RenderSetViewport(renderer, &frame);
    }
    ApplyClip();
}

PixmapPtr GrabPixmap(int x, int y, int width, int height) {
    if (!g_display.renderer || width <= 0 || height <= 0) return nullptr;
    const float sx = g_display.toPhysicalX, sy = g_display.toPhysicalY;
    SDL_Rect rect{static_cast<int>(std::lround(x * sx)), static_cast<int>(std::lround(y * sy)),
                  static_cast<int>(std::lround(width * sx)),
                  static_cast<int>(std::lround(height * sy))};
    SDL_Rect screen{0, 0, g_display.width, g_display.height};
    SDL_Rect visible;
    if (!SDL_IntersectRect(&rect, &screen, &visible)) return nullptr;
    PixmapPtr physical = ReadPhysical(visible);
    if (!physical) return nullptr;
    // Return what was asked for in virtual pixels: resample when the two
    // sizes differ, leave black what lies outside the screen.
    PixmapPtr result = TPixmap::Create(width, height, PixelFormat::RGBA8888);
    result->ClearPixels(0xFF000000u);
    for (int ty = 0; ty < height; ++ty) {
        const int py = static_cast<int>((y + ty + 0.5f) * sy) - visible.y;
        if (py < 0 || py >= visible.h) continue;
        for (int tx = 0; tx < width; ++tx) {
            const int px = static_cast<int>((x + tx + 0.5f) * sx) - visible.x;
            if (px < 0 || px >= visible.w) continue;
            std::memcpy(result->PixelPtr(tx, ty), physical->PixelPtr(px, py), 4);
        }
    }
    return result;
}

ImagePtr GrabImage(int x, int y, int width, int height) {
    PixmapPtr pixels = GrabPixmap(x, y, width, height);
    return pixels ? TImage::FromPixmap(pixels, FILTEREDIMAGE) : nullptr;
}

PixmapPtr ReadBackBuffer() {
    if (!g_display.renderer) return nullptr;
    return ReadPhysical({0, 0, g_display.width, g_display.height});
}

void TextureContentChanging(SDL_Texture* texture) {
    if (!texture) return;
    RetainedFrame& r = g_retained;
    // A command of this frame that draws it has to draw what it holds now.
    if (r.pendingTextures.count(texture)) FlushPending();
    r.versions[texture] = r.nextVersion++;
}

void ReleaseSdlTexture(SDL_Texture* texture) {
    if (!texture) return;
    RetainedFrame& r = g_retained;
    if (r.pendingTextures.count(texture) || r.shownTextures.count(texture)) {
        r.released.push_back(texture);
        return;
    }
    r.versions.erase(texture);
    SDL_DestroyTexture(texture);
}
