// BlockSizes: how the block update cuts its work, for the kernels of every lane width and the
// buffers that TrailingUpdate provides them: pivot columns packed in blocks sized for the
// level-2 cache, multipliers in blocks of rows sized for the level 1.
#pragma once

#include <cstddef>

namespace elimination {

struct BlockSizes {
    static constexpr std::size_t columnBlock = 1024;
    static constexpr std::size_t rowBlock = 128;
};

}  // namespace elimination
