#include "media/TextShadow.h"

#include <cmath>

#include "engine/Graphics.h"
#include "engine/Strings.h"
#include "media/BitmapFont.h"

float TextShadowX = 1.0f;
float TextShadowY = 1.0f;
float TextShadowAlpha = 0.5f;
float TextAlpha = 1.0f;

void SetTextShadow(float x, float y, float alpha) {
    TextShadowX = x;
    TextShadowY = y;
    TextShadowAlpha = alpha;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (true) {
        const size_t end = text.find('\n', start);
        std::string line =
            text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (end != std::string::npos && !line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return lines;
}

namespace {

void WrapOneLine(const std::string& source, double maxWidth, const TextMeasure& measure,
                 double scale, std::vector<std::string>& out) {
    const std::string line = Replace(source, "  ", " ");
    const std::vector<std::string> words = Split(line, ' ');
    std::string current;
    bool started = false;
    for (const std::string& word : words) {
        if (word.empty() && started) {
            // Two spaces still in a row end the line there.
            out.push_back(current);
            current.clear();
            started = false;
            continue;
        }
        if (!started) {
            current = word;
            started = true;
            continue;
        }
        const std::string candidate = current + " " + word;
        if (measure(candidate) * scale <= maxWidth) {
            current = candidate;
        } else {
            out.push_back(current);
            current = word;
        }
    }
    if (started) out.push_back(current);
}

}  // namespace

std::vector<std::string> WordWrapLinesMeasured(const std::vector<std::string>& lines,
                                               double maxWidth, const TextMeasure& measure,
                                               double scale) {
    std::vector<std::string> out;
    for (const std::string& line : lines) {
        if (line.empty()) {
            out.emplace_back();
            continue;
        }
        WrapOneLine(line, maxWidth, measure, scale, out);
    }
    return out;
}

std::vector<std::string> WordWrapLines(const std::vector<std::string>& lines, double maxWidth,
                                       const std::shared_ptr<TBitmapFont>& font, double scale) {
    if (!font) return WordWrapLinesMeasured(lines, maxWidth, ImageFontTextWidth, scale);
    const TextMeasure measure = [&font](const std::string& text) {
        return font->StringWidth(text);
    };
    return WordWrapLinesMeasured(lines, maxWidth, measure, scale);
}

double ImageFontTextWidth(const std::string& text) {
    return TextWidth(text);
}
double ImageFontTextHeight(const std::string& text) {
    return TextHeight(text);
}

void DrawImageFontText(const std::string& text, float x, float y, int shadow, int alignment,
                       int snap) {
    // The drawing scale stretches the text about (x, y), so align on the drawn width.
    float scaleX = 1, scaleY = 1;
    GetScale(scaleX, scaleY);
    const float width = static_cast<float>(ImageFontTextWidth(text)) * scaleX;
    if (alignment == 1) x -= width / 2;
    if (alignment == 2) x -= width;
    if (snap) {
        x = std::round(x);
        y = std::round(y);
    }
    const int blend = GetBlend();
    SetBlend(ALPHABLEND);
    if (shadow) {
        int r, g, b;
        GetColor(r, g, b);
        SetColor(0, 0, 0);
        SetAlpha(TextShadowAlpha * TextAlpha);
        DrawText(text, x + TextShadowX, y + TextShadowY);
        SetColor(r, g, b);
    }
    SetAlpha(TextAlpha);
    DrawText(text, x, y);
    SetBlend(blend);
}
