// The test twin's switch: from the call on, every request for storage fails.
#pragma once

#ifdef VESKORA_STORAGE_FAULT_FROM_FIRST_CLICK
namespace veskora {
void StartFailingStorage() noexcept;
}  // namespace veskora
#endif
