#pragma once

#include <cassert>

// A fixed table whose first index is Lo rather than 0, so that code can use
// the same tile numbers (1..20 for the paint layer) that the user-facing
// arithmetic uses, without an off-by-one at every access.
template <class T, int Lo, int Hi> struct IndexedArray {
    T Items[Hi - Lo + 1];

    T& operator[](int i) {
        assert(i >= Lo && i <= Hi);
        return Items[i - Lo];
    }
    const T& operator[](int i) const {
        assert(i >= Lo && i <= Hi);
        return Items[i - Lo];
    }
    static constexpr int Low = Lo;
    static constexpr int High = Hi;
};
