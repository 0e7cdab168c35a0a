#pragma once
// The settings rows under the root page and what their keys do.

#include <cstdint>

// Hangs the rows of its table under the root page; after a script restart it only
// refreshes what the rows show.
void BuildSettingsMenu();

// One step of the row `id` for command 'l' (left), 'r' (right) or 'c' (select).
void ApplyItemAction(std::int32_t id, char command);
