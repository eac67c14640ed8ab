#pragma once
// A fixed array addressed by the index range the data model declares
// (fee tables run from -20 to 120, cost items from 1 to 7, ...). Indexing
// outside the range is a programming error, caught by an assertion in debug builds.

#include <array>
#include <cassert>
#include <cstddef>

namespace dovanel {

template <typename T, int First, int Last>
class IndexArray {
    static_assert(First <= Last, "empty index range");

  public:
    static constexpr int first = First;
    static constexpr int last = Last;
    static constexpr std::size_t size() { return static_cast<std::size_t>(Last - First + 1); }

    T& operator[](int i) {
        assert(i >= First && i <= Last);
        return items_[static_cast<std::size_t>(i - First)];
    }
    const T& operator[](int i) const {
        assert(i >= First && i <= Last);
        return items_[static_cast<std::size_t>(i - First)];
    }

    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

    friend bool operator==(const IndexArray& a, const IndexArray& b) {
        return a.items_ == b.items_;
    }
    friend bool operator!=(const IndexArray& a, const IndexArray& b) { return !(a == b); }

  private:
    std::array<T, size()> items_{};
};

}  // namespace dovanel
