#pragma once
// Reading many entries of the tree one after another: their nodes, records and texts lie
// all over the heap, and a read that waits for memory each time takes several times as long
// in a large tree as one that asks for what it reads next ahead of time, so that the waits
// overlap.

namespace vantrel {

// Inlined always: GCC takes a function that only prefetches for one without effects, and
// drops its calls. Callers that only prefetch must be inlined too.
[[gnu::always_inline]] inline void Prefetch(const void* address) {
    __builtin_prefetch(address);
}

// How far ahead, in entries, nodes and records are asked for; their texts half as far. More
// would have more reads in flight than the processor keeps, and the rest dropped.
constexpr unsigned ReadAhead = 16;

} // namespace vantrel
