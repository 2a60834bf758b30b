#pragma once

// What every test of the screens starts with: the game on the offscreen platform, the names its
// screens and controls go by, the test-only view of its inside, and what a few of them draw on.
#ifndef Q_MOC_RUN // moc cannot parse the C++20 library headers these pull in
#include "game_fixture.h"
#include "levels/level_controls.h"
#include "levels/level_form.h"
#include "pictures/picture_store.h"
#include "printing/printing.h"
#include "shell/screen_names.h"
#include "testing/test_access.h"
#include "ui/form_timer.h"
#include "ui/form_window.h"
#include "ui/qt_text.h"
#include "ui/runtime_error.h"
#include "ui/units.h"

namespace controls = cratefall::levels::controls;
namespace screens = cratefall::shell::screens;
using cratefall::levels::LevelForm;
using cratefall::testing::Access;
using cratefall::testing::GameFixture;
using cratefall::ui::qtext;
#endif

#include <QTest>
