#pragma once
// The module's keys and pad buttons held when a pause or a key row's wait
// ends: the B that closes the pause menu, a key held through the pause, the
// select key still down when a wait ran out. Until each is let go no key of
// the module counts: the shared key wait starts again on every pass.

#include <cstdint>

// The keyboard's key settings (KeySetting up to MenuBack) by their place in
// the low bits, the pad's buttons in the high half, of those held since and
// not let go. Set by HoldOffHeldKeys, cleared by WaitForHeldKeys; the main
// loop tests it on every pass.
extern std::uint32_t keysHeldOff;

// Every key setting and pad button counts as held from now until a pass
// finds it up.
void HoldOffHeldKeys();
// On each pass while keysHeldOff, after the pass's pad word is forgotten.
// Ten seconds at most: a key that Windows reports held for ever (a layout's
// mode key) must not take the module's keys for good.
void WaitForHeldKeys();
