#include "reports/engine/PageStore.h"

namespace reports::engine {

int lineHeight(const FontSpec& font) {
    return (font.pixelSize * 115 + 99) / 100;
}

std::vector<const TextOp*> PageStore::texts(const StoredPage& page) {
    std::vector<const TextOp*> out;
    for (const DrawOp& op : page.ops) {
        if (const auto* text = std::get_if<TextOp>(&op))
            out.push_back(text);
    }
    return out;
}

} // namespace reports::engine
