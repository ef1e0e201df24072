// A rectangle in integer device units, its four edges as the metafile records carry them.
#pragma once

namespace qalix {

struct DeviceRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const DeviceRect&, const DeviceRect&) = default;
};

}  // namespace qalix
