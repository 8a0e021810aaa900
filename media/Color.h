// A colour with alpha, and a drop-shadow setting.
#pragma once

#include <memory>

class TColor;
using TColorPtr = std::shared_ptr<TColor>;

class TColor {
  public:
    int R = 0, G = 0, B = 0;  // 0..255
    float Alpha = 1.0f;

    static TColorPtr Create(int r, int g, int b, float alpha = 1.0f);
    void Set(int r, int g, int b, float alpha = 1.0f);
    void Copy(const TColor& other);
    void Get(int& r, int& g, int& b) const;
    void GetFull(int& r, int& g, int& b, float& alpha) const;
    // Sets the drawing colour and alpha.
    void Apply() const;
    void ApplyNoAlpha() const;
    // White, alpha 1.
    static void Restore();
};

class TShadow;
using TShadowPtr = std::shared_ptr<TShadow>;

class TShadow {
  public:
    float X = 1.0f, Y = 1.0f;
    float Alpha = 0.5f;

    static TShadowPtr Create(float x = 1.0f, float y = 1.0f, float alpha = 0.5f);
    void Init(float x, float y, float alpha);
    void Copy(const TShadow& other);
    // Black at the shadow's alpha.
    void Apply() const;
    static void Restore();
    // Makes this the drop shadow of text drawing.
    void ApplyToText() const;
};
