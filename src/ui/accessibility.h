#pragma once

namespace cratefall::ui {

// Lets assistive technology read the screens' own widgets. Qt knows them only as plain widgets,
// which a screen reader reports as empty, nameless fillers: labels become static text named by
// their captions, pictures graphics (pressable where they take clicks, named by their lettering),
// lines stay out of sight, and windows are frames or dialogs as their designs say. Installing
// twice is harmless.
void installAccessibleInterfaces();

} // namespace cratefall::ui
