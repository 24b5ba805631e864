// The program's allocation: every request that cannot be met ends the
// program through the fatal error box, naming the bytes requested. Nothing
// here allocates on the way there.
#include <cstddef>
#include <cstdlib>
#include <new>

#include <malloc.h>

#include "ui/program.h"
#include "ui/storage.h"

namespace veskora {
namespace {

#ifdef VESKORA_STORAGE_FAULT_FROM_FIRST_CLICK
bool storageFailing = false;
#endif

void* TryAllocate(std::size_t size) noexcept {
#ifdef VESKORA_STORAGE_FAULT_FROM_FIRST_CLICK
    if (storageFailing) return nullptr;
#endif
    return std::malloc(size == 0 ? 1 : size);
}

void* TryAllocateAligned(std::size_t size, std::align_val_t alignment) noexcept {
#ifdef VESKORA_STORAGE_FAULT_FROM_FIRST_CLICK
    if (storageFailing) return nullptr;
#endif
    return _aligned_malloc(size == 0 ? 1 : size, static_cast<std::size_t>(alignment));
}

void* Allocate(std::size_t size) noexcept {
    void* storage = TryAllocate(size);
    if (storage == nullptr) ReportStorageFailure(size);
    return storage;
}

void* AllocateAligned(std::size_t size, std::align_val_t alignment) noexcept {
    void* storage = TryAllocateAligned(size, alignment);
    if (storage == nullptr) ReportStorageFailure(size);
    return storage;
}

}  // namespace

#ifdef VESKORA_STORAGE_FAULT_FROM_FIRST_CLICK
void StartFailingStorage() noexcept {
    storageFailing = true;
}
#endif

}  // namespace veskora

using veskora::Allocate;
using veskora::AllocateAligned;
using veskora::TryAllocate;
using veskora::TryAllocateAligned;

void* operator new(std::size_t size) {
    return Allocate(size);
}
void* operator new[](std::size_t size) {
    return Allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return TryAllocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return TryAllocate(size);
}
void* operator new(std::size_t size, std::align_val_t alignment) {
    return AllocateAligned(size, alignment);
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
    return AllocateAligned(size, alignment);
}
void* operator new(std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
    return TryAllocateAligned(size, alignment);
}
void* operator new[](std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
    return TryAllocateAligned(size, alignment);
}

void operator delete(void* storage) noexcept {
    std::free(storage);
}
void operator delete[](void* storage) noexcept {
    std::free(storage);
}
void operator delete(void* storage, std::size_t) noexcept {
    std::free(storage);
}
void operator delete[](void* storage, std::size_t) noexcept {
    std::free(storage);
}
void operator delete(void* storage, const std::nothrow_t&) noexcept {
    std::free(storage);
}
void operator delete[](void* storage, const std::nothrow_t&) noexcept {
    std::free(storage);
}
void operator delete(void* storage, std::align_val_t) noexcept {
    _aligned_free(storage);
}
void operator delete[](void* storage, std::align_val_t) noexcept {
    _aligned_free(storage);
}
void operator delete(void* storage, std::size_t, std::align_val_t) noexcept {
    _aligned_free(storage);
}
void operator delete[](void* storage, std::size_t, std::align_val_t) noexcept {
    _aligned_free(storage);
}
void operator delete(void* storage, std::align_val_t, const std::nothrow_t&) noexcept {
    _aligned_free(storage);
}
void operator delete[](void* storage, std::align_val_t, const std::nothrow_t&) noexcept {
    _aligned_free(storage);
}
