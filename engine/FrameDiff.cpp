#include "engine/FrameDiff.h"

#include <algorithm>

namespace {

// Two boxes whose union is at most this much larger than both of them are
// cheaper drawn as one (a draw call and a pass over the commands saved).
constexpr long kMergeSlack = 32 * 32;

void AddBox(std::vector<ComposeBox>& boxes, const ComposeBox& box) {
    if (!box.Empty()) boxes.push_back(box);
}

// The longest common subsequence of before[b0, b1) and after[a0, a1) by
// hash; marks what it matches.
void MatchMiddle(const std::vector<FrameEntry>& before, size_t b0, size_t b1,
                 const std::vector<FrameEntry>& after, size_t a0, size_t a1,
                 std::vector<bool>& matchedBefore, std::vector<bool>& matchedAfter) {
    const size_t n = b1 - b0, m = a1 - a0;
    const size_t width = m + 1;
    std::vector<uint32_t> lengths((n + 1) * width, 0);
    // lengths[i][j]: the longest common subsequence of before[b0 + i ..) and after[a0 + j ..).
    for (size_t i = n; i-- > 0;) {
        for (size_t j = m; j-- > 0;) {
            uint32_t& cell = lengths[i * width + j];
            if (before[b0 + i].hash == after[a0 + j].hash)
                cell = lengths[(i + 1) * width + j + 1] + 1;
            else
                cell = std::max(lengths[(i + 1) * width + j], lengths[i * width + j + 1]);
        }
    }
    size_t i = 0, j = 0;
    while (i < n && j < m) {
        if (before[b0 + i].hash == after[a0 + j].hash) {
            matchedBefore[b0 + i] = true;
            matchedAfter[a0 + j] = true;
            ++i;
            ++j;
        } else if (lengths[(i + 1) * width + j] >= lengths[i * width + j + 1]) {
            ++i;
        } else {
            ++j;
        }
    }
}

long Waste(const ComposeBox& a, const ComposeBox& b) {
    return UnionBox(a, b).Area() - a.Area() - b.Area() + IntersectBox(a, b).Area();
}

}  // namespace

ComposeBox UnionBox(const ComposeBox& a, const ComposeBox& b) {
    if (a.Empty()) return b;
    if (b.Empty()) return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

ComposeBox IntersectBox(const ComposeBox& a, const ComposeBox& b) {
    ComposeBox box{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                   std::min(a.bottom, b.bottom)};
    return box.Empty() ? ComposeBox{} : box;
}

std::vector<ComposeBox> ChangedBoxes(const std::vector<FrameEntry>& before,
                                     const std::vector<FrameEntry>& after, size_t cellCap) {
    size_t head = 0;
    while (head < before.size() && head < after.size() && before[head].hash == after[head].hash)
        ++head;
    size_t tail = 0;
    while (tail < before.size() - head && tail < after.size() - head &&
           before[before.size() - 1 - tail].hash == after[after.size() - 1 - tail].hash)
        ++tail;
    const size_t b1 = before.size() - tail, a1 = after.size() - tail;
    std::vector<bool> matchedBefore(before.size(), false), matchedAfter(after.size(), false);
    const size_t n = b1 - head, m = a1 - head;
    if (n > 0 && m > 0 && (n + 1) * (m + 1) <= cellCap)
        MatchMiddle(before, head, b1, after, head, a1, matchedBefore, matchedAfter);
    std::vector<ComposeBox> boxes;
    for (size_t i = head; i < b1; ++i)
        if (!matchedBefore[i]) AddBox(boxes, before[i].box);
    for (size_t j = head; j < a1; ++j)
        if (!matchedAfter[j]) AddBox(boxes, after[j].box);
    return boxes;
}

std::vector<ComposeBox> MergeBoxes(std::vector<ComposeBox> boxes, size_t most) {
    boxes.erase(std::remove_if(boxes.begin(), boxes.end(),
                               [](const ComposeBox& box) { return box.Empty(); }),
                boxes.end());
    most = std::max<size_t>(most, 1);
    // Many changes: one box round them all (comparing every pair would cost
    // more than it saves).
    constexpr size_t kPairwiseLimit = 64;
    if (boxes.size() > kPairwiseLimit) {
        ComposeBox all;
        for (const ComposeBox& box : boxes)
            all = UnionBox(all, box);
        return {all};
    }
    // Boxes that overlap always become one, so that no pixel is drawn twice.
    const auto mergeCheap = [&boxes] {
        for (bool merged = true; merged;) {
            merged = false;
            for (size_t i = 0; i < boxes.size() && !merged; ++i) {
                for (size_t j = i + 1; j < boxes.size(); ++j) {
                    if (IntersectBox(boxes[i], boxes[j]).Empty() &&
                        Waste(boxes[i], boxes[j]) > kMergeSlack)
                        continue;
                    boxes[i] = UnionBox(boxes[i], boxes[j]);
                    boxes.erase(boxes.begin() + static_cast<long>(j));
                    merged = true;
                    break;
                }
            }
        }
    };
    for (mergeCheap(); boxes.size() > most; mergeCheap()) {
        size_t bestI = 0, bestJ = 1;
        long best = Waste(boxes[0], boxes[1]);
        for (size_t i = 0; i < boxes.size(); ++i) {
            for (size_t j = i + 1; j < boxes.size(); ++j) {
                const long waste = Waste(boxes[i], boxes[j]);
                if (waste < best) {
                    best = waste;
                    bestI = i;
                    bestJ = j;
                }
            }
        }
        boxes[bestI] = UnionBox(boxes[bestI], boxes[bestJ]);
        boxes.erase(boxes.begin() + static_cast<long>(bestJ));
    }
    return boxes;
}
