// The usual helper for visiting a variant with one lambda per alternative.
#pragma once

namespace qalix {

template <class... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};

}  // namespace qalix
