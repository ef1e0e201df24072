// The usual helper for visiting a variant with one lambda per alternative.
#pragma once

namespace qalix {

template <class... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};
// Spelled out for clang before 17, which does not deduce an aggregate's arguments itself.
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

}  // namespace qalix
