// The desktop icon: the scalable source rendered at the sizes the hicolor
// theme lays out, as <out>/<size>x<size>/apps/hollowmere.png. Files are
// rewritten only when their bytes change.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "assetkit/Bytes.h"
#include "assetkit/Canvas.h"

namespace {

constexpr int kSizes[] = {48, 64, 128, 256};

int Usage() {
    std::fprintf(stderr, "usage: assetgen-icon --out DIR [--svg FILE]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string out;
    std::string svgPath = ASSET_SOURCE_DIR "/data/hollowmere.svg";
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--out") == 0 && i + 1 < argc) {
            out = argv[++i];
        } else if (std::strcmp(argv[i], "--svg") == 0 && i + 1 < argc) {
            svgPath = argv[++i];
        } else {
            return Usage();
        }
    }
    if (out.empty()) return Usage();

    asset::Bytes source;
    if (!asset::ReadWholeFile(svgPath, source)) {
        std::fprintf(stderr, "assetgen-icon: cannot read %s\n", svgPath.c_str());
        return 1;
    }
    const std::string svg(source.begin(), source.end());
    for (int size : kSizes) {
        asset::Canvas canvas(size, size);
        if (!asset::DrawSvg(canvas, svg, 0, 0, size, size)) {
            std::fprintf(stderr, "assetgen-icon: %s is not a picture librsvg reads\n",
                         svgPath.c_str());
            return 1;
        }
        const std::string name = std::to_string(size) + "x" + std::to_string(size);
        const std::string file =
            (std::filesystem::path(out) / name / "apps" / "hollowmere.png").string();
        if (!asset::WriteIfChanged(file, canvas.EncodePNG())) {
            std::fprintf(stderr, "assetgen-icon: cannot write %s\n", file.c_str());
            return 1;
        }
    }
    return 0;
}
