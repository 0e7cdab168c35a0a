#pragma once
// The Windows services the module uses, as the simulated game provides them.
// The host build exports them under their Windows names; the Windows stand-in
// loader patches the module's imports to reach them.

#include <cstdint>

namespace sim::platform {

std::uint32_t TickCount();
std::int16_t AsyncKeyState(int vk);
// XInputGetState: 0 and the pad's state when a pad answers at `index`;
// ERROR_DEVICE_NOT_CONNECTED (1167) and `state` untouched otherwise. `state`
// points at an XINPUT_STATE (16 bytes).
std::uint32_t PadState(std::uint32_t index, void* state);
std::uint32_t ProfileInt(const char* section, const char* key, std::int32_t fallback,
                         const char* file);
// GetPrivateProfileStringA with a section and key: the value's text, cut to
// fit `size` with its terminator; the number of characters copied.
std::uint32_t ProfileString(const char* section, const char* key, const char* fallback,
                            char* buffer, std::uint32_t size, const char* file);
bool WriteProfileString(const char* section, const char* key, const char* value, const char* file);
// PlaySoundA for the module's own WAVE resources by ID, for a RIFF/WAVE image
// in the module's memory (SND_MEMORY | SND_ASYNC, no module), and the one stop
// form PlaySoundA(NULL, NULL, 0); anything else is a fault.
bool PlaySound(const char* name, void* module, std::uint32_t flags);
// FindResourceA, LoadResource, LockResource and SizeofResource on the
// module's own WAVE resources, from the same files PlaySoundA plays. A handle
// the module did not get from here, or another module or type, is a fault.
void* FindWaveResource(const void* module, const char* name, const char* type);
void* LoadWaveResource(const void* module, void* info);
void* LockWaveResource(void* loaded);
std::uint32_t WaveResourceSize(const void* module, void* info);
bool ModuleHandleFromAddress(std::uint32_t flags, const void* address, void** module);

} // namespace sim::platform
