#pragma once
// Nothing thrown inside the library may reach the program that loaded it: an exception
// leaving an export, the window procedure or a destructor would end the program. Each such
// door runs its work through Contain, which turns anything thrown into `failed`.
namespace linsett {

template <class Result, class Work>
Result Contain(Result failed, Work&& work) noexcept {
    try {
        return work();
    } catch (...) {
        return failed;
    }
}

// For work without a result: true when it ran to its end.
template <class Work>
bool Contain(Work&& work) noexcept {
    return Contain(false, [&] {
        work();
        return true;
    });
}

}  // namespace linsett
