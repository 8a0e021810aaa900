#include "media/Color.h"

#include "engine/Graphics.h"
#include "media/TextShadow.h"

TColorPtr TColor::Create(int r, int g, int b, float alpha) {
    auto colour = std::make_shared<TColor>();
    colour->Set(r, g, b, alpha);
    return colour;
}

void TColor::Set(int r, int g, int b, float alpha) {
    R = r;
    G = g;
    B = b;
    Alpha = alpha;
}

void TColor::Copy(const TColor& other) {
    Set(other.R, other.G, other.B, other.Alpha);
}

void TColor::Get(int& r, int& g, int& b) const {
    r = R;
    g = G;
    b = B;
}

void TColor::GetFull(int& r, int& g, int& b, float& alpha) const {
    Get(r, g, b);
    alpha = Alpha;
}

void TColor::Apply() const {
    SetColor(R, G, B);
    SetAlpha(Alpha);
}

void TColor::ApplyNoAlpha() const {
    SetColor(R, G, B);
}

void TColor::Restore() {
    SetColor(255, 255, 255);
    SetAlpha(1.0f);
}

TShadowPtr TShadow::Create(float x, float y, float alpha) {
    auto shadow = std::make_shared<TShadow>();
    shadow->Init(x, y, alpha);
    return shadow;
}

void TShadow::Init(float x, float y, float alpha) {
    X = x;
    Y = y;
    Alpha = alpha;
}

void TShadow::Copy(const TShadow& other) {
    Init(other.X, other.Y, other.Alpha);
}

void TShadow::Apply() const {
    SetColor(0, 0, 0);
    SetAlpha(Alpha);
}

void TShadow::Restore() {
    TColor::Restore();
}

void TShadow::ApplyToText() const {
    SetTextShadow(X, Y, Alpha);
}
