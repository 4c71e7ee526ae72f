// A zero-filled block of the process heap, freed on scope exit.
#pragma once

#include <windows.h>

class HeapBlock {
  public:
    explicit HeapBlock(SIZE_T size) : block_(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, size)) {}
    ~HeapBlock()
    {
        if (block_) HeapFree(GetProcessHeap(), 0, block_);
    }
    HeapBlock(const HeapBlock&) = delete;
    HeapBlock& operator=(const HeapBlock&) = delete;
    void* get() const { return block_; }
    char* text() const { return static_cast<char*>(block_); }

  private:
    void* block_;
};
