#pragma once

#include "ui/layout.h"

#include <string_view>

namespace cratefall::ui {

// The designed layout of every screen, by screen name ("Form1".."Form13", "Aboutmeform").
const FormSpec& layout(std::string_view formName);

namespace layouts {
extern const FormSpec form1;
extern const FormSpec form2;
extern const FormSpec form3;
extern const FormSpec form4;
extern const FormSpec form5;
extern const FormSpec form6;
extern const FormSpec form7;
extern const FormSpec form8;
extern const FormSpec form9;
extern const FormSpec form10;
extern const FormSpec form11;
extern const FormSpec form12;
extern const FormSpec form13;
extern const FormSpec aboutmeform;
} // namespace layouts

} // namespace cratefall::ui
