#include "wave/NamedColors.h"

#include "base/UserText.h"

namespace zel {

const std::array<NamedColor, 20>& NamedColors() {
    static const std::array<NamedColor, 20> colors = {{
        {ZEL_TR_NOOP("другой"), {100, 100, 100}},
        {ZEL_TR_NOOP("белый"), {255, 255, 255}},
        {ZEL_TR_NOOP("светло-серый"), {230, 230, 230}},
        {ZEL_TR_NOOP("серый"), {192, 192, 192}},
        {ZEL_TR_NOOP("бледно-зеленый"), {223, 255, 239}},
        {ZEL_TR_NOOP("бледно-желтый"), {255, 255, 174}},
        {ZEL_TR_NOOP("бледно-голубой"), {213, 213, 255}},
        {ZEL_TR_NOOP("желтый"), {255, 255, 0}},
        {ZEL_TR_NOOP("темно-серый"), {128, 128, 128}},
        {ZEL_TR_NOOP("зеленый"), {115, 230, 0}},
        {ZEL_TR_NOOP("болотный"), {128, 128, 0}},
        {ZEL_TR_NOOP("темно-зеленый"), {0, 128, 0}},
        {ZEL_TR_NOOP("голубой"), {130, 130, 255}},
        {ZEL_TR_NOOP("синий"), {0, 0, 255}},
        {ZEL_TR_NOOP("темно-синий"), {0, 0, 127}},
        {ZEL_TR_NOOP("розовый"), {255, 0, 255}},
        {ZEL_TR_NOOP("красный"), {255, 0, 0}},
        {ZEL_TR_NOOP("темно-красный"), {200, 0, 0}},
        {ZEL_TR_NOOP("фиолетовый"), {128, 0, 128}},
        {ZEL_TR_NOOP("черный"), {0, 0, 0}},
    }};
    return colors;
}

int NamedColorIndex(const Rgb& value) {
    const auto& colors = NamedColors();
    for (int i = 0; i < static_cast<int>(colors.size()); ++i)
        if (colors[i].value == value) return i;
    return 0;
}

}  // namespace zel
